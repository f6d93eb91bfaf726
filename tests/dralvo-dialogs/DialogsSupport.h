#pragma once
// Shared set-up of the dialog tests: the runtime's and the widget layer's
// units, a module owning the components of one test, and running a dialog
// with a person's acts given as a function.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "SqlFixtures.h"
#include "TempDir.h"
#include "dralvo-dialogs/Dlgs.h"
#include "dralvo/Engine.h"
#include "vcl/Automation.h"
#include "vcl/StdCtrls.h"

namespace dlgtest {

// The control of that name and class on the form; fails the test when absent.
template <class T>
T* Control(vcl::TForm& form, const char* name) {
  rtl::TComponent* found = form.FindComponent(name);
  if (found == nullptr) throw rtl::Exception(std::string("no control ") + name + " on " + form.Caption());
  return rtl::As<T>(found);
}

inline void Press(vcl::TForm& form, const char* button) { Control<vcl::TButton>(form, button)->Click(); }

// An automation whose forms are handled by `act` and whose message boxes
// are answered OK and kept.
struct TPerson : vcl::TScriptAutomation {
  explicit TPerson(std::function<void(vcl::TForm&)> act) {
    OnForm = std::move(act);
    OnMessage = [](const vcl::TMessageDlgInfo&) { return vcl::mrOk; };
  }
};

// A module with a SQLite database of its own.
class SQLiteModule : public ::testing::Test {
 protected:
  void SetUp() override {
    dvtest::MakeSQLiteFile(File(), "create table orders(order_id integer primary key, total real);"
                                   "create table \"Order Notes\"(\"Note Id\" int, body text, \"order\" int);");
    database_ = new dralvo::TDVDatabase(&root_);
    database_->SetDatabaseName(dvtest::UniqueName("dlg"));
    database_->SetServerType(dralvo::TDVServerType::stSQLite);
    database_->SetRemoteDatabase(File());
  }
  std::string File() const { return dir_.File("shop.db"); }

  dvtest::TempDir dir_;
  rtl::TComponent root_{nullptr};
  dralvo::TDVDatabase* database_ = nullptr;
};

}  // namespace dlgtest
