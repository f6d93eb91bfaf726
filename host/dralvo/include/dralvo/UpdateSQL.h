#pragma once
// Update objects: the statements that write a dataset's changes. Plain
// parameters of a statement take the new values of the current record,
// "OLD_" parameters the values it had before the change.
#include <functional>
#include <memory>
#include <string>

#include "db/FieldType.h"
#include "rtl/objects/Component.h"
#include "rtl/text/Strings.h"

namespace dralvo {

class TDVDataSet;

// The field a parameter of an update statement takes its value from:
// ":NAME" the value of field NAME, ":OLD_NAME" the value field NAME had
// before the change or, when there is no field NAME, the value of a field
// named OLD_NAME. `find` gives a field's index by name, ignoring case, or -1.
struct TDVParamField {
  int Index = -1;  // -1: no field
  bool Old = false;
};
TDVParamField FieldOfUpdateParam(const std::string& param, const std::function<int(const std::string&)>& find);

class TDVDataSetUpdateObject : public rtl::TComponent {
  RTL_CLASS(TDVDataSetUpdateObject)
 public:
  explicit TDVDataSetUpdateObject(rtl::TComponent* owner);
  ~TDVDataSetUpdateObject() override;

  // The dataset whose UpdateObject this is; null when none.
  TDVDataSet* DataSet() const { return dataSet_; }
  // Attaches (or detaches, with null) through the dataset's UpdateObject.
  void SetDataSet(TDVDataSet* dataSet);

  rtl::TStrings* RefreshSQL() const { return sql_[0].get(); }
  rtl::TStrings* ModifySQL() const { return sql_[1].get(); }
  rtl::TStrings* InsertSQL() const { return sql_[2].get(); }
  rtl::TStrings* DeleteSQL() const { return sql_[3].get(); }
  // 0 refresh, 1 modify, 2 insert, 3 delete; null for any other index.
  rtl::TStrings* GetSQLIndex(int index) const;
  rtl::TStrings* GetSQL(db::TUpdateKind kind) const;

  // Runs the statement of `kind` for the dataset's current record (while
  // it is being posted: new and old values). Raises when the dataset or the
  // statement is missing.
  void Apply(db::TUpdateKind kind);
  void ExecSQL(db::TUpdateKind kind) { Apply(kind); }

 private:
  friend class TDVDataSet;
  TDVDataSet* dataSet_ = nullptr;  // kept in step by TDVDataSet
  std::unique_ptr<rtl::TStringList> sql_[4];
};

class TDVUpdateSQL : public TDVDataSetUpdateObject {
  RTL_CLASS(TDVUpdateSQL)
 public:
  explicit TDVUpdateSQL(rtl::TComponent* owner) : TDVDataSetUpdateObject(owner) {}
};

}  // namespace dralvo
