#pragma once
// Shared set-up of the editor tests: the runtime's and the widget layer's
// units, SQLite files made with sqlite3 itself, the PostgreSQL server of the
// libpq environment, and running the real dialog through the automation.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DVUpdSEd/UpdateSQLEditForm.h"
#include "SqlFixtures.h"
#include "TempDir.h"
#include "dralvo/Engine.h"
#include "vcl/Automation.h"

namespace updtest {

using dvtest::MakeSQLiteFile;
using dvtest::PgConfigured;
using dvtest::PgRun;
using dvtest::UniqueName;
using Form = dv::TDVUpdateSQLEditForm;
using Lines = std::vector<std::string>;

// Owner, database, query and update object of one test, the query's SQL
// selecting from one table.
struct TModule {
  std::unique_ptr<rtl::TComponent> root;
  dralvo::TDVDatabase* database = nullptr;
  dralvo::TDVQuery* query = nullptr;
  dralvo::TDVUpdateSQL* updateSQL = nullptr;

  // root: the owner (a data module unless given); sql: the query's text.
  TModule(dralvo::TDVServerType type, const std::string& remote, const std::string& sql,
          std::unique_ptr<rtl::TComponent> owner = nullptr);
  ~TModule();
};

// What one run of the dialog saw and returned.
struct TRun {
  bool result = false;
  std::vector<vcl::TMessageDlgInfo> messages;
  std::string caption;
};

using TEditorStep = std::function<void(dv::TDVUpdateSQLEditForm&)>;
using TAnswer = std::function<vcl::TModalResult(const vcl::TMessageDlgInfo&)>;

// Runs EditUpdateSQL with `act` as the person; `onRefused` acts when OK is
// refused; message boxes are answered by `answer` (OK when not given).
TRun RunEditor(dralvo::TDVUpdateSQL* updateSQL, const TEditorStep& act, const TAnswer& answer = nullptr,
               const TEditorStep& onRefused = nullptr);

std::vector<std::string> Items(const vcl::TListBox& list);
std::vector<std::string> SelectedItems(const vcl::TListBox& list);

// A test on one SQLite file of its own, made from a script, and a module
// whose query reads it.
class TSQLiteModuleTest : public ::testing::Test {
 protected:
  void OpenModule(const std::string& fileName, const std::string& script, const std::string& sql) {
    file_ = dir_.File(fileName);
    MakeSQLiteFile(file_, script);
    module_ = std::make_unique<TModule>(dralvo::TDVServerType::stSQLite, file_, sql);
  }
  dvtest::TempDir dir_;
  std::string file_;
  std::unique_ptr<TModule> module_;
};

}  // namespace updtest

// The editor tests name the shared guard after their own folder.
#define UPD_REQUIRE_PG() DV_REQUIRE_PG()
