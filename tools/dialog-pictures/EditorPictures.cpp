// The component editors' dialogs as a person sees them: the database
// dialog on the example's database and the collection editor on a query's
// parameters, each rendered offscreen into a PNG.
#include "EditorPictures.h"

#include <QPixmap>
#include <cstdio>
#include <memory>

#include "designide/CollectionEditorDlg.h"
#include "dralvo/Dlgs.h"
#include "dralvo/Engine.h"
#include "rtl/text/Strings.h"
#include "vcl/Application.h"
#include "vcl/Automation.h"

void SavePicture(QWidget* widget, const std::string& file) {
  vcl::Application()->ProcessMessages();
  if (!widget->grab().save(QString::fromStdString(file), "PNG")) throw rtl::Exception("cannot write " + file);
  std::printf("%s\n", file.c_str());
}

void SaveEditorPictures(const std::string& outputFolder, rtl::TComponent& module) {
  auto* database = rtl::As<dralvo::TDVDatabase>(module.FindComponent("ShopDatabase"));
  auto* query = new dralvo::TDVQuery(&module);
  query->SetName("RecentOrdersQuery");
  query->SQL()->SetText("select * from ORDERS where CUSTOMER_ID = :CUSTOMER_ID and AMOUNT >= :MIN_AMOUNT");

  rtl::TStringList history;
  history.SetText("/srv/shop/shop.db\n/srv/shop/archive-2025.db\n");
  auto dialog = std::make_unique<dralvo::TDVDatabaseEditDlg>(vcl::Application(), 0);
  dialog->LoadData(database);
  dialog->SetRemoteDatabaseHistory(&history);
  dialog->SetOnSaveDefaultParamsClick([](rtl::TObject*) {});
  dialog->SetOnLoadDefaultParamsClick([](rtl::TObject*) {});
  dialog->SetOnSaveDefaultSrvTypeClick([](rtl::TObject*) {});
  dialog->SetGetDefaultParams([](rtl::TStrings*) {});

  vcl::TScriptAutomation automation;
  automation.OnForm = [&](vcl::TForm& form) {
    SavePicture(form.Widget(), outputFolder + (rtl::Is<designide::TCollectionEditorDlg>(&form) ? "/collection-editor.png"
                                                                                 : "/database-editor.png"));
    form.SetModalResult(vcl::mrCancel);
  };
  vcl::ScopedAutomation scope(automation);
  dialog->ShowModal();
  designide::ShowCollectionEditorDialog(nullptr, designide::TCollectionEditor::StaticClass(), query, query->Params(),
                                        "Params", designide::coAdd | designide::coDelete | designide::coMove);
}
