// The parameters editor, the SQL editor and the remote-database input,
// driven as a person would on real SQLite files.
#include "DialogsSupport.h"
#include "FirebirdFixtures.h"
#include "vcl/Application.h"

namespace {

using dlgtest::Control;
using dlgtest::Press;
using dralvo::TDVServerType;

struct TCodeEditorCall {
  std::string Text;
  bool Modified = false;
  int Calls = 0;
};

dralvo::TShowCodeEditorProc Recorder(TCodeEditorCall& call) {
  return [&call](rtl::TStrings* strings, bool modified) {
    call = {strings->Text(), modified, call.Calls + 1};
  };
}

void Retype(vcl::TForm& form, const char* memo, const std::string& text) {
  Control<vcl::TMemo>(form, memo)->SelectAll();
  Control<vcl::TMemo>(form, memo)->TypeText(text);
}

TEST(ParamsEditor, OkCancelDefaultsAndCodeEditor) {
  rtl::TStringList params;
  params.SetText("USER NAME=ann\n");
  TCodeEditorCall code;
  auto defaults = [](rtl::TStrings* list) { list->SetText("ROLE=admin\n"); };
  auto run = [&](const char* button, const std::string& typed) {
    dlgtest::TPerson person([&](vcl::TForm& form) {
      if (!typed.empty()) Retype(form, "meParams", typed);
      if (typed.empty()) Press(form, "btDefaults");
      Press(form, button);
    });
    vcl::ScopedAutomation scope(person);
    return dralvo::ShowDatabaseParamsEditor(&params, Recorder(code), defaults);
  };

  EXPECT_FALSE(run("btCancel", "USER NAME=changed"));
  EXPECT_EQ(params.Text(), "USER NAME=ann\n");
  EXPECT_TRUE(run("btOk", ""));
  EXPECT_EQ(params.Text(), "ROLE=admin\n") << "the defaults take the place of the lines";
  EXPECT_TRUE(run("btOk", "A=1\nB=2"));
  EXPECT_EQ(params.Text(), "A=1\nB=2\n");
  EXPECT_EQ(code.Calls, 0);

  EXPECT_FALSE(run("btCodeEditor", "A=1\nB=3"));
  EXPECT_EQ(params.Text(), "A=1\nB=2\n") << "the code editor gets the text, the list stays";
  EXPECT_EQ(code.Calls, 1);
  EXPECT_EQ(code.Text, "A=1\nB=3\n");
  EXPECT_TRUE(code.Modified);
  EXPECT_FALSE(run("btCodeEditor", "A=1\nB=2"));
  EXPECT_FALSE(code.Modified);

  // Without callbacks their buttons are out of reach.
  dlgtest::TPerson person([](vcl::TForm& form) {
    EXPECT_FALSE(Control<vcl::TButton>(form, "btCodeEditor")->Showing());
    EXPECT_FALSE(Control<vcl::TButton>(form, "btDefaults")->Enabled());
    Press(form, "btOk");
  });
  vcl::ScopedAutomation scope(person);
  EXPECT_TRUE(dralvo::ShowDatabaseParamsEditor(&params, nullptr, nullptr));
  EXPECT_EQ(person.FormsShown, 1);
}

class SQLEditor : public dlgtest::SQLiteModule {
 protected:
  void SetUp() override {
    dlgtest::SQLiteModule::SetUp();
    query_ = new dralvo::TDVQuery(&root_);
    query_->SetName("Query1");
    query_->SetDatabaseName(database_->DatabaseName());
    query_->SQL()->SetText("select 1");
  }
  bool Run(const std::function<void(vcl::TForm&)>& act) {
    dlgtest::TPerson person([&](vcl::TForm& form) {
      caption_ = form.Caption();
      act(form);
    });
    vcl::ScopedAutomation scope(person);
    return dralvo::ShowSQLEditor("Form1.Query1.SQL", query_, Recorder(code_));
  }
  dralvo::TDVQuery* query_ = nullptr;
  std::string caption_;
  TCodeEditorCall code_;
};

TEST_F(SQLEditor, NamesFromTheDatabaseAreInsertedAndOkStoresTheText) {
  EXPECT_TRUE(Run([](vcl::TForm& form) {
    auto* tables = Control<vcl::TListBox>(form, "lbTables");
    auto* fields = Control<vcl::TListBox>(form, "lbFields");
    ASSERT_EQ(tables->Items()->ToVector(), (std::vector<std::string>{"Order Notes", "orders"}));
    Retype(form, "meSQL", "select ");
    tables->ClickItem(0);
    EXPECT_EQ(fields->Items()->ToVector(), (std::vector<std::string>{"Note Id", "body", "order"}));
    fields->ClickItem(0);
    fields->ClickItem(1, true);
    fields->ClickItem(2, true);
    Press(form, "btAddField");
    Control<vcl::TMemo>(form, "meSQL")->TypeText(" from ");
    Press(form, "btAddTable");
    Press(form, "btOk");
  }));
  EXPECT_EQ(caption_, "Form1.Query1.SQL");
  // Quoted as the server's naming rules say: a blank, a reserved word.
  EXPECT_EQ(query_->SQL()->Text(), "select \"Note Id\", body, \"order\" from \"Order Notes\"\n");
  EXPECT_FALSE(database_->Connected()) << "connected only to list the tables";
  EXPECT_EQ(code_.Calls, 0);
}

// Firebird lists its tables as it reads them back; a column is quoted
// where Firebird would not read it back bare.
TEST_F(SQLEditor, FirebirdNamesAreInsertedAsFirebirdReadsThem) {
  const std::string file = dir_.File("shop.fdb");
  dvtest::FirebirdAttachment(file, true).Run({"create table \"Order Notes\"(\"Note Id\" int, body int, \"size\" int)"});
  database_->SetServerType(TDVServerType::stFirebird);
  database_->SetRemoteDatabase(file);
  EXPECT_TRUE(Run([](vcl::TForm& form) {
    auto* tables = Control<vcl::TListBox>(form, "lbTables");
    auto* fields = Control<vcl::TListBox>(form, "lbFields");
    ASSERT_EQ(tables->Items()->ToVector(), (std::vector<std::string>{"\"Order Notes\""}));
    Retype(form, "meSQL", "select ");
    tables->ClickItem(0);
    EXPECT_EQ(fields->Items()->ToVector(), (std::vector<std::string>{"Note Id", "BODY", "size"}));
    for (int i = 0; i < 3; ++i) fields->ClickItem(i, true);
    Press(form, "btAddField");
    Control<vcl::TMemo>(form, "meSQL")->TypeText(" from ");
    Press(form, "btAddTable");
    Press(form, "btOk");
  }));
  EXPECT_EQ(query_->SQL()->Text(), "select \"Note Id\", BODY, \"size\" from \"Order Notes\"\n");
}

TEST_F(SQLEditor, CancelAndCodeEditorLeaveTheQuery) {
  database_->Open();
  EXPECT_FALSE(Run([](vcl::TForm& form) {
    Retype(form, "meSQL", "select * from orders");
    Press(form, "btCancel");
  }));
  EXPECT_EQ(query_->SQL()->Text(), "select 1\n");
  EXPECT_TRUE(database_->Connected()) << "a connection the dialog found stays";

  EXPECT_FALSE(Run([](vcl::TForm& form) {
    Retype(form, "meSQL", "select 2");
    Press(form, "btCodeEditor");
  }));
  EXPECT_EQ(query_->SQL()->Text(), "select 1\n");
  EXPECT_EQ(code_.Calls, 1);
  EXPECT_EQ(code_.Text, "select 2\n");
  EXPECT_TRUE(code_.Modified);
}

// A carriage return within a line is a line break to the memo: a text
// accepted as shown keeps its lines, and the code editor gets them as well.
TEST_F(SQLEditor, TextAcceptedUnchangedKeepsItsBytes) {
  query_->SQL()->Clear();
  query_->SQL()->Add("select *");
  query_->SQL()->Add("\tfrom orders\r");
  EXPECT_TRUE(Run([](vcl::TForm& form) { Press(form, "btOk"); }));
  ASSERT_EQ(query_->SQL()->Count(), 2);
  EXPECT_EQ(query_->SQL()->Get(1), "\tfrom orders\r");
  EXPECT_FALSE(Run([](vcl::TForm& form) { Press(form, "btCodeEditor"); }));
  EXPECT_EQ(code_.Text, "select *\n\tfrom orders\r\n");
  EXPECT_FALSE(code_.Modified);
  EXPECT_TRUE(Run([](vcl::TForm& form) {
    Control<vcl::TMemo>(form, "meSQL")->TypeText("-- ");
    Press(form, "btOk");
  }));
  EXPECT_NE(query_->SQL()->Text().find("-- "), std::string::npos) << "an edit is stored as the memo holds it";
}

TEST_F(SQLEditor, AnUnreachableDatabaseLeavesTheListsEmptyAndSaysWhy) {
  database_->SetRemoteDatabase(dir_.File("gone.db"));
  EXPECT_TRUE(Run([](vcl::TForm& form) {
    EXPECT_EQ(Control<vcl::TListBox>(form, "lbTables")->Items()->Count(), 0);
    EXPECT_NE(Control<vcl::TLabel>(form, "lblStatus")->Caption().find("gone.db"), std::string::npos);
    Press(form, "btAddTable");  // nothing chosen: nothing inserted
    Press(form, "btOk");
  }));
  EXPECT_EQ(query_->SQL()->Text(), "select 1\n");
  query_->SetDatabaseName("NoSuchDatabase");
  Run([](vcl::TForm& form) {
    EXPECT_NE(Control<vcl::TLabel>(form, "lblStatus")->Caption().find("NoSuchDatabase"), std::string::npos);
    Press(form, "btCancel");
  });
}

TEST(RemoteDatabaseInput, SQLiteChoosesAnExistingFile) {
  dvtest::TempDir dir;
  dvtest::MakeSQLiteFile(dir.File("x.db"), "create table t(a int);");
  vcl::TScriptAutomation automation;
  vcl::ScopedAutomation scope(automation);
  std::string offered;
  automation.OnFileDialog = [&](vcl::TOpenDialog& dialog) {
    offered = dialog.FileName();
    EXPECT_TRUE(dialog.Options() & vcl::ofFileMustExist);
    dialog.SetFileName(dir.File("x.db"));
    return true;
  };
  EXPECT_EQ(dralvo::InputRemoteDatabaseValue(TDVServerType::stSQLite, "old.db"), dir.File("x.db"));
  EXPECT_EQ(offered, "old.db");
  automation.OnFileDialog = [&](vcl::TOpenDialog& dialog) {
    dialog.SetFileName(dir.File("y.db"));
    return true;
  };
  EXPECT_THROW(dralvo::InputRemoteDatabaseValue(TDVServerType::stSQLite, "old.db"), rtl::EInOutError);
  automation.OnFileDialog = [](vcl::TOpenDialog&) { return false; };
  EXPECT_EQ(dralvo::InputRemoteDatabaseValue(TDVServerType::stSQLite, "old.db"), "");
}

TEST(RemoteDatabaseInput, PostgreSQLTakesAConnectionString) {
  auto run = [](const char* button, const std::string& typed) {
    dlgtest::TPerson person([&](vcl::TForm& form) {
      EXPECT_EQ(Control<vcl::TEdit>(form, "edConnection")->Text(), "host=old");
      Control<vcl::TEdit>(form, "edConnection")->TypeText(typed);
      Press(form, button);
    });
    vcl::ScopedAutomation scope(person);
    return dralvo::InputRemoteDatabaseValue(TDVServerType::stPostgreSQL, "host=old");
  };
  EXPECT_EQ(run("btOk", " postgresql://ann@db:5433/shop "), "postgresql://ann@db:5433/shop");
  EXPECT_EQ(run("btCancel", "host=new"), "");
}

}  // namespace
