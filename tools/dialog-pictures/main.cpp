// Renders the UpdateSQL editor offscreen, as a person would see it after
// fetching a table's columns and generating the statements, one PNG per
// page, then the property editors' and the component editors' dialogs:
// dialog-pictures OUTPUT_FOLDER
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "ToolUsage.h"
#include "DVUpdSEd/UpdateSQLEditForm.h"
#include "EditorPictures.h"
#include "PropertyEditorPictures.h"
#include "dralvo/Engine.h"
#include "dralvo/PackageInfo.h"
#include "rtl/packages/Units.h"
#include "vcl/Application.h"
#include "vcl/Automation.h"
#include "vcl/DataModule.h"
#include "vcl/PackageInfo.h"
#include "vcl/qt/Widgets.h"

namespace {

void MakeExampleDatabase(const std::string& path) {
  sqlite3* db = nullptr;
  if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) throw rtl::Exception("cannot create " + path);
  const char* script =
      "create table ORDERS(ORDER_ID integer primary key, CUSTOMER_ID int not null, ORDER_DATE text,"
      " SHIPPING_ADDRESS_LINE_2 text, AMOUNT real, NOTE text);";
  char* err = nullptr;
  int rc = sqlite3_exec(db, script, nullptr, nullptr, &err);
  std::string message = err != nullptr ? err : "";
  sqlite3_free(err);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw rtl::Exception("cannot fill " + path + ": " + message);
}

int Run(const std::string& outputFolder) {
  std::filesystem::create_directories(outputFolder);
  std::filesystem::path work = std::filesystem::temp_directory_path() / "dv-dialog-pictures.db";
  std::filesystem::remove(work);
  MakeExampleDatabase(work.string());

  vcl::TDataModule module(nullptr);
  module.SetName("ShopModule");
  auto* database = new dralvo::TDVDatabase(&module);
  database->SetName("ShopDatabase");
  database->SetDatabaseName("shop");
  database->SetServerType(dralvo::TDVServerType::stSQLite);
  database->SetRemoteDatabase(work.string());
  database->SetLoginPrompt(false);
  auto* query = new dralvo::TDVQuery(&module);
  query->SetName("OrdersQuery");
  query->SetDatabaseName("shop");
  query->SQL()->SetText("select ORDER_ID, CUSTOMER_ID, AMOUNT as TOTAL from ORDERS");
  auto* update = new dralvo::TDVUpdateSQL(&module);
  update->SetName("OrdersUpdate");
  query->SetUpdateObject(update);

  vcl::TScriptAutomation automation;
  automation.OnForm = [&](vcl::TForm& form) {
    auto& f = static_cast<dv::TDVUpdateSQLEditForm&>(form);
    f.btGetTableFields->Click();
    f.btSelectPrimKeys->Click();
    f.btGenerateSQL->Click();
    vcl::Application()->ProcessMessages();
    SavePicture(vcl::qt::WidgetOf(f), outputFolder + "/updatesql-options.png");
    f.pcUpdateSQL->ChoosePage(f.tsSQL);
    f.rgrStatementType->Choose(1);
    vcl::Application()->ProcessMessages();
    SavePicture(vcl::qt::WidgetOf(f), outputFolder + "/updatesql-sql.png");
    f.btCancel->Click();
  };
  automation.OnMessage = [](const vcl::TMessageDlgInfo& info) {
    std::fprintf(stderr, "%s: %s\n", vcl::MsgDlgTypeName(info.Type), info.Text.c_str());
    return vcl::mrOk;
  };
  vcl::ScopedAutomation scope(automation);
  dv::EditUpdateSQL(update);
  SaveEditorPictures(outputFolder, module);
  database->SetConnected(false);
  std::filesystem::remove(work);
  const std::filesystem::path pictures = std::filesystem::temp_directory_path() / "dv-property-pictures";
  std::filesystem::create_directories(pictures);
  SavePropertyEditorPictures(outputFolder, pictures.string());
  std::filesystem::remove_all(pictures);
  return automation.Messages.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const char* usage = "usage: dialog-pictures OUTPUT_FOLDER\n"
                      "Renders the package's dialogs and editors to PNG files in OUTPUT_FOLDER.\n";
  if (int status = CheckToolUsage(argc, argv, 2, usage); status >= 0) return status;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int status = 1;
  rtl::InitializePackage(dralvo::PackageInfo());
  rtl::InitializePackage(vcl::PackageInfo());
  try {
    status = Run(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "dialog-pictures: %s\n", e.what());
  }
  rtl::FinalizePackage(vcl::PackageInfo());
  rtl::FinalizePackage(dralvo::PackageInfo());
  return status;
}
