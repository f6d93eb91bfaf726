// The editors behind an ellipsis button, through the Object Inspector: the
// parameter collections, the parameter-file dialog, the string lists that go
// to an open code-editor module, to the code editor while Alt is held, or
// to the runtime's dialog, and the table's field link in the framework's
// real dialog. Dialogs are driven through the modal seam offscreen.
#include <algorithm>
#include <cstring>
#include <fstream>

#include "InspectorFixture.h"
#include "MariaDbFixtures.h"
#include "SqlFixtures.h"
#include "db/DataSource.h"
#include "designide-dialogs/DesignerDialogs.h"
#include "designide-dialogs/FieldLinkDlg.h"
#include "designide/Registration.h"
#include "designide/ToolsAPI.h"
#include "rtl/packages/Packages.h"
#include "vcl/Automation.h"
#include "vcl/Keyboard.h"
#include "vcl/StdCtrls.h"

namespace {

using namespace dralvo;
using namespace designide;

template <class T>
T* Control(vcl::TForm& form, const char* name) {
  rtl::TComponent* found = form.FindComponent(name);
  if (found == nullptr) throw rtl::Exception(std::string("no control ") + name + " on " + form.Caption());
  return rtl::As<T>(found);
}
void Press(vcl::TForm& form, const char* button) { Control<vcl::TButton>(form, button)->Click(); }

class DialogEditors : public petest::InspectorFixture {
 protected:
  void SetUp() override {
    petest::InspectorFixture::SetUp();
    person_.OnMessage = [](const vcl::TMessageDlgInfo&) { return vcl::mrOk; };
  }
  void TearDown() override {
    ModuleServices().CloseAll();
    petest::InspectorFixture::TearDown();
  }
  void WriteSettings(const std::string& text) { std::ofstream(root_.File("dralvo.ini")) << text; }
  // The package loaded again, so that it reads the settings file anew.
  void ReloadPackage() {
    rtl::UnloadPackage(module_);
    module_ = nullptr;
    edtest::LoadedPackage::SetUp();
  }

  vcl::TScriptAutomation person_;
};

TEST_F(DialogEditors, ParamsCollectionsAndTheParameterFileDialog) {
  auto* query = Add<TDVQuery>("Query1");
  auto* other = Add<TDVQuery>("Query2");
  other->SQL()->SetText("select * from t where id = :id");
  auto* proc = Add<TDVStoredProc>("Proc1");
  for (std::vector<rtl::TPersistent*> selection : {std::vector<rtl::TPersistent*>{query, other},
                                                   std::vector<rtl::TPersistent*>{proc}}) {
    Inspect(selection);
    EXPECT_EQ(Row("Params").Value(), "(TParams)") << "with or without parameters";
    EXPECT_EQ(Row("Params").Attributes() & (paMultiSelect | paDialog | paSubProperties), paMultiSelect | paDialog);
  }

  const std::string ini = files_.File("shop.ini");
  std::ofstream(ini) << "[Params]\n";
  TDVDatabase* db = AddDatabase("shop", "x.db");
  db->SetParamsFileName("old.ini");
  Inspect({db});
  TInspectorRow& file = Row("ParamsFileName");
  EXPECT_EQ(file.EditorClass().ClassName(), "TDVFileNameProperty");
  EXPECT_EQ(file.Attributes(), paDialog | paRevertable);
  vcl::ScopedAutomation scope(person_);
  std::string chosen;
  person_.OnFileDialog = [&](vcl::TOpenDialog& dialog) {
    EXPECT_EQ(dialog.Filter(), "Ini-files (*.ini)|*.INI|Text files (*.txt)|*.TXT|All files (*.*)|*.*");
    EXPECT_EQ(dialog.Options() & (vcl::ofFileMustExist | vcl::ofPathMustExist),
              vcl::ofFileMustExist | vcl::ofPathMustExist);
    EXPECT_EQ(dialog.FileName(), db->ParamsFileName()) << "starts from the current value";
    dialog.SetFileName(chosen);
    return !chosen.empty();
  };
  file.Edit();
  EXPECT_EQ(db->ParamsFileName(), "old.ini") << "cancelled";
  for (const std::string& missing : {files_.File("none.ini"), files_.File("no/folder/shop.ini")}) {
    chosen = missing;
    EXPECT_THROW(file.Edit(), rtl::EInOutError) << missing;
    EXPECT_EQ(db->ParamsFileName(), "old.ini");
  }
  EXPECT_EQ(designer_->modified, 0);
  chosen = ini;
  file.Edit();
  EXPECT_EQ(db->ParamsFileName(), ini);
  EXPECT_EQ(designer_->modified, 1);
  EXPECT_EQ(person_.FormsShown, 4);
}

// The ellipsis of a database's Params: an open module comes to the front,
// Alt opens the code editor, and only otherwise the dialog shows.
TEST_F(DialogEditors, ParamsGoToTheOpenModuleThenAltThenTheDialog) {
  WriteSettings("[TDVDatabase_Params]\nROLE=reader\n");
  TDVDatabase* db = AddDatabase("shop", "x.db");
  db->Params()->SetText("USER NAME=ann\n");
  Inspect({db});
  TInspectorRow& params = Row("Params");
  EXPECT_EQ(params.EditorClass().ClassName(), "TDVDatabaseParamsProperty");
  EXPECT_EQ(params.Attributes() & (paDialog | paSubProperties), paDialog);
  EXPECT_TRUE(params.SubRows().empty());
  vcl::ScopedAutomation scope(person_);

  person_.KeysDown = {vcl::VK_MENU};
  params.Edit();
  TModule* module = ModuleServices().FindModule("dfm.ShopModule.Dbshop.Params");
  ASSERT_NE(module, nullptr);
  TSourceEditor* editor = module->GetModuleFileEditor(0);
  EXPECT_EQ(editor->Text(), "USER NAME=ann\n");
  EXPECT_FALSE(editor->Modified());
  person_.KeysDown.clear();
  params.Edit();
  EXPECT_EQ(ModuleServices().ModuleCount(), 1) << "one module per property";
  EXPECT_EQ(ModuleServices().ShownEditor(), editor);
  EXPECT_EQ(person_.FormsShown, 0);

  // Edited and saved in the code editor: the property takes the text.
  editor->SetText("USER NAME=bob\nROLE=admin\n");
  module->Save();
  EXPECT_EQ(db->Params()->Text(), "USER NAME=bob\nROLE=admin\n");
  EXPECT_EQ(designer_->modified, 1);
  ASSERT_TRUE(module->Close());

  // The dialog: accepted unchanged it still stores the list; the defaults
  // take the place of the lines; cancelled it stores nothing.
  std::vector<const char*> buttons;
  person_.OnForm = [&](vcl::TForm& form) {
    for (const char* button : buttons) Press(form, button);
  };
  buttons = {"btOk"};
  params.Edit();
  EXPECT_EQ(designer_->modified, 2);
  buttons = {"btDefaults", "btCancel"};
  params.Edit();
  EXPECT_EQ(db->Params()->Text(), "USER NAME=bob\nROLE=admin\n");
  buttons = {"btDefaults", "btOk"};
  params.Edit();
  EXPECT_EQ(db->Params()->Text(), "ROLE=reader\n");
  EXPECT_EQ(designer_->modified, 3);

  // The dialog's own button hands its text to the code editor, marked.
  person_.OnForm = [&](vcl::TForm& form) {
    Control<vcl::TMemo>(form, "meParams")->SelectAll();
    Control<vcl::TMemo>(form, "meParams")->TypeText("ROLE=writer");
    Press(form, "btCodeEditor");
  };
  params.Edit();
  module = ModuleServices().FindModule("dfm.ShopModule.Dbshop.Params");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->GetModuleFileEditor(0)->Text(), "ROLE=writer\n");
  EXPECT_TRUE(module->GetModuleFileEditor(0)->Modified());
  EXPECT_EQ(db->Params()->Text(), "ROLE=reader\n");
  EXPECT_EQ(person_.FormsShown, 4);
}

TEST_F(DialogEditors, SQLDialogTitleModifiedAndCodeEditor) {
  AddDatabase("shop", SQLiteFile("shop.db", "create table orders(id int);"));
  auto* query = Add<TDVQuery>("Query1");
  query->SetDatabaseName("shop");
  Inspect({query});
  TInspectorRow& sql = Row("SQL");
  EXPECT_EQ(sql.EditorClass().ClassName(), "TDVQuerySQLProperty");
  vcl::ScopedAutomation scope(person_);
  std::string title;
  const char* button = "btCancel";
  person_.OnForm = [&](vcl::TForm& form) {
    title = form.Caption();
    Control<vcl::TMemo>(form, "meSQL")->TypeText("select * from orders");
    Press(form, button);
  };
  sql.Edit();
  EXPECT_EQ(title, "ShopModule.Query1.SQL");
  EXPECT_EQ(designer_->modified, 0);
  button = "btOk";
  sql.Edit();
  EXPECT_EQ(query->SQL()->Text(), "select * from orders\n");
  EXPECT_EQ(designer_->modified, 1);

  person_.KeysDown = {vcl::VK_MENU};
  sql.Edit();
  ASSERT_NE(ModuleServices().FindModule("dfm.ShopModule.Query1.SQL"), nullptr);
  EXPECT_EQ(person_.FormsShown, 2);
  person_.KeysDown.clear();
  sql.Edit();
  EXPECT_EQ(person_.FormsShown, 2) << "the open module, not the dialog";
  EXPECT_EQ(designer_->modified, 1);
}

TEST_F(DialogEditors, SQLEditorSwitchedOffLeavesTheFrameworksEditor) {
  WriteSettings("[SQLEditor]\nEnabled=0\n");
  ReloadPackage();
  auto* query = Add<TDVQuery>("Query1");
  TDVDatabase* db = AddDatabase("shop", "x.db");
  Inspect({query});
  EXPECT_EQ(Row("SQL").EditorClass().ClassName(), "TStringListProperty");
  Inspect({db});
  EXPECT_EQ(Row("Params").EditorClass().ClassName(), "TDVDatabaseParamsProperty");
}

TEST_F(DialogEditors, CategoriesAndTheStringListOfSeveralDatabases) {
  TDVDatabase* a = AddDatabase("a", "a.db");
  TDVDatabase* b = AddDatabase("b", "b.db");
  auto inCategory = [&] {
    std::vector<std::string> names;
    for (TInspectorRow* row : inspector_->RowsInCategory(sDatabaseCategoryName())) names.push_back(row->Name());
    std::sort(names.begin(), names.end());
    return names;
  };
  Inspect({a});
  EXPECT_EQ(inCategory(), (std::vector<std::string>{"DatabaseName", "RemoteDatabase", "ServerType", "SessionName"}));
  Inspect({Add<TDVUpdateSQL>("Update1")});
  EXPECT_EQ(inCategory(), (std::vector<std::string>{"DeleteSQL", "InsertSQL", "ModifySQL", "RefreshSQL"}));

  Inspect({a, b});
  vcl::ScopedAutomation scope(person_);
  person_.OnForm = [&](vcl::TForm& form) {
    Control<vcl::TMemo>(form, "meParams")->TypeText("ROLE=both");
    Press(form, "btOk");
  };
  Row("Params").Edit();
  EXPECT_EQ(a->Params()->Text(), "ROLE=both\n");
  EXPECT_EQ(b->Params()->Text(), "ROLE=both\n") << "stored into every selected database";
}

TEST_F(DialogEditors, FieldLinkDialogJoinsDetailIndexFieldsToMasterFields) {
  InstallDesignerDialogs();
  const std::string file = SQLiteFile(
      "shop.db",
      "create table customers(id integer primary key, region text, name text);"
      "create table orders(id integer primary key, customer_id int, region text, total real);"
      "create index orders_customer on orders(customer_id, region);");
  AddDatabase("shop", file);
  auto* customers = Add<TDVQuery>("Customers");
  customers->SetDatabaseName("shop");
  customers->SQL()->SetText("select id, region, name from customers");
  auto* source = Add<db::TDataSource>("CustomersSource");
  source->SetDataSet(customers);
  auto* orders = Add<TDVTable>("Orders");
  orders->SetDatabaseName("shop");
  orders->SetTableName("orders");
  orders->SetMasterSource(source);
  Inspect({orders});
  TInspectorRow& link = Row("MasterFields");
  EXPECT_EQ(link.EditorClass().ClassName(), "TDVTableFieldLinkProperty");

  vcl::ScopedAutomation scope(person_);
  std::vector<std::string> detail, master, joined;
  const char* end = "btCancel";
  person_.OnForm = [&](vcl::TForm& form) {
    auto& dlg = *rtl::As<TFieldLinkDlg>(&form);
    dlg.cbIndexes->Choose(dlg.cbIndexes->Items()->IndexOf("orders_customer"));
    detail = dlg.lbDetail->Items()->ToVector();
    master = dlg.lbMaster->Items()->ToVector();
    for (const char* pair : {"customer_id:id", "region:region"}) {
      const std::string d(pair, std::strchr(pair, ':'));
      dlg.lbDetail->ClickItem(dlg.lbDetail->Items()->IndexOf(d));
      dlg.lbMaster->ClickItem(dlg.lbMaster->Items()->IndexOf(std::strchr(pair, ':') + 1));
      dlg.btAdd->Click();
    }
    joined = dlg.lbJoined->Items()->ToVector();
    dlg.lbJoined->ClickItem(1);
    dlg.btDelete->Click();
    Press(form, end);
  };
  link.Edit();
  EXPECT_EQ(detail, (std::vector<std::string>{"customer_id", "region"}));
  EXPECT_EQ(master, (std::vector<std::string>{"id", "region", "name"}));
  EXPECT_EQ(joined, (std::vector<std::string>{"customer_id -> id", "region -> region"}));
  EXPECT_EQ(orders->MasterFields(), "");
  EXPECT_EQ(orders->IndexName(), "") << "the index chosen in the cancelled dialog was copied back";
  EXPECT_EQ(designer_->modified, 0) << "cancelled";
  end = "btOK";
  link.Edit();
  EXPECT_EQ(orders->MasterFields(), "id");
  EXPECT_EQ(orders->IndexName(), "orders_customer");
  EXPECT_EQ(orders->IndexFieldNames(), "");
  EXPECT_EQ(designer_->modified, 1);
  SetFieldLinkDesignerHandler(nullptr);
}

// The same link on MariaDB: the detail table's index columns in key order,
// the master query's fields as the server describes them.
TEST_F(DialogEditors, FieldLinkDialogOnMariaDB) {
  DV_REQUIRE_MARIADB();
  InstallDesignerDialogs();
  dvtest::MariaDbDatabase server(
      "create table customers(id int primary key, region varchar(9), name text);"
      "create table orders(id int primary key, customer_id int, region varchar(9), total double,"
      " key orders_customer (customer_id, region));");
  AddDatabase("shop", server.Url(), TDVServerType::stMariaDB);
  auto* customers = Add<TDVQuery>("Customers");
  customers->SetDatabaseName("shop");
  customers->SQL()->SetText("select id, region, name from customers");
  auto* source = Add<db::TDataSource>("CustomersSource");
  source->SetDataSet(customers);
  auto* orders = Add<TDVTable>("Orders");
  orders->SetDatabaseName("shop");
  orders->SetTableName("orders");
  orders->SetMasterSource(source);
  Inspect({orders});
  vcl::ScopedAutomation scope(person_);
  std::vector<std::string> detail, master;
  person_.OnForm = [&](vcl::TForm& form) {
    auto& dlg = *rtl::As<TFieldLinkDlg>(&form);
    dlg.cbIndexes->Choose(dlg.cbIndexes->Items()->IndexOf("orders_customer"));
    detail = dlg.lbDetail->Items()->ToVector();
    master = dlg.lbMaster->Items()->ToVector();
    dlg.lbDetail->ClickItem(0);
    dlg.lbMaster->ClickItem(0);
    dlg.btAdd->Click();
    Press(form, "btOK");
  };
  Row("MasterFields").Edit();
  EXPECT_EQ(detail, (std::vector<std::string>{"customer_id", "region"}));
  EXPECT_EQ(master, (std::vector<std::string>{"id", "region", "name"}));
  EXPECT_EQ(orders->MasterFields(), "id");
  EXPECT_EQ(orders->IndexName(), "orders_customer");
  SetFieldLinkDesignerHandler(nullptr);
}

// The RemoteDatabase ellipsis asks for what the server type takes: an
// existing file for SQLite, a connection string for PostgreSQL.
TEST_F(DialogEditors, RemoteDatabaseEllipsisAsksForAFileOrAConnectionString) {
  const std::string shop = SQLiteFile("shop.db", "create table t(a int);");
  const std::string other = SQLiteFile("other.db", "create table t(a int);");
  TDVDatabase* db = AddDatabase("shop", shop);
  Inspect({db});
  vcl::ScopedAutomation scope(person_);
  std::string offered;
  person_.OnFileDialog = [&](vcl::TOpenDialog& dialog) {
    offered = dialog.FileName();
    dialog.SetFileName(other);
    return true;
  };
  Row("RemoteDatabase").Edit();
  EXPECT_EQ(offered, shop);
  EXPECT_EQ(db->RemoteDatabase(), other);
  EXPECT_EQ(designer_->modified, 1);
  person_.OnFileDialog = [](vcl::TOpenDialog&) { return false; };
  Row("RemoteDatabase").Edit();
  EXPECT_EQ(db->RemoteDatabase(), other) << "cancelled";
  EXPECT_EQ(designer_->modified, 1);

  db->SetServerType(TDVServerType::stPostgreSQL);
  const char* button = "btOk";
  person_.OnForm = [&](vcl::TForm& form) {
    EXPECT_EQ(Control<vcl::TEdit>(form, "edConnection")->Text(), other);
    Control<vcl::TEdit>(form, "edConnection")->TypeText("postgresql://ann@db.example/shop");
    Press(form, button);
  };
  Row("RemoteDatabase").Edit();
  EXPECT_EQ(db->RemoteDatabase(), "postgresql://ann@db.example/shop");
  EXPECT_EQ(designer_->modified, 2);
  button = "btCancel";
  person_.OnForm = [&](vcl::TForm& form) {
    Control<vcl::TEdit>(form, "edConnection")->TypeText("host=elsewhere");
    Press(form, button);
  };
  Row("RemoteDatabase").Edit();
  EXPECT_EQ(db->RemoteDatabase(), "postgresql://ann@db.example/shop");
  EXPECT_EQ(designer_->modified, 2);
}

}  // namespace
