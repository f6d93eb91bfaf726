// The "Options" page's questions to the database: a table's columns ("Get
// Table Fields") and its key ("Select Primary Keys").
#include <algorithm>
#include <memory>

#include "DVUpdSEd/UpdateSQLEditForm.h"
#include "db/DataSet.h"
#include "db/Field.h"
#include "dralvo/Common.h"
#include "dralvo/Consts.h"
#include "dralvo/DataSet.h"
#include "dralvo/Database.h"
#include "dralvo/SchemaInfo.h"
#include "dralvo/Session.h"
#include "dralvo/UpdateSQL.h"
#include "rtl/system/SysUtils.h"
#include "vcl/Dialogs.h"

namespace dv {

void TDVUpdateSQLEditForm::TableNameChanged(rtl::TObject* Sender) {
  cbTableNameChange(Sender);
  if (btGetTableFields->Enabled()) GetTableFieldsClick(Sender);
}

void TDVUpdateSQLEditForm::GetTableFieldsClick(rtl::TObject* Sender) {
  (void)Sender;
  dralvo::TDVDataSet* dataSet = FUpdateSQL != nullptr ? FUpdateSQL->DataSet() : nullptr;
  rtl::Assert(dataSet != nullptr, "DVUpdSEd", 542);
  // Apostrophes around the name or its parts go; double-quoted parts reach
  // the server as typed, keeping their case and doubled quotes (stripping
  // those quotes would name another table), and bare parts are folded as the
  // server folds them, each part on its own.
  const std::string tableName = dralvo::WithoutApostrophes(cbTableName->Text());
  auto names = std::make_unique<rtl::TStringList>();
  dataSet->GetDBSession()->GetFieldNames(dataSet->DatabaseName(),
                                         dralvo::GetValidObjName(tableName, !FObjOwnerSupported), names.get());
  if (names->Count() == 0)
    vcl::MessageDlg(rtl::Format(dralvo::SSQLDataSetOpen, {tableName}), vcl::TMsgDlgType::mtError, vcl::mbOK);
  else
    FillFieldLists(*names);
  SelectAllFields();
  btDataSetDefaults->SetEnabled(true);
}

void TDVUpdateSQLEditForm::FillFieldLists(const rtl::TStrings& names) {
  rtl::TStringList fields;
  int keyExtent = 0;
  int updateExtent = 0;
  // Lists drawn with the same font measure alike: measure once.
  bool sameFont = lbKeyFields->Canvas()->SameFont(*lbUpdateFields->Canvas());
  for (int i = 0, n = names.Count(); i < n; ++i) {
    const std::string entry = names.Get(i);
    if (entry.empty()) continue;
    fields.Add(rtl::Trim(entry));
    // One letter to spare beyond the longest name.
    int keyWidth = lbKeyFields->Canvas()->TextWidth(entry + "A");
    keyExtent = std::max(keyExtent, keyWidth);
    updateExtent = std::max(updateExtent, sameFont ? keyWidth : lbUpdateFields->Canvas()->TextWidth(entry + "A"));
  }
  // Both lists are replaced whole, each in one step.
  lbKeyFields->Items()->Assign(fields);
  lbUpdateFields->Items()->Assign(fields);
  vcl::SendMessageW(lbKeyFields->Handle(), vcl::LB_SETHORIZONTALEXTENT, static_cast<vcl::WPARAM>(keyExtent), 0);
  vcl::SendMessageW(lbUpdateFields->Handle(), vcl::LB_SETHORIZONTALEXTENT, static_cast<vcl::WPARAM>(updateExtent), 0);
}

void TDVUpdateSQLEditForm::btSelectPrimKeysClick(rtl::TObject* Sender) {
  (void)Sender;
  dralvo::TDVDataSet* dataSet = FUpdateSQL != nullptr ? FUpdateSQL->DataSet() : nullptr;
  if (dataSet == nullptr) return;
  // Without a database there is no one to ask: the selection stays.
  dralvo::TDVDatabase* database = dataSet->GetDBSession()->FindDatabase(dataSet->DatabaseName());
  if (database == nullptr) return;
  std::unique_ptr<db::TDataSet> schema = database->GetSchemaInfo(dralvo::TDVSchemaType::stIndexes, cbTableName->Text());
  if (schema == nullptr) return;

  rtl::TStringList primary;
  rtl::TStringList unique;
  std::string uniqueIndexName;
  db::TField* indexType = schema->FieldByName(dralvo::SchemaIndexType);
  db::TField* columnName = schema->FieldByName(dralvo::SchemaColumnName);
  db::TField* indexName = schema->FieldByName(dralvo::SchemaIndexName);
  for (; !schema->Eof(); schema->Next()) {
    if (indexType->IsNull()) continue;
    int64_t type = indexType->AsInteger();
    if ((type & dralvo::IndexTypePrimary) != 0) {
      std::string column = rtl::Trim(columnName->AsString());
      if (!column.empty()) primary.Add(column);
    }
    if ((type & dralvo::IndexTypeUnique) != 0) {
      std::string index = rtl::Trim(indexName->AsString());
      if (uniqueIndexName.empty()) uniqueIndexName = index;
      if (index == uniqueIndexName) unique.Add(rtl::Trim(columnName->AsString()));
    }
  }

  SetSelectedAllItems(lbKeyFields, false);
  // The primary key wins wherever it stands; else the first unique index.
  const rtl::TStringList& key = primary.Count() > 0 ? primary : unique;
  if (key.Count() == 0) return;
  rtl::TStrings* items = lbKeyFields->Items();
  for (int i = 0, n = items->Count(); i < n; ++i)
    if (key.IndexOf(items->Get(i)) >= 0) lbKeyFields->SetSelected(i, true);
}

}  // namespace dv
