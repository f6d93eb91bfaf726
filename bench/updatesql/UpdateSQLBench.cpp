// The UpdateSQL editor on a table of 2,000 columns, each measured side by
// side with a plain baseline in the same run (counter `ratio`, goal <= 1.5):
// - "Get Table Fields" against one raw catalog query through sqlite3 plus
//   filling two Qt list widgets with the names;
// - "Generate SQL" with every field selected against building the same four
//   texts by plain string appends; once as a repeated click, once as the
//   first click in a freshly opened editor.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QListWidget>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "DVUpdSEd/SQLGenerator.h"
#include "DVUpdSEd/UpdateSQLEditForm.h"
#include "dralvo/Engine.h"
#include "dralvo/PackageInfo.h"
#include "rtl/packages/Units.h"
#include "vcl/Application.h"
#include "vcl/DataModule.h"
#include "vcl/PackageInfo.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kColumns = 2000;

std::string ColumnName(int i) { return "COLUMN_" + std::to_string(10000 + i).substr(1); }

// A 2,000-column table in a temporary SQLite file, the editor open on an
// update object whose query selects all of it.
struct Setup {
  std::filesystem::path dir;
  std::string file;
  std::unique_ptr<vcl::TDataModule> module;
  dralvo::TDVUpdateSQL* update = nullptr;
  std::unique_ptr<dv::TDVUpdateSQLEditForm> form;
  sqlite3* raw = nullptr;

  Setup() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    rtl::InitializePackage(dralvo::PackageInfo());
    rtl::InitializePackage(vcl::PackageInfo());
    char pattern[] = "/tmp/dvbench-XXXXXX";
    dir = ::mkdtemp(pattern);
    file = (dir / "wide.db").string();
    std::string create = "create table WIDE(";
    for (int i = 0; i < kColumns; ++i) create += (i > 0 ? ", " : "") + ColumnName(i) + " int";
    create += ")";
    sqlite3_open(file.c_str(), &raw);
    sqlite3_exec(raw, create.c_str(), nullptr, nullptr, nullptr);

    module = std::make_unique<vcl::TDataModule>(nullptr);
    auto* database = new dralvo::TDVDatabase(module.get());
    database->SetDatabaseName("wide");
    database->SetServerType(dralvo::TDVServerType::stSQLite);
    database->SetRemoteDatabase(file);
    database->SetLoginPrompt(false);
    database->SetConnected(true);
    auto* query = new dralvo::TDVQuery(module.get());
    query->SetDatabaseName("wide");
    query->SQL()->SetText("select * from WIDE");
    update = new dralvo::TDVUpdateSQL(module.get());
    query->SetUpdateObject(update);
    form.reset(vcl::CreateForm<dv::TDVUpdateSQLEditForm>(vcl::Application()));
    form->SetUpdateSQL(update);
    form->InitProperties();
    form->cbTableName->SetText("WIDE");
  }
  ~Setup() {
    form.reset();
    module.reset();
    sqlite3_close(raw);
    std::filesystem::remove_all(dir);
    rtl::FinalizePackage(vcl::PackageInfo());
    rtl::FinalizePackage(dralvo::PackageInfo());
  }
};

Setup& Shared() {
  static Setup setup;
  return setup;
}

// Baseline 1: the column names by one catalog query, into two list widgets.
void RawColumnsIntoLists(sqlite3* db, QListWidget& keys, QListWidget& updates) {
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db, "select name from pragma_table_info(?)", -1, &stmt, nullptr);
  sqlite3_bind_text(stmt, 1, "WIDE", -1, SQLITE_STATIC);
  std::vector<QString> names;
  while (sqlite3_step(stmt) == SQLITE_ROW)
    names.push_back(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))));
  sqlite3_finalize(stmt);
  keys.clear();
  updates.clear();
  for (const QString& n : names) {
    keys.addItem(n);
    updates.addItem(n);
  }
}

// Baseline 2: the four statements by plain appends.
size_t PlainStatements(const std::vector<std::string>& fields) {
  std::string modify = "update WIDE\r\nset\r\n", insert = "insert into WIDE\r\n  (", values, select = "select ",
              where = "where\r\n", del = "delete from WIDE\r\n";
  for (size_t i = 0; i < fields.size(); ++i) {
    const std::string& f = fields[i];
    bool last = i + 1 == fields.size();
    modify += "  " + f + " = :" + f + (last ? "\r\n" : ",\r\n");
    insert += (i > 0 ? ", " : "") + f;
    values += (i > 0 ? ", :" : ":") + f;
    select += (i > 0 ? ", " : "") + f;
    where += "  " + f + " = :OLD_" + f + (last ? "\r\n" : " and\r\n");
  }
  modify += where;
  insert += ")\r\nvalues\r\n  (" + values + ")\r\n";
  select += "\r\nfrom WIDE\r\n" + where;
  del += where;
  return modify.size() + insert.size() + select.size() + del.size();
}

// Per-round times of both sides and the goal's ratio of their totals.
void ReportRatio(benchmark::State& state, Clock::duration editor, Clock::duration baseline) {
  const double n = static_cast<double>(state.iterations());
  state.counters["baseline_ms"] = std::chrono::duration<double, std::milli>(baseline).count() / n;
  state.counters["editor_ms"] = std::chrono::duration<double, std::milli>(editor).count() / n;
  state.counters["ratio"] = std::chrono::duration<double>(editor) / std::chrono::duration<double>(baseline);
}

void BM_GetTableFieldsVersusRaw(benchmark::State& state) {
  Setup& s = Shared();
  QListWidget keys, updates;
  dralvo::TDVDataSet* dataSet = s.update->DataSet();
  Clock::duration editor{}, baseline{}, runtime{};
  for (auto _ : state) {
    auto t0 = Clock::now();
    RawColumnsIntoLists(s.raw, keys, updates);
    auto t1 = Clock::now();
    s.form->btGetTableFields->Click();
    auto t2 = Clock::now();
    // The runtime's share: the column names alone, as the editor asks.
    rtl::TStringList names;
    dataSet->GetDBSession()->GetFieldNames(dataSet->DatabaseName(), "WIDE", &names);
    auto t3 = Clock::now();
    baseline += t1 - t0;
    editor += t2 - t1;
    runtime += t3 - t2;
  }
  state.counters["runtime_names_ms"] =
      std::chrono::duration<double, std::milli>(runtime).count() / static_cast<double>(state.iterations());
  if (s.form->lbKeyFields->Items()->Count() != kColumns || keys.count() != kColumns)
    state.SkipWithError("the lists were not filled");
  ReportRatio(state, editor, baseline);
}

// With every field selected in both lists (as after "Get Table Fields").
void BM_GenerateSQLVersusAppends(benchmark::State& state) {
  Setup& s = Shared();
  s.form->btGetTableFields->Click();
  std::vector<std::string> fields;
  for (int i = 0; i < kColumns; ++i) fields.push_back(ColumnName(i));
  Clock::duration editor{}, baseline{};
  for (auto _ : state) {
    auto t0 = Clock::now();
    benchmark::DoNotOptimize(PlainStatements(fields));
    auto t1 = Clock::now();
    s.form->btGenerateSQL->Click();
    auto t2 = Clock::now();
    baseline += t1 - t0;
    editor += t2 - t1;
  }
  if (s.update->DeleteSQL()->Count() != 0 || s.form->meSQLText->Lines()->Count() < kColumns / 1000)
    state.SkipWithError("nothing was generated");
  ReportRatio(state, editor, baseline);
}

// The same, but each click the first in a freshly opened editor, whose
// statements hold nothing yet to be written over.
void BM_FirstGenerateSQLVersusAppends(benchmark::State& state) {
  Setup& s = Shared();
  std::vector<std::string> fields;
  for (int i = 0; i < kColumns; ++i) fields.push_back(ColumnName(i));
  Clock::duration editor{}, baseline{};
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<dv::TDVUpdateSQLEditForm> form(vcl::CreateForm<dv::TDVUpdateSQLEditForm>(vcl::Application()));
    form->SetUpdateSQL(s.update);
    form->InitProperties();
    form->cbTableName->SetText("WIDE");
    form->btGetTableFields->Click();
    state.ResumeTiming();
    auto t0 = Clock::now();
    benchmark::DoNotOptimize(PlainStatements(fields));
    auto t1 = Clock::now();
    form->btGenerateSQL->Click();
    auto t2 = Clock::now();
    baseline += t1 - t0;
    editor += t2 - t1;
  }
  ReportRatio(state, editor, baseline);
}

BENCHMARK(BM_GetTableFieldsVersusRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateSQLVersusAppends)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstGenerateSQLVersusAppends)->Unit(benchmark::kMillisecond)->Iterations(40);

}  // namespace

BENCHMARK_MAIN();
