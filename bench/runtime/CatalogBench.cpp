// Catalog look-ups of the runtime on a SQLite file of 10,000 tables, each
// measured side by side with one hand-written catalog query through sqlite3
// directly. The counter "ratio" is runtime time / direct time (goal: <= 1.5).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "db/Field.h"
#include "SideBySide.h"
#include "dralvo/Engine.h"
#include "dralvo/PackageInfo.h"
#include "rtl/text/Strings.h"
#include "rtl/packages/Units.h"

namespace {

constexpr int kTables = 10000;
constexpr const char* kTarget = "t5000";

class Catalog {
 public:
  Catalog() {
    path_ = (std::filesystem::temp_directory_path() / "dv_catalog_bench.db").string();
    std::filesystem::remove(path_);
    sqlite3_open(path_.c_str(), &db_);
    std::string script = "begin;";
    for (int i = 0; i < kTables; ++i) {
      std::string t = "t" + std::to_string(i);
      script += "create table " + t + "(id integer, code text, name text, qty int, price real, note text,"
                " primary key(id, code)); create unique index " + t + "_name on " + t + "(name);"
                " create index " + t + "_qty on " + t + "(qty, price);";
    }
    sqlite3_exec(db_, (script + "commit;").c_str(), nullptr, nullptr, nullptr);
    rtl::InitializePackage(dralvo::PackageInfo());
    owner_ = std::make_unique<rtl::TComponent>(nullptr);
    database_ = new dralvo::TDVDatabase(owner_.get());
    database_->SetDatabaseName("Bench");
    database_->SetRemoteDatabase(path_);
    database_->Open();
  }
  ~Catalog() {
    owner_.reset();
    rtl::FinalizePackage(dralvo::PackageInfo());
    sqlite3_close(db_);
    std::filesystem::remove(path_);
  }
  // One hand-written query, prepared and run to the end, its first column
  // collected.
  std::vector<std::string> Direct(const char* sql, const char* arg) {
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db_, sql, -1, &stmt, nullptr);
    if (arg != nullptr) sqlite3_bind_text(stmt, 1, arg, -1, SQLITE_STATIC);
    std::vector<std::string> out;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
      out.emplace_back(t != nullptr ? t : "");
    }
    sqlite3_finalize(stmt);
    return out;
  }
  dralvo::TDVDatabase* Database() { return database_; }

 private:
  std::string path_;
  sqlite3* db_ = nullptr;
  std::unique_ptr<rtl::TComponent> owner_;
  dralvo::TDVDatabase* database_ = nullptr;
};

Catalog& TheCatalog() {
  static Catalog catalog;
  return catalog;
}

void BM_GetTableNames(benchmark::State& state) {
  Catalog& c = TheCatalog();
  dvbench::SideBySide(
      state,
      [&] {
        rtl::TStringList list;
        dralvo::Session()->GetTableNames("Bench", "", false, &list);
        return list.Count();
      },
      [&] {
        return c
            .Direct("select name from sqlite_schema where type in ('table', 'view')"
                    " and name not like 'sqlite\\_%' escape '\\' order by name",
                    nullptr)
            .size();
      });
}

void BM_GetFieldNames(benchmark::State& state) {
  Catalog& c = TheCatalog();
  dvbench::SideBySide(
      state,
      [&] {
        rtl::TStringList list;
        dralvo::Session()->GetFieldNames("Bench", kTarget, &list);
        return list.Count();
      },
      [&] { return c.Direct("select name from pragma_table_info(?1) order by cid", kTarget).size(); });
}

void BM_IndexSchema(benchmark::State& state) {
  Catalog& c = TheCatalog();
  dvbench::SideBySide(
      state,
      [&] {
        std::unique_ptr<db::TDataSet> ds = c.Database()->GetSchemaInfo(dralvo::TDVSchemaType::stIndexes, kTarget);
        int n = 0;
        for (ds->First(); !ds->Eof(); ds->Next()) n += ds->FieldByName("COLUMN_NAME")->IsNull() ? 0 : 1;
        return n;
      },
      [&] {
        return c
            .Direct("select ix.name from pragma_index_list(?1) il, pragma_index_xinfo(il.name) ix"
                    " where ix.key order by il.seq, ix.seqno",
                    kTarget)
            .size();
      });
}

}  // namespace

BENCHMARK(BM_GetTableNames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetFieldNames)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IndexSchema)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
