#include "Support.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <random>

#include "dralvo/PackageInfo.h"
#include "rtl/Units.h"
#include "vcl/DataModule.h"
#include "vcl/PackageInfo.h"

namespace updtest {

namespace {
class EditorEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    rtl::InitializePackage(dralvo::PackageInfo());
    rtl::InitializePackage(vcl::PackageInfo());
  }
  void TearDown() override {
    rtl::FinalizePackage(vcl::PackageInfo());
    rtl::FinalizePackage(dralvo::PackageInfo());
  }
};
[[maybe_unused]] ::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new EditorEnvironment);
}  // namespace

void MakeSQLiteFile(const std::string& path, const std::string& script) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  char* err = nullptr;
  int rc = sqlite3_exec(db, script.c_str(), nullptr, nullptr, &err);
  std::string msg = err != nullptr ? err : "";
  sqlite3_free(err);
  sqlite3_close(db);
  ASSERT_EQ(rc, SQLITE_OK) << msg;
}

bool PgConfigured() { return std::getenv("PGHOST") != nullptr && std::getenv("PGPORT") != nullptr; }

void PgRun(const std::string& sql) {
  PGconn* conn = PQconnectdb("");
  ASSERT_EQ(PQstatus(conn), CONNECTION_OK) << PQerrorMessage(conn);
  PGresult* res = PQexec(conn, sql.c_str());
  ExecStatusType st = PQresultStatus(res);
  std::string msg = PQresultErrorMessage(res);
  PQclear(res);
  PQfinish(conn);
  ASSERT_TRUE(st == PGRES_COMMAND_OK || st == PGRES_TUPLES_OK) << msg << "\n" << sql;
}

std::string UniqueName(const std::string& prefix) {
  std::random_device rd;
  return prefix + std::to_string(rd() % 1000000000u);
}

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
