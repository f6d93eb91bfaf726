#pragma once
// Structure-view nodes of databases: a database component's node under its
// session's node, and the node that stands for a database that datasets
// name but no database node of their session has. Dropping either onto a
// session node moves it, and the datasets under it, into that session.
#include <string>

#include "designide/TreeIntf.h"

namespace dv {

class TDVDatabaseSprig : public designide::TComponentSprig {
  RTL_CLASS(TDVDatabaseSprig)
 public:
  using TComponentSprig::TComponentSprig;
  bool AnyProblems() override;
  std::string Name() override;
  std::string Caption() override;
  bool DragOverTo(designide::TSprig* AItem) override;
  bool DragDropTo(designide::TSprig* AItem) override;
  bool PaletteOverTo(designide::TSprig* AParent, const rtl::TClass* AClass) override;
  void FigureParent() override;
};

class TDVImpliedDatabaseSprig : public designide::TComponentSprig {
  RTL_CLASS(TDVImpliedDatabaseSprig)
 public:
  explicit TDVImpliedDatabaseSprig(rtl::TPersistent* AItem = nullptr);
  std::string UniqueName() override;
  bool Transient() override;
  bool AnyProblems() override;
  const rtl::TClass* ItemClass() override;
  std::string Caption() override;
  bool DragOverTo(designide::TSprig* AItem) override;
  bool DragDropTo(designide::TSprig* AItem) override;
  void FigureParent() override;

  // The session name as the dataset that made the node spells it, or as a
  // drop set it ("" is the default session); the database name the
  // datasets under it use.
  const std::string& SessionName() const { return FSessionName; }
  const std::string& DatabaseName() const { return FDatabaseName; }
  void SetNames(const std::string& DatabaseName, const std::string& SessionName);

 private:
  std::string FSessionName;
  std::string FDatabaseName;
};

// "<ImpliedDatabase>." followed by the database name.
std::string ImpliedDatabaseNodeName(const std::string& DatabaseName);

}  // namespace dv
