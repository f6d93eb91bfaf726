#include "dralvo/UpdateSQL.h"

#include "Errors.h"
#include "db/Field.h"
#include "dralvo/Consts.h"
#include "dralvo/DataSet.h"
#include "drivers/Driver.h"
#include "dralvo/SqlParser.h"
#include "rtl/objects/ClassBuilder.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

namespace {
constexpr const char* kKindNames[] = {"modify", "insert", "delete"};
constexpr const char* kOldPrefix = "OLD_";
}  // namespace

TDVParamField FieldOfUpdateParam(const std::string& param, const std::function<int(const std::string&)>& find) {
  const bool old = param.size() > 4 && rtl::SameText(param.substr(0, 4), kOldPrefix);
  if (old) {
    if (const int index = find(param.substr(4)); index >= 0) return {index, true};
  }
  return {find(param), false};
}

const rtl::TClass& TDVDataSetUpdateObject::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVDataSetUpdateObject>("TDVDataSetUpdateObject", &rtl::TComponent::StaticClass())
          .Creatable()
          .Owned("RefreshSQL", rtl::ClassTypeInfo(rtl::TStrings::StaticClass()), &TDVDataSetUpdateObject::RefreshSQL)
          .Owned("ModifySQL", rtl::ClassTypeInfo(rtl::TStrings::StaticClass()), &TDVDataSetUpdateObject::ModifySQL)
          .Owned("InsertSQL", rtl::ClassTypeInfo(rtl::TStrings::StaticClass()), &TDVDataSetUpdateObject::InsertSQL)
          .Owned("DeleteSQL", rtl::ClassTypeInfo(rtl::TStrings::StaticClass()), &TDVDataSetUpdateObject::DeleteSQL)
          .Build();
  return cls;
}

const rtl::TClass& TDVUpdateSQL::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVUpdateSQL>("TDVUpdateSQL", &TDVDataSetUpdateObject::StaticClass()).Creatable().Build();
  return cls;
}

TDVDataSetUpdateObject::TDVDataSetUpdateObject(rtl::TComponent* owner) : TComponent(owner) {
  for (auto& s : sql_) s = std::make_unique<rtl::TStringList>();
}

TDVDataSetUpdateObject::~TDVDataSetUpdateObject() {
  if (dataSet_ != nullptr) dataSet_->SetUpdateObject(nullptr);
}

void TDVDataSetUpdateObject::SetDataSet(TDVDataSet* dataSet) {
  if (dataSet != nullptr)
    dataSet->SetUpdateObject(this);
  else if (dataSet_ != nullptr)
    dataSet_->SetUpdateObject(nullptr);
}

rtl::TStrings* TDVDataSetUpdateObject::GetSQLIndex(int index) const {
  if (index < 0 || index > 3) return nullptr;
  return sql_[index].get();
}

rtl::TStrings* TDVDataSetUpdateObject::GetSQL(db::TUpdateKind kind) const {
  switch (kind) {
    case db::TUpdateKind::ukModify:
      return ModifySQL();
    case db::TUpdateKind::ukInsert:
      return InsertSQL();
    case db::TUpdateKind::ukDelete:
      return DeleteSQL();
  }
  return nullptr;
}

void TDVDataSetUpdateObject::Apply(db::TUpdateKind kind) {
  std::string who = Name().empty() ? ClassName() : Name();
  if (dataSet_ == nullptr) RaiseDatabaseError(SNoUpdateDataSet, {who});
  std::string text = GetSQL(kind)->Text();
  if (rtl::Trim(text).empty()) RaiseDatabaseError(SNoUpdateSQL, {who, std::string(kKindNames[static_cast<int>(kind)])});
  auto find = [this](const std::string& name) {
    for (int i = 0; i < dataSet_->FieldCount(); ++i)
      if (rtl::AnsiSameText(dataSet_->Fields(i)->FieldName(), name)) return i;
    return -1;
  };
  db::TParams params;
  for (const sql::ParamRef& ref : sql::FindParams(text)) {
    if (params.FindParam(ref.name) != nullptr) continue;
    const TDVParamField source = FieldOfUpdateParam(ref.name, find);
    if (source.Index < 0) dataSet_->FieldByName(ref.name);  // raises naming the field
    const db::TField* field = dataSet_->Fields(source.Index);
    db::TParam* p = params.CreateParam(field->DataType(), ref.name, db::TParamType::ptInput);
    p->SetValue(source.Old ? field->OldValue() : field->Value());
  }
  TDVResult result = dataSet_->ExecuteOnDatabase(text, &params);
  // A statement that found no row must not pass for a written change.
  if (kind != db::TUpdateKind::ukInsert && result.RowsAffected == 0)
    throw rtl::EDatabaseError(who + ": the " + kKindNames[static_cast<int>(kind)] +
                              " statement affected no record (changed or deleted by someone else?)");
}

}  // namespace dralvo
