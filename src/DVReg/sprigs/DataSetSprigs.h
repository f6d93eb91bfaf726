#pragma once
// Structure-view nodes of datasets and update objects. A dataset's node sits
// under the node of the database it names, within its session's node; when
// that session has no node of that database, under an implied database
// node made for it. Dropping a dataset onto a database node attaches the
// dataset to that database and session.
#include <string>

#include "designide/DSnDB.h"

namespace dv {

class TDVDataSetSprig : public designide::TDataSetSprig {
  RTL_CLASS(TDVDataSetSprig)
 public:
  using TDataSetSprig::TDataSetSprig;
  bool AnyProblems() override;
  bool DragOverTo(designide::TSprig* AItem) override;
  bool DragDropTo(designide::TSprig* AItem) override;
  bool PaletteOverTo(designide::TSprig* AParent, const rtl::TClass* AClass) override;
  void Reparent() override;
  void FigureParent() override;
};

class TDVTableSprig : public TDVDataSetSprig {
  RTL_CLASS(TDVTableSprig)
 public:
  using TDVDataSetSprig::TDVDataSetSprig;
  bool AnyProblems() override;
  std::string Caption() override;
};

class TDVQuerySprig : public TDVDataSetSprig {
  RTL_CLASS(TDVQuerySprig)
 public:
  using TDVDataSetSprig::TDVDataSetSprig;
  bool AnyProblems() override;
  std::string Caption() override;
};

class TDVStoredProcSprig : public TDVDataSetSprig {
  RTL_CLASS(TDVStoredProcSprig)
 public:
  using TDVDataSetSprig::TDVDataSetSprig;
  bool AnyProblems() override;
  std::string Caption() override;
};

class TDVUpdateSQLSprig : public designide::TComponentSprig {
  RTL_CLASS(TDVUpdateSQLSprig)
 public:
  using TComponentSprig::TComponentSprig;
  bool AnyProblems() override;
};

}  // namespace dv
