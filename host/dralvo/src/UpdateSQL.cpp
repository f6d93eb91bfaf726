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
  // Plain parameters take the record's new values, OLD_ ones the values it
  // had before the change.
  db::TParams params;
  for (const sql::ParamRef& ref : sql::FindParams(text)) {
    if (params.FindParam(ref.name) != nullptr) continue;
    bool old = ref.name.size() > 4 && rtl::SameText(ref.name.substr(0, 4), kOldPrefix);
    db::TField* field = dataSet_->FindField(old ? ref.name.substr(4) : ref.name);
    if (field == nullptr && old) field = dataSet_->FindField(ref.name);
    if (field == nullptr) field = dataSet_->FieldByName(ref.name);  // raises naming the field
    db::TParam* p = params.CreateParam(field->DataType(), ref.name, db::TParamType::ptInput);
    bool oldValue = old && rtl::AnsiSameText(field->FieldName(), ref.name.substr(4));
    p->SetValue(oldValue ? field->OldValue() : field->Value());
  }
  TDVResult result = dataSet_->ExecuteOnDatabase(text, &params);
  // A statement that found no row must not pass for a written change.
  if (kind != db::TUpdateKind::ukInsert && result.RowsAffected == 0)
    throw rtl::EDatabaseError(who + ": the " + kKindNames[static_cast<int>(kind)] +
                              " statement affected no record (changed or deleted by someone else?)");
}

}  // namespace dralvo
