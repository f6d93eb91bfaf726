// The dataset, query, macro query and stored procedure editors of the
// loaded package, with the SQLEditor setting on and off: verb tables,
// double-click targets, unclaimed indexes, and the framework's collection
// editor, the fields editor and the SQL dialog that their verbs open.
#include <optional>

#include "EditorsTestSupport.h"
#include "MariaDbFixtures.h"
#include "SqlFixtures.h"
#include "db/Field.h"
#include "designide-dialogs/CollectionEditorDlg.h"
#include "designide/DSDesign.h"
#include "designide-dialogs/DesignerDialogs.h"
#include "designide-dialogs/FieldsEditorDlg.h"
#include "dralvo/Consts.h"
#include "dralvo/Engine.h"
#include "vcl/Application.h"
#include "vcl/Automation.h"

namespace {

using namespace dralvo;
using TCaptions = std::vector<std::string>;

// Remembers what the collection editor hands to the Object Inspector.
class TSelectingDesigner : public edtest::TCountingDesigner {
 public:
  using TCountingDesigner::TCountingDesigner;
  void SelectComponent(rtl::TPersistent* instance) override { selected = instance; }
  rtl::TPersistent* selected = nullptr;
};

class DataSetEditors : public edtest::LoadedPackage, public ::testing::WithParamInterface<bool> {
 protected:
  std::string SettingsText() const override { return GetParam() ? "" : "[SQLEditor]\nEnabled=0\n"; }
  void SetUp() override {
    LoadedPackage::SetUp();
    module_.SetName("ShopModule");
    designide::InstallDesignerDialogs();
    designide::SetShowFieldsEditorHandler(
        [this](designide::IDesigner* designer, db::TDataSet* dataSet, const rtl::TClass& designerClass) {
          EXPECT_EQ(designer, &designer_);
          fieldsEditorOn_ = dataSet;
          EXPECT_EQ(&designerClass, &designide::TDSDesigner::StaticClass());
        });
  }
  void TearDown() override {
    designide::SetShowFieldsEditorHandler(nullptr);
    designide::SetShowCollectionEditorHandler(nullptr);
    LoadedPackage::TearDown();
  }
  template <class T>
  T* Add(const std::string& name) {
    auto* component = new T(&module_);
    component->SetName(name);
    return component;
  }
  // Query1 on the database "shop", a new SQLite file made by `script`.
  TDVQuery* AddShopQuery(const std::string& script, const std::string& sql) {
    dvtest::MakeSQLiteFile(config_.File("shop.db"), script);
    auto* database = Add<TDVDatabase>("ShopDb");
    database->SetDatabaseName("shop");
    database->SetRemoteDatabase(config_.File("shop.db"));
    database->SetLoginPrompt(false);
    auto* query = Add<TDVQuery>("Query1");
    query->SetDatabaseName("shop");
    query->SQL()->SetText(sql);
    return query;
  }
  TCaptions Captions(rtl::TComponent* component) {
    auto editor = EditorFor(component, &designer_);
    TCaptions captions;
    for (int i = 0; i < editor->GetVerbCount(); ++i) captions.push_back(editor->GetVerb(i));
    EXPECT_EQ(editor->GetVerb(editor->GetVerbCount()), "");
    EXPECT_EQ(editor->GetVerb(-1), "");
    return captions;
  }

  rtl::TComponent module_{nullptr};
  TSelectingDesigner designer_{&module_};
  db::TDataSet* fieldsEditorOn_ = nullptr;
};

TEST_P(DataSetEditors, VerbTablesFollowTheSQLEditorSetting) {
  const bool sqlEditor = GetParam();
  const TCaptions dataSet{edtest::PackageAboutCaption, "-", SDatasetDesignerVerb};
  TCaptions query = dataSet;
  query.push_back(SBindVerb);
  if (sqlEditor) query.push_back(SEditSQLVerb);
  TCaptions macroQuery = query;
  macroQuery.push_back(SBindMacrosVerb);
  TCaptions storedProc = dataSet;
  storedProc.push_back(SBindVerb);

  EXPECT_EQ(Captions(Add<TDVTable>("Table1")), dataSet);
  EXPECT_EQ(Captions(Add<TDVQuery>("Query1")), query);
  EXPECT_EQ(Captions(Add<TDVMacroQuery>("MacroQuery1")), macroQuery);
  EXPECT_EQ(Captions(Add<TDVStoredProc>("StoredProc1")), storedProc);
  EXPECT_EQ(query.size(), sqlEditor ? 5u : 4u);
  EXPECT_EQ(macroQuery.size(), sqlEditor ? 6u : 5u);
}

TEST_P(DataSetEditors, DoubleClickOpensTheFieldsEditorAndSeparatorsDoNothing) {
  vcl::TScriptAutomation strict;  // any dialog or message would raise
  vcl::ScopedAutomation scope(strict);
  for (db::TDataSet* dataSet : std::initializer_list<db::TDataSet*>{
           Add<TDVTable>("Table1"), Add<TDVQuery>("Query1"), Add<TDVMacroQuery>("MacroQuery1"),
           Add<TDVStoredProc>("StoredProc1")}) {
    SCOPED_TRACE(dataSet->ClassName());
    auto editor = EditorFor(dataSet, &designer_);
    fieldsEditorOn_ = nullptr;
    editor->Edit();
    EXPECT_EQ(fieldsEditorOn_, dataSet);
    fieldsEditorOn_ = nullptr;
    for (int index : {-1, 1, editor->GetVerbCount(), editor->GetVerbCount() + 1}) editor->ExecuteVerb(index);
    EXPECT_EQ(fieldsEditorOn_, nullptr);
  }
  EXPECT_EQ(strict.FormsShown, 0);
  EXPECT_EQ(designer_.modified, 0);
}

TEST_P(DataSetEditors, ParametersAndMacrosAreChosenInTheCollectionEditorWithoutModified) {
  auto* macroQuery = Add<TDVMacroQuery>("MacroQuery1");
  macroQuery->SQL()->SetText("select * from &Source where a = :A and b = :B");
  ASSERT_EQ(macroQuery->Params()->Count(), 2);
  ASSERT_EQ(macroQuery->Macros()->Count(), 1);
  auto editor = EditorFor(macroQuery, &designer_);

  struct TSeen {
    std::string Caption;
    TCaptions Items;
    bool CanAdd, CanDelete, CanMove;
  };
  std::optional<TSeen> seen;
  vcl::TScriptAutomation automation;
  automation.OnForm = [&](vcl::TForm& form) {
    auto& dlg = *rtl::As<designide::TCollectionEditorDlg>(&form);
    seen = TSeen{dlg.Caption(), dlg.lbItems->Items()->ToVector(), dlg.btAdd->Visible() && dlg.btAdd->Enabled(),
                 dlg.btDelete->Visible(), dlg.btMoveUp->Visible()};
    dlg.lbItems->ClickItem(dlg.lbItems->Items()->Count() - 1);
    dlg.btClose->Click();
  };
  vcl::ScopedAutomation scope(automation);
  editor->ExecuteVerb(3);
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->Caption, "Editing MacroQuery1.Params");
  EXPECT_EQ(seen->Items, (TCaptions{"0 - A", "1 - B"}));
  EXPECT_FALSE(seen->CanAdd || seen->CanDelete || seen->CanMove);
  EXPECT_EQ(designer_.selected, macroQuery->Params()->Items(1));

  seen.reset();
  editor->ExecuteVerb(editor->GetVerbCount() - 1);
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->Caption, "Editing MacroQuery1.Macros");
  EXPECT_EQ(seen->Items, (TCaptions{"0 - Source"}));
  EXPECT_EQ(designer_.selected, macroQuery->Macros()->Items(0));
  EXPECT_EQ(designer_.modified, 0) << "choosing changes nothing";
}

// No database object and a name of blanks: not looked up, so the developer
// declares the parameters; each change is reported at once.
TEST_P(DataSetEditors, UndescribedProcedureParametersCanBeAddedAndDeleted) {
  auto* proc = Add<TDVStoredProc>("StoredProc1");
  proc->SetDatabaseName("   ");
  proc->Params()->CreateParam(db::TFieldType::ftInteger, "First", db::TParamType::ptInput);
  auto editor = EditorFor(proc, &designer_);
  vcl::TScriptAutomation automation;
  TCaptions afterAdd, afterDelete;
  automation.OnForm = [&](vcl::TForm& form) {
    auto& dlg = *rtl::As<designide::TCollectionEditorDlg>(&form);
    EXPECT_FALSE(dlg.btMoveUp->Visible());
    EXPECT_FALSE(dlg.btDelete->Enabled()) << "nothing chosen yet";
    EXPECT_TRUE(dlg.btAdd->Click());
    afterAdd = dlg.lbItems->Items()->ToVector();
    EXPECT_EQ(designer_.selected, proc->Params()->Items(1)) << "the new item goes to the inspector";
    dlg.lbItems->ClickItem(0);
    EXPECT_TRUE(dlg.btDelete->Click());
    afterDelete = dlg.lbItems->Items()->ToVector();
    dlg.PressEscape();
  };
  vcl::ScopedAutomation scope(automation);
  editor->ExecuteVerb(3);
  EXPECT_EQ(afterAdd.size(), 2u);
  EXPECT_EQ(afterAdd[0], "0 - First");
  ASSERT_EQ(afterDelete.size(), 1u);
  EXPECT_EQ(proc->Params()->Count(), 1);
  EXPECT_EQ(designer_.modified, 2) << "the collection editor reports its own changes";
  EXPECT_FALSE(proc->Prepared());
}

TEST_P(DataSetEditors, SQLVerbEditsTheQueryOnlyWhenAccepted) {
  auto* query = AddShopQuery("create table ORDERS(ID integer);", "select 1");
  auto* database = query->FindDatabase();
  auto editor = EditorFor(query, &designer_);
  if (!GetParam()) {
    vcl::TScriptAutomation strict;
    vcl::ScopedAutomation scope(strict);
    editor->ExecuteVerb(4);
    EXPECT_EQ(strict.FormsShown, 0) << "no SQL verb while the setting is off";
    return;
  }

  for (bool accept : {false, true}) {
    std::string title;
    TCaptions tables;
    vcl::TScriptAutomation automation;
    automation.OnForm = [&](vcl::TForm& form) {
      title = form.Caption();
      tables = rtl::As<vcl::TListBox>(form.FindComponent("lbTables"))->Items()->ToVector();
      rtl::As<vcl::TMemo>(form.FindComponent("meSQL"))->Lines()->SetText("select ID from ORDERS");
      rtl::As<vcl::TButton>(form.FindComponent(accept ? "btOk" : "btCancel"))->Click();
    };
    vcl::ScopedAutomation scope(automation);
    editor->ExecuteVerb(4);
    EXPECT_EQ(title, "ShopModule.Query1.SQL");
    EXPECT_EQ(tables, TCaptions{"ORDERS"});
    EXPECT_EQ(query->SQL()->Text(), accept ? "select ID from ORDERS\n" : "select 1\n");
    EXPECT_EQ(designer_.modified, accept ? 1 : 0);
  }
  EXPECT_FALSE(database->Connected()) << "the dialog closes what it opened";
}

// The setting plays no part here.
class FieldsEditor : public DataSetEditors {
 protected:
  std::string SettingsText() const override { return {}; }
  // "Add all" on a server's description of a query with a parameter; the
  // database is connected for it and disconnected again.
  void AddAllFieldsOn(TDVServerType type, const std::string& remote) {
    auto* database = Add<TDVDatabase>("ServerDb");
    database->SetDatabaseName("servershop");
    database->SetServerType(type);
    database->SetRemoteDatabase(remote);
    database->SetLoginPrompt(false);
    auto* query = Add<TDVQuery>("Orders");
    query->SetDatabaseName("servershop");
    query->SQL()->SetText("select note, id from orders where placed > :since");
    TCaptions fields;
    vcl::TScriptAutomation automation;
    automation.OnForm = [&](vcl::TForm& form) {
      auto& dlg = *rtl::As<designide::TFieldsEditorDlg>(&form);
      EXPECT_EQ(dlg.lblStatus->Caption(), "");
      EXPECT_TRUE(dlg.btAddAll->Click());
      fields = dlg.lbFields->Items()->ToVector();
      EXPECT_EQ(dlg.lbAvailable->Items()->Count(), 0);
      dlg.btClose->Click();
    };
    designide::InstallDesignerDialogs();
    vcl::ScopedAutomation scope(automation);
    EditorFor(query, &designer_)->Edit();
    EXPECT_EQ(fields, (TCaptions{"note", "id"}));
    EXPECT_NE(module_.FindComponent("Ordersnote"), nullptr);
    EXPECT_FALSE(database->Connected());
  }
};

TEST_F(FieldsEditor, MakesAndFreesPersistentFieldsOfTheModule) {
  designide::InstallDesignerDialogs();  // the real fields editor
  auto* query = AddShopQuery("create table ORDERS(ID integer, AMOUNT real, NOTE text);"
                             "insert into ORDERS values (1, 9.5, 'first');",
                             "select ID, AMOUNT, NOTE from ORDERS");
  auto* database = query->FindDatabase();
  auto editor = EditorFor(query, &designer_);

  TCaptions available, fields;
  std::string status = "(not shown)";
  vcl::TScriptAutomation automation;
  automation.OnForm = [&](vcl::TForm& form) {
    auto& dlg = *rtl::As<designide::TFieldsEditorDlg>(&form);
    available = dlg.lbAvailable->Items()->ToVector();
    status = dlg.lblStatus->Caption();
    dlg.lbAvailable->ClickItem(2);
    dlg.lbAvailable->ClickItem(0, true);
    EXPECT_TRUE(dlg.btAdd->Click());
    fields = dlg.lbFields->Items()->ToVector();
    dlg.btClose->Click();
  };
  {
    vcl::ScopedAutomation scope(automation);
    editor->Edit();
  }
  EXPECT_EQ(status, "");
  EXPECT_EQ(available, (TCaptions{"ID", "AMOUNT", "NOTE"}));
  EXPECT_EQ(fields, (TCaptions{"ID", "NOTE"}));
  EXPECT_EQ(designer_.modified, 1);
  EXPECT_FALSE(database->Connected()) << "described without staying connected";
  auto* id = rtl::As<db::TField>(module_.FindComponent("Query1ID"));
  EXPECT_EQ(id->DataSet(), query);
  query->Open();
  ASSERT_EQ(query->FieldCount(), 2);
  EXPECT_EQ(query->Fields(1)->AsString(), "first");
  query->Close();

  automation.OnForm = [&](vcl::TForm& form) {
    auto& dlg = *rtl::As<designide::TFieldsEditorDlg>(&form);
    dlg.lbFields->ClickItem(0);
    EXPECT_TRUE(dlg.btDelete->Click());
    fields = dlg.lbFields->Items()->ToVector();
    available = dlg.lbAvailable->Items()->ToVector();
    dlg.btClose->Click();
  };
  {
    vcl::ScopedAutomation scope(automation);
    editor->ExecuteVerb(2);
  }
  EXPECT_EQ(fields, TCaptions{"NOTE"});
  EXPECT_EQ(available, (TCaptions{"ID", "AMOUNT"}));
  EXPECT_EQ(module_.FindComponent("Query1ID"), nullptr);
  EXPECT_EQ(designer_.modified, 2);
}

TEST_F(FieldsEditor, AddsEveryColumnThePostgreSQLServerDescribes) {
  DV_REQUIRE_PG();
  dvtest::PgSchema schema("create table orders(id int primary key, note text, placed date);");
  AddAllFieldsOn(TDVServerType::stPostgreSQL, schema.SearchPath());
}

TEST_F(FieldsEditor, AddsEveryColumnTheMariaDBServerDescribes) {
  DV_REQUIRE_MARIADB();
  dvtest::MariaDbDatabase server("create table orders(id int primary key, note text, placed date);");
  AddAllFieldsOn(TDVServerType::stMariaDB, server.Url());
}

INSTANTIATE_TEST_SUITE_P(SQLEditorSetting, DataSetEditors, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& setting) { return setting.param ? "On" : "Off"; });

}  // namespace
