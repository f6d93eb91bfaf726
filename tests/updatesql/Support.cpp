#include "Support.h"

#include "RuntimeUnits.h"
#include "vcl/DataModule.h"

namespace updtest {

namespace {
[[maybe_unused]] ::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new dvtest::TRuntimeUnits);
}  // namespace

TModule::TModule(dralvo::TDVServerType type, const std::string& remote, const std::string& sql,
                 std::unique_ptr<rtl::TComponent> owner)
    : root(owner ? std::move(owner) : std::make_unique<vcl::TDataModule>(nullptr)) {
  if (root->Name().empty()) root->SetName("DataModule1");
  database = new dralvo::TDVDatabase(root.get());
  database->SetName("Database1");
  database->SetDatabaseName(UniqueName("db"));
  database->SetServerType(type);
  database->SetRemoteDatabase(remote);
  database->SetLoginPrompt(false);
  query = new dralvo::TDVQuery(root.get());
  query->SetName("Query1");
  query->SetDatabaseName(database->DatabaseName());
  query->SQL()->SetText(sql);
  updateSQL = new dralvo::TDVUpdateSQL(root.get());
  updateSQL->SetName("UpdateSQL1");
  query->SetUpdateObject(updateSQL);
}

TModule::~TModule() {
  if (database != nullptr) database->SetConnected(false);
}

TRun RunEditor(dralvo::TDVUpdateSQL* updateSQL, const TEditorStep& act, const TAnswer& answer,
               const TEditorStep& onRefused) {
  TRun run;
  vcl::TScriptAutomation automation;
  automation.OnForm = [&](vcl::TForm& form) {
    run.caption = form.Caption();
    act(static_cast<dv::TDVUpdateSQLEditForm&>(form));
  };
  if (onRefused) automation.OnRefused = [&](vcl::TForm& form) { onRefused(static_cast<dv::TDVUpdateSQLEditForm&>(form)); };
  automation.OnMessage = answer ? answer : [](const vcl::TMessageDlgInfo&) { return vcl::mrOk; };
  vcl::ScopedAutomation scope(automation);
  try {
    run.result = dv::EditUpdateSQL(updateSQL);
  } catch (...) {
    run.messages = automation.Messages;
    throw;
  }
  run.messages = automation.Messages;
  return run;
}

std::vector<std::string> Items(const vcl::TListBox& list) { return list.Items()->ToVector(); }

std::vector<std::string> SelectedItems(const vcl::TListBox& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.Items()->Count(); ++i)
    if (list.Selected(i)) out.push_back(list.Items()->Get(i));
  return out;
}

}  // namespace updtest
