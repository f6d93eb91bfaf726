#include "Fixture.h"

#include <sqlite3.h>

#include <cstdlib>

#include "db/Field.h"
#include "dralvo/PackageInfo.h"
#include "rtl/packages/Units.h"

namespace dvtest {

namespace {
class RuntimeEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { rtl::InitializePackage(dralvo::PackageInfo()); }
  void TearDown() override { rtl::FinalizePackage(dralvo::PackageInfo()); }
};
[[maybe_unused]] ::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new RuntimeEnvironment);
}  // namespace

std::vector<std::string> SQLiteColumn(const std::string& path, const std::string& query) {
  std::vector<std::string> out;
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, query.c_str(), -1, &stmt, nullptr) == SQLITE_OK)
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
      out.emplace_back(t != nullptr ? t : "<null>");
    }
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  return out;
}

dralvo::TDVDatabase* TestForm::AddDatabase(const std::string& name, dralvo::TDVServerType type,
                                           const std::string& remote) {
  auto* db = new dralvo::TDVDatabase(root.get());
  db->SetDatabaseName(name);
  db->SetServerType(type);
  db->SetRemoteDatabase(remote);
  return db;
}

std::string OpenError(dralvo::TDVDatabase* db) {
  try {
    db->Open();
  } catch (const rtl::EDatabaseError& e) {
    return e.Message();
  }
  return "<connected>";
}

std::vector<std::string> IndexRows(db::TDataSet& ds) {
  std::vector<std::string> out;
  for (ds.First(); !ds.Eof(); ds.Next()) {
    auto text = [&](const char* f) {
      db::TField* field = ds.FieldByName(f);
      return field->IsNull() ? std::string("-") : field->AsString();
    };
    out.push_back(text("INDEX_NAME") + ":" + text("COLUMN_NAME") + ":" + text("INDEX_TYPE"));
  }
  return out;
}

}  // namespace dvtest
