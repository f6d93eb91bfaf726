#include "PropertyEditorPictures.h"

#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include "DVReg/properties/FieldLinkProperty.h"
#include "DVReg/properties/FileNameProperty.h"
#include "db/DataSource.h"
#include "designide-dialogs/DesignerDialogs.h"
#include "designide-dialogs/FieldLinkDlg.h"
#include "dralvo/Engine.h"
#include "vcl/Application.h"
#include "vcl/Automation.h"
#include "vcl/DataModule.h"
#include "vcl/Pictures.h"

namespace {

void Run(sqlite3* db, const char* sql) {
  if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) throw rtl::Exception(sqlite3_errmsg(db));
}

// Customers and their orders, the orders indexed by customer and region.
std::string MakeShop(const std::string& folder) {
  const std::string path = folder + "/link-shop.db";
  std::remove(path.c_str());
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  try {
    Run(db,
        "create table CUSTOMERS(CUSTOMER_ID integer primary key, REGION text, NAME text);"
        "create table ORDERS(ORDER_ID integer primary key, CUSTOMER_ID int, REGION text, TOTAL real);"
        "create index ORDERS_CUSTOMER on ORDERS(CUSTOMER_ID, REGION);");
  } catch (...) {
    sqlite3_close(db);
    throw;
  }
  sqlite3_close(db);
  return path;
}

// The designer with one join made and the next pair chosen.
void SaveFieldLinkPicture(const std::string& outputFolder, const std::string& workFolder) {
  vcl::TDataModule module(nullptr);
  module.SetName("ShopModule");
  auto* database = new dralvo::TDVDatabase(&module);
  database->SetDatabaseName("linkshop");
  database->SetRemoteDatabase(MakeShop(workFolder));
  database->SetLoginPrompt(false);
  auto* customers = new dralvo::TDVQuery(&module);
  customers->SetName("CustomersQuery");
  customers->SetDatabaseName("linkshop");
  customers->SQL()->SetText("select CUSTOMER_ID, REGION, NAME from CUSTOMERS");
  auto* source = new db::TDataSource(&module);
  source->SetDataSet(customers);
  auto* orders = new dralvo::TDVTable(&module);
  orders->SetName("OrdersTable");
  orders->SetDatabaseName("linkshop");
  orders->SetTableName("ORDERS");
  orders->SetMasterSource(source);

  designide::InstallDesignerDialogs();
  vcl::TScriptAutomation automation;
  automation.OnForm = [&](vcl::TForm& form) {
    auto& dlg = *rtl::As<designide::TFieldLinkDlg>(&form);
    dlg.cbIndexes->Choose(dlg.cbIndexes->Items()->IndexOf("ORDERS_CUSTOMER"));
    dlg.lbDetail->ClickItem(dlg.lbDetail->Items()->IndexOf("CUSTOMER_ID"));
    dlg.lbMaster->ClickItem(dlg.lbMaster->Items()->IndexOf("CUSTOMER_ID"));
    dlg.btAdd->Click();
    dlg.lbDetail->ClickItem(0);
    dlg.lbMaster->ClickItem(dlg.lbMaster->Items()->IndexOf("REGION"));
    vcl::Application()->ProcessMessages();
    vcl::SaveControlPicture(dlg, outputFolder + "/fieldlink.png");
    std::printf("%s/fieldlink.png\n", outputFolder.c_str());
    dlg.btCancel->Click();
  };
  vcl::ScopedAutomation scope(automation);
  const rtl::TPropInfo* prop = orders->ClassType().FindProperty("MasterFields");
  designide::CreatePropertyEditor(dv::TDVTableFieldLinkProperty::StaticClass(), nullptr, {orders}, *prop)->Edit();
  database->SetConnected(false);
}

// The dialog opened in a folder of parameter files, as the editor sets it.
void SaveFileDialogPicture(const std::string& outputFolder, const std::string& workFolder) {
  for (const char* name : {"production.ini", "staging.ini", "notes.txt"}) std::ofstream(workFolder + "/" + name);
  vcl::TOpenDialog dialog(nullptr);
  dialog.SetFileName(workFolder + "/production.ini");
  dialog.SetFilter(dv::TDVFileNameProperty::FileFilter);
  dialog.SetOptions(dialog.Options() | vcl::ofPathMustExist | vcl::ofFileMustExist);
  vcl::SaveOpenDialogPicture(dialog, outputFolder + "/paramsfilename-dialog.png");
  std::printf("%s/paramsfilename-dialog.png\n", outputFolder.c_str());
}

}  // namespace

void SavePropertyEditorPictures(const std::string& outputFolder, const std::string& workFolder) {
  SaveFieldLinkPicture(outputFolder, workFolder);
  SaveFileDialogPicture(outputFolder, workFolder);
}
