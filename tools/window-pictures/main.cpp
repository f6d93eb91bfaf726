// Renders the designer window offscreen as a person sees it on the example
// module: the query selected in the module view, the Structure view and the
// Object Inspector showing it, and its SQL open in a code-editor tab; then
// each panel on its own; then the window with the query's records in the
// Data view; last the code editor completing an alias's columns from the
// example database and marking `check`'s finding in an update statement.
// window-pictures MODULE.dfm FOLDER
#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QDockWidget>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QStatusBar>
#include <QTabWidget>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ToolUsage.h"
#include "designide/StringsModules.h"
#include "core/DesignPackage.h"
#include "rtl/system/Exceptions.h"
#include "rtl/system/SysUtils.h"
#include "vcl/Application.h"
#include "dralvo/DataSet.h"
#include "dralvo/Database.h"
#include "window/CodeEditorPanel.h"
#include "window/DataPanel.h"
#include "window/MainWindow.h"
#include "window/SqlAssist.h"
#include "window/SqlCompleter.h"

namespace {

void Save(QWidget& widget, const std::string& file) {
  if (!widget.grab().save(QString::fromStdString(file), "PNG")) throw rtl::Exception("cannot write " + file);
  std::printf("%s\n", file.c_str());
}

// The completion list is a window of its own: drawn onto the editor's
// picture where it stands.
void SaveWithList(QWidget& widget, const std::string& file) {
  QPixmap picture = widget.grab();
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (!top->isVisible() || qobject_cast<QListWidget*>(top) == nullptr) continue;
    QPainter painter(&picture);
    painter.drawPixmap(widget.mapFromGlobal(top->mapToGlobal(QPoint(0, 0))), top->grab());
  }
  if (!picture.save(QString::fromStdString(file), "PNG")) throw rtl::Exception("cannot write " + file);
  std::printf("%s\n", file.c_str());
}

void RenderCodeAssist(designer::TMainWindow& window, const std::string& folder) {
  designer::TDesignDocument& doc = *window.Document();
  rtl::TComponent* update = doc.Root().FindComponent("OrdersUpdate");
  auto* database = dynamic_cast<dralvo::TDVDatabase*>(doc.Root().FindComponent("ShopDatabase"));
  if (update == nullptr || database == nullptr) throw rtl::Exception("the module has no OrdersUpdate or ShopDatabase");
  designer::TSqlAssist& assist = window.CodeEditor()->Assist();

  const std::string queryTab = designide::OpenStringsModule(doc, *doc.Root().FindComponent("OrdersQuery"), "SQL").FileName();
  QsciScintilla& query = *window.CodeEditor()->EditorOf(queryTab);
  query.setText("SELECT o.order_id, o.\nFROM orders o\nJOIN customers c ON c.customer_id = o.customer_id");
  query.setCursorPosition(0, 21);
  assist.CompleterOf(query)->Complete(true);
  assist.Catalogs().Of(*database).WaitUntilSettled();
  QApplication::processEvents();
  window.statusBar()->clearMessage();
  QApplication::processEvents();
  SaveWithList(*window.Editors(), folder + "/code-editor-completion.png");
  query.cancelList();

  const std::string modifyTab = designide::OpenStringsModule(doc, *update, "ModifySQL").FileName();
  QsciScintilla& modify = *window.CodeEditor()->EditorOf(modifyTab);
  modify.setText("update orders set\n  status = :status,\n  shipped_on = :shipped_on,\n  total = :total\n"
                 "where order_id = :OLD_order_id");
  window.SaveCurrent();
  QApplication::processEvents();
  Save(window, folder + "/code-editor-diagnostics.png");
}

void Render(const std::string& moduleFile, const std::string& folder) {
  designer::TMainWindow window{designer::TDesignerSettings(folder + "/.window-pictures.ini")};
  window.resize(1200, 760);
  window.show();
  if (!window.OpenFile(moduleFile)) throw rtl::Exception("cannot open " + moduleFile);
  window.statusBar()->clearMessage();
  auto* structure = window.findChild<QDockWidget*>("StructureDock");
  auto* inspector = window.findChild<QDockWidget*>("InspectorDock");
  window.resizeDocks({structure, inspector}, {340, 340}, Qt::Horizontal);
  window.resizeDocks({window.findChild<QDockWidget*>("FindingsDock")}, {110}, Qt::Vertical);
  rtl::TComponent* query = window.Document()->Root().FindComponent("OrdersQuery");
  if (query == nullptr) throw rtl::Exception(moduleFile + " has no OrdersQuery");
  window.Document()->Selection().Select(query);
  QApplication::processEvents();
  Save(window, folder + "/designer-window.png");
  Save(*inspector, folder + "/object-inspector.png");
  Save(*structure, folder + "/structure-panel.png");
  designide::OpenStringsModule(*window.Document(), *query, "SQL");
  QApplication::processEvents();
  Save(*window.Editors(), folder + "/code-editor.png");
  window.Editors()->setCurrentIndex(0);
  auto* dataDock = window.findChild<QDockWidget*>("DataDock");
  window.resizeDocks({dataDock}, {250}, Qt::Vertical);
  window.DataView()->Open();
  window.DataView()->WaitForQuery();
  QApplication::processEvents();
  Save(window, folder + "/data-view.png");
  // The later pictures show the window without the query's records.
  static_cast<dralvo::TDVDataSet*>(query)->Close();
  window.DataView()->Refresh();
  window.resizeDocks({dataDock}, {110}, Qt::Vertical);
  RenderCodeAssist(window, folder);
  std::remove((folder + "/.window-pictures.ini").c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const char* usage = "usage: window-pictures MODULE.dfm FOLDER\n"
                      "Renders the designer window on MODULE.dfm, and each of its panels, to PNG files in FOLDER.\n";
  if (int status = CheckToolUsage(argc, argv, 3, usage); status >= 0) return status;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  vcl::EnsureWidgetSystem();
  const std::string package = rtl::ExtractFilePath(rtl::GetModuleFileName(nullptr)) + "DclDralvo160.so";
  int status = 0;
  try {
    designer::TDesignPackage loaded(package);
    Render(argv[1], argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "window-pictures: %s\n", e.what());
    status = 1;
  }
  vcl::ShutdownWidgetSystem();
  return status;
}
