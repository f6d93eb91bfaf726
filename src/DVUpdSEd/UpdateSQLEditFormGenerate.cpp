// "Generate SQL": the form's side of statement generation. The text itself
// comes from TSQLGenerator; the form supplies the choice its controls hold.
#include "DVUpdSEd/SQLGenerator.h"
#include "DVUpdSEd/UpdateSQLEditForm.h"
#include "dralvo/Common.h"
#include "dralvo/Consts.h"
#include "dralvo/DataSet.h"
#include "dralvo/Database.h"
#include "dralvo/UpdateSQL.h"
#include "vcl/Dialogs.h"

namespace dv {

namespace {
std::vector<std::string> SelectedItems(const vcl::TListBox& list) {
  std::vector<int> selected = list.SelectedIndexes();
  std::vector<std::string> out;
  out.reserve(selected.size());
  rtl::TStrings* items = list.Items();
  for (int i : selected) out.push_back(items->Get(i));
  return out;
}
}  // namespace

std::string TDVUpdateSQLEditForm::QuoteName(const std::string& AIdentName) const {
  return dralvo::QuoteIdentifier(AIdentName, cbQuotedFields->Checked());
}

TSQLGenerator TDVUpdateSQLEditForm::MakeGenerator() const {
  TSQLGenChoice choice;
  choice.TableText = cbTableName->Text();
  choice.ObjOwnerSupported = FObjOwnerSupported;
  choice.QuoteNames = cbQuotedFields->Checked();
  choice.NameRules = ServerNameRules(choice.QuoteNames);
  choice.KeyFields = SelectedItems(*lbKeyFields);
  choice.UpdateFields = SelectedItems(*lbUpdateFields);
  return TSQLGenerator(std::move(choice), FieldAliases());
}

// The rules of the dataset's server type, known without connecting (a
// connected database answers with its own); none without a database.
// Quoting every name needs only the server's quotes, which are double
// quotes but on MariaDB, whose session may say otherwise.
std::shared_ptr<const dralvo::TDVNameRules> TDVUpdateSQLEditForm::ServerNameRules(bool quoteAll) const {
  dralvo::TDVDataSet* dataSet = FUpdateSQL != nullptr ? FUpdateSQL->DataSet() : nullptr;
  dralvo::TDVDatabase* database = dataSet != nullptr ? dataSet->FindDatabase() : nullptr;
  if (database == nullptr) return nullptr;
  if (quoteAll && database->ServerType() != dralvo::TDVServerType::stMariaDB) return nullptr;
  return database->NameRules();
}

std::shared_ptr<const TFieldAliases> TDVUpdateSQLEditForm::FieldAliases() const {
  if (FFieldAliases == nullptr) FFieldAliases = std::make_shared<const TFieldAliases>(*FFieldInfo);
  return FFieldAliases;
}

std::string TDVUpdateSQLEditForm::FindFieldAlias(const std::string& tableName, const std::string& fieldName) const {
  return FieldAliases()->FieldFor(tableName, fieldName);
}

void TDVUpdateSQLEditForm::GenerateModifySQL(const TSQLGenerator& generator) {
  generator.GenerateModifySQL(*FModifySQL);
}

void TDVUpdateSQLEditForm::GenerateInsertSQL(const TSQLGenerator& generator) {
  generator.GenerateInsertSQL(*FInsertSQL);
}

void TDVUpdateSQLEditForm::GenerateDeleteSQL(const TSQLGenerator& generator) {
  generator.GenerateDeleteSQL(*FDeleteSQL);
}

void TDVUpdateSQLEditForm::GenerateRefreshSQL(const TSQLGenerator& generator) {
  generator.GenerateRefreshSQL(*FRefreshSQL);
}

void TDVUpdateSQLEditForm::GenerateSQLClick(rtl::TObject* Sender) {
  if (lbKeyFields->SelCount() == 0 || lbUpdateFields->SelCount() == 0) {
    vcl::MessageDlg(dralvo::SSQLGenSelect, vcl::TMsgDlgType::mtError, vcl::mbOK);
    return;
  }
  TSQLGenerator generator = MakeGenerator();
  GenerateModifySQL(generator);
  GenerateInsertSQL(generator);
  GenerateDeleteSQL(generator);
  GenerateRefreshSQL(generator);
  StatementTypeClick(Sender);
}

}  // namespace dv
