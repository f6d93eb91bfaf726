#include "dralvo/Query.h"

#include "dralvo/Consts.h"
#include "drivers/Driver.h"
#include "dralvo/SqlParser.h"
#include "rtl/objects/ClassBuilder.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

const rtl::TClass& TDVQuery::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVQuery>("TDVQuery", &TDVDataSet::StaticClass())
          .Creatable()
          .Owned("SQL", rtl::ClassTypeInfo(rtl::TStrings::StaticClass()), &TDVQuery::SQL)
          .Owned("Params", rtl::ClassTypeInfo(db::TParams::StaticClass()), &TDVQuery::Params)
          .Build();
  return cls;
}

TDVQuery::TDVQuery(rtl::TComponent* owner)
    : TDVDataSet(owner), sql_(std::make_unique<rtl::TStringList>()), params_(std::make_unique<db::TParams>(this)) {
  sql_->OnChange = [this](rtl::TStringList&) { SQLChanged(); };
}

TDVQuery::~TDVQuery() {
  // The text's change handler must not run while the query goes away.
  sql_->OnChange = nullptr;
}

void TDVQuery::SQLChanged() {
  if (Active()) Close();
  // One parameter per name in the text, in order of first use; values of
  // names that stay are kept.
  db::TParams fresh;
  for (const sql::ParamRef& ref : sql::FindParams(sql_->Text()))
    if (fresh.FindParam(ref.name) == nullptr) fresh.CreateParam(db::TFieldType::ftUnknown, ref.name, db::TParamType::ptInput);
  for (int i = 0; i < fresh.Count(); ++i)
    if (db::TParam* old = params_->FindParam(fresh.Items(i)->Name())) fresh.Items(i)->Assign(*old);
  params_->Assign(fresh);
}

std::string TDVQuery::ExpandedSQL() const { return sql_->Text(); }

std::string TDVQuery::SelectSQL() const {
  std::string text = ExpandedSQL();
  if (rtl::Trim(text).empty()) throw rtl::EDatabaseError(DisplayNameForErrors() + ": " + SNoSQLStatement);
  return text;
}

void TDVQuery::ExecSQL() {
  TDVResult result = ExecuteOnDatabase(SelectSQL(), params_.get());
  rowsAffected_ = result.RowsAffected;
}

}  // namespace dralvo
