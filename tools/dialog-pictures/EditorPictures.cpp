// The component editors' dialogs as a person sees them: the database
// dialog on the example's database, the collection editor on a query's
// parameters and the fields editor with one persistent field made, each
// rendered offscreen into a PNG.
#include "EditorPictures.h"

#include <QPixmap>
#include <cstdio>
#include <memory>

#include "designide-dialogs/CollectionEditorDlg.h"
#include "designide/DSDesign.h"
#include "designide-dialogs/FieldsEditorDlg.h"
#include "dralvo-dialogs/Dlgs.h"
#include "dralvo/Engine.h"
#include "rtl/text/Strings.h"
#include "vcl/Application.h"
#include "vcl/Automation.h"
#include "vcl/qt/Widgets.h"

void SavePicture(QWidget* widget, const std::string& file) {
  vcl::Application()->ProcessMessages();
  if (!widget->grab().save(QString::fromStdString(file), "PNG")) throw rtl::Exception("cannot write " + file);
  std::printf("%s\n", file.c_str());
}

void SaveEditorPictures(const std::string& outputFolder, rtl::TComponent& module) {
  auto* database = rtl::As<dralvo::TDVDatabase>(module.FindComponent("ShopDatabase"));
  auto* query = new dralvo::TDVQuery(&module);
  query->SetName("RecentOrdersQuery");
  query->SetDatabaseName("shop");
  query->SQL()->SetText("select * from ORDERS where CUSTOMER_ID = :CUSTOMER_ID and AMOUNT >= :MIN_AMOUNT");

  rtl::TStringList history;
  history.SetText("/srv/shop/shop.db\n/srv/shop/archive-2025.db\n");
  database->Params()->SetText("busy_timeout=5000\nforeign_keys=on\n");
  auto dialog = std::make_unique<dralvo::TDVDatabaseEditDlg>(vcl::Application(), 0);
  dialog->LoadData(database);
  dialog->SetRemoteDatabaseHistory(&history);
  dialog->SetOnSaveDefaultParamsClick([](rtl::TObject*) {});
  dialog->SetOnLoadDefaultParamsClick([](rtl::TObject*) {});
  dialog->SetOnSaveDefaultSrvTypeClick([](rtl::TObject*) {});
  dialog->SetGetDefaultParams([](rtl::TStrings*) {});

  vcl::TScriptAutomation automation;
  automation.OnForm = [&](vcl::TForm& form) {
    std::string name = "/database-editor.png";
    if (auto* fields = dynamic_cast<designide::TFieldsEditorDlg*>(&form)) {
      fields->lbAvailable->ClickItem(0);
      fields->btAdd->Click();
      fields->lbAvailable->ClickItem(1);
      name = "/fields-editor.png";
    } else if (auto* items = dynamic_cast<designide::TCollectionEditorDlg*>(&form)) {
      items->lbItems->ClickItem(1);
      name = "/collection-editor.png";
    }
    SavePicture(vcl::qt::WidgetOf(form), outputFolder + name);
    form.SetModalResult(vcl::mrCancel);
  };
  vcl::ScopedAutomation scope(automation);
  dialog->ShowModal();
  designide::ShowCollectionEditorDialog(nullptr, designide::TCollectionEditor::StaticClass(), query, query->Params(),
                                        "Params", designide::coAdd | designide::coDelete | designide::coMove);
  designide::ShowFieldsEditorDialog(nullptr, query, designide::TDSDesigner::StaticClass());
}
