// The database editor of the loaded package: its verbs, the database dialog
// filled from and stored into the component, the buttons that save the
// default parameters and server type, the parameters dialog, and what a
// cancel or a failing setter leaves behind.
#include <fstream>
#include <iterator>

#include "EditorsTestSupport.h"
#include "SqlFixtures.h"
#include "dralvo/Consts.h"
#include "dralvo-dialogs/Dlgs.h"
#include "dralvo/Engine.h"
#include "vcl/Application.h"
#include "vcl/Automation.h"

namespace {

using namespace dralvo;
using TLines = std::vector<std::string>;

class DatabaseEditor : public edtest::LoadedPackage {
 protected:
  std::string SettingsText() const override {
    return "[RecentDatabases]\nItem00=recent.db\nItem01=older.db\n[TDVDatabase_Params]\nbusy_timeout=500\n";
  }
  void SetUp() override {
    LoadedPackage::SetUp();
    SetDefServerType(TDVServerType::stSQLite);
    database_ = new TDVDatabase(&module_);
    database_->SetName("ShopDb");
    database_->SetDatabaseName("shop");
    database_->SetServerType(TDVServerType::stSQLite);
    database_->SetRemoteDatabase(config_.File("shop.db"));
    database_->SetKeepConnection(false);
    database_->SetLoginPrompt(false);
    database_->SetDesignOptions(ddoStoreConnected);
    database_->Params()->SetText("cache=shared\n");
  }
  void TearDown() override {
    LoadedPackage::TearDown();
    SetDefServerType(TDVServerType::stSQLite);
  }
  // Runs verb `index` with `act` playing the person in the dialog.
  void RunVerb(int index, const std::function<void(TDVDatabaseEditDlg&)>& act) {
    auto editor = EditorFor(database_, &designer_);
    vcl::TScriptAutomation automation;
    automation.OnForm = [&](vcl::TForm& form) { act(*rtl::As<TDVDatabaseEditDlg>(&form)); };
    automation.OnMessage = [this](const vcl::TMessageDlgInfo& info) {
      messages_.push_back(info);
      return vcl::mrOk;
    };
    vcl::ScopedAutomation scope(automation);
    index < 0 ? editor->Edit() : editor->ExecuteVerb(index);
    EXPECT_EQ(automation.FormsShown, 1);
  }
  std::string Properties() const {
    return database_->DatabaseName() + "|" + GetServerTypeName(database_->ServerType()) + "|" +
           database_->RemoteDatabase() + "|" + std::to_string(database_->KeepConnection()) +
           std::to_string(database_->LoginPrompt()) + std::to_string(database_->DesignOptions()) + "|" +
           database_->Params()->Text();
  }
  std::string SettingsFile() const {
    std::ifstream in(LoadedPackage::root_.File("dralvo.ini"));
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  rtl::TComponent module_{nullptr};
  edtest::TCountingDesigner designer_{&module_};
  TDVDatabase* database_ = nullptr;
  std::vector<vcl::TMessageDlgInfo> messages_;
};

TEST_F(DatabaseEditor, VerbsAndDoubleClickOpenTheDatabaseDialog) {
  auto editor = EditorFor(database_, &designer_);
  ASSERT_EQ(editor->GetVerbCount(), 4);
  EXPECT_EQ((TLines{editor->GetVerb(0), editor->GetVerb(1), editor->GetVerb(2), editor->GetVerb(3)}),
            (TLines{edtest::PackageAboutCaption, "-", SEditDatabaseVerb, SBindVerb}));
  EXPECT_EQ(editor->GetVerb(4), "");
  vcl::TScriptAutomation strict;
  {
    vcl::ScopedAutomation scope(strict);
    for (int index : {-1, 1, 4}) editor->ExecuteVerb(index);
  }
  EXPECT_EQ(strict.FormsShown, 0);

  const int forms = vcl::Application()->ComponentCount();
  RunVerb(-1, [&](TDVDatabaseEditDlg& dlg) {
    EXPECT_EQ(vcl::Application()->ComponentCount(), forms + 1) << "owned by the application while shown";
    EXPECT_EQ(dlg.GetDatabaseName(), "shop");
    EXPECT_EQ(dlg.GetRemoteDatabase(), config_.File("shop.db"));
    EXPECT_EQ(dlg.cbRemoteDatabase->Items()->ToVector(), (TLines{"recent.db", "older.db"}));
    EXPECT_FALSE(dlg.GetKeepConnection());
    EXPECT_FALSE(dlg.GetDefaultDatabase());
    EXPECT_TRUE(dlg.GetStoreConnected());
    EXPECT_EQ(dlg.GetParams()->ToVector(), TLines{"cache=shared"});
    dlg.btCancel->Click();
  });
  EXPECT_EQ(vcl::Application()->ComponentCount(), forms) << "the dialog is freed";
  EXPECT_EQ(designer_.modified, 0);
}

TEST_F(DatabaseEditor, OkStoresEveryValueAndEachOptionOnItsOwn) {
  RunVerb(2, [](TDVDatabaseEditDlg& dlg) {
    dlg.edDatabaseName->TypeText("shop2");
    dlg.cbRemoteDatabase->Choose(1);
    dlg.cbKeepConnection->Click();
    dlg.cbDefaultDatabase->Click();
    dlg.cbStoreConnected->Click();
    dlg.meParams->Lines()->SetText("user=ann\n");
    dlg.btOk->Click();
  });
  EXPECT_EQ(Properties(), "shop2|SQLite|older.db|10" + std::to_string(ddoIsDefaultDatabase) + "|user=ann\n");
  EXPECT_EQ(designer_.modified, 1);

  // Unchanged values are stored again, and the form is still marked.
  const std::string before = Properties();
  RunVerb(2, [](TDVDatabaseEditDlg& dlg) { dlg.btOk->Click(); });
  EXPECT_EQ(Properties(), before);
  EXPECT_EQ(designer_.modified, 2);
}

TEST_F(DatabaseEditor, CancelLeavesTheDatabaseButSavedDefaultsStay) {
  const std::string before = Properties();
  RunVerb(2, [](TDVDatabaseEditDlg& dlg) {
    dlg.btLoadDefaultParams->Click();
    EXPECT_EQ(dlg.GetParams()->ToVector(), TLines{"busy_timeout=500"});
    dlg.meParams->Lines()->SetText("user=bob\nport=5433\n");
    dlg.btSaveDefaultParams->Click();
    dlg.cbServerType->Choose(static_cast<int>(TDVServerType::stPostgreSQL));
    dlg.btSaveDefaultSrvType->Click();
    dlg.edDatabaseName->TypeText("changed");
    dlg.cbLoginPrompt->Click();
    dlg.cbServerType->Choose(static_cast<int>(TDVServerType::stSQLite));
    dlg.btTestConnection->Click();  // the file does not exist
    dlg.btCancel->Click();
  });
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].Type, vcl::TMsgDlgType::mtError) << messages_[0].Text;
  EXPECT_NE(messages_[0].Text.find("shop.db"), std::string::npos) << messages_[0].Text;
  EXPECT_EQ(Properties(), before);
  EXPECT_EQ(designer_.modified, 0);
  EXPECT_EQ(GetDefServerType(), TDVServerType::stPostgreSQL);
  const std::string file = SettingsFile();
  EXPECT_NE(file.find("ServerType=PostgreSQL"), std::string::npos) << file;
  EXPECT_NE(file.find("user=bob"), std::string::npos) << file;
  EXPECT_EQ(file.find("busy_timeout"), std::string::npos) << "the section is rewritten\n" << file;

  // The next dialog starts a new database from the saved defaults.
  RunVerb(2, [](TDVDatabaseEditDlg& dlg) {
    dlg.btLoadDefaultParams->Click();
    EXPECT_EQ(dlg.GetParams()->ToVector(), (TLines{"user=bob", "port=5433"}));
    dlg.btCancel->Click();
  });
}

// Setters of a connected database refuse a new name: what was stored
// before the refusal stays, the error reaches the caller, the dialog goes.
TEST_F(DatabaseEditor, ASetterThatRaisesKeepsEarlierValuesAndFreesTheDialog) {
  dvtest::MakeSQLiteFile(config_.File("shop.db"), "create table T(A int);");
  database_->Open();
  const int forms = vcl::Application()->ComponentCount();
  auto editor = EditorFor(database_, &designer_);
  vcl::TScriptAutomation automation;
  automation.OnForm = [](vcl::TForm& form) {
    auto& dlg = *rtl::As<TDVDatabaseEditDlg>(&form);
    dlg.meParams->Lines()->SetText("user=carl\n");
    dlg.edDatabaseName->TypeText("renamed");
    dlg.btOk->Click();
  };
  {
    vcl::ScopedAutomation scope(automation);
    EXPECT_THROW(editor->ExecuteVerb(2), rtl::Exception);
  }
  EXPECT_EQ(database_->Params()->Text(), "user=carl\n");
  EXPECT_EQ(database_->DatabaseName(), "shop");
  EXPECT_EQ(vcl::Application()->ComponentCount(), forms);
  EXPECT_EQ(designer_.modified, 0);
  database_->Close();
}

TEST_F(DatabaseEditor, ParametersDialogEditsTheListInPlace) {
  vcl::TScriptAutomation automation;
  auto editor = EditorFor(database_, &designer_);
  for (bool accept : {false, true}) {
    automation.OnForm = [&](vcl::TForm& form) {
      rtl::As<vcl::TButton>(form.FindComponent("btDefaults"))->Click();
      rtl::As<vcl::TButton>(form.FindComponent(accept ? "btOk" : "btCancel"))->Click();
    };
    vcl::ScopedAutomation scope(automation);
    editor->ExecuteVerb(3);
    EXPECT_EQ(database_->Params()->Text(), accept ? "busy_timeout=500\n" : "cache=shared\n");
    EXPECT_EQ(designer_.modified, accept ? 1 : 0);
  }
}

}  // namespace
