// Renders the designer window offscreen as a person sees it on the example
// module: the query selected in the module view, the Structure view and the
// Object Inspector showing it, and its SQL open in a code-editor tab; then
// each panel on its own; last the window with the query's records in the
// Data view. window-pictures MODULE.dfm FOLDER
#include <QApplication>
#include <QDockWidget>
#include <QPixmap>
#include <QStatusBar>
#include <QTabWidget>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ToolUsage.h"
#include "model/StringsModules.h"
#include "rtl/packages/Packages.h"
#include "rtl/system/Exceptions.h"
#include "rtl/system/SysUtils.h"
#include "vcl/Application.h"
#include "window/DataPanel.h"
#include "window/MainWindow.h"

namespace {

void Save(QWidget& widget, const std::string& file) {
  if (!widget.grab().save(QString::fromStdString(file), "PNG")) throw rtl::Exception("cannot write " + file);
  std::printf("%s\n", file.c_str());
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
  rtl::TComponent* query = window.Document()->Root().FindComponent("OrdersQuery");
  if (query == nullptr) throw rtl::Exception(moduleFile + " has no OrdersQuery");
  window.Document()->Selection().Select(query);
  QApplication::processEvents();
  Save(window, folder + "/designer-window.png");
  Save(*inspector, folder + "/object-inspector.png");
  Save(*structure, folder + "/structure-panel.png");
  designer::OpenStringsModule(*window.Document(), *query, "SQL");
  QApplication::processEvents();
  Save(*window.Editors(), folder + "/code-editor.png");
  window.Editors()->setCurrentIndex(0);
  window.DataView()->Open();
  window.DataView()->WaitForQuery();
  QApplication::processEvents();
  Save(window, folder + "/data-view.png");
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
    rtl::HMODULE module = rtl::LoadPackage(package);
    try {
      Render(argv[1], argv[2]);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "window-pictures: %s\n", e.what());
      status = 1;
    }
    rtl::UnloadPackage(module);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "window-pictures: %s\n", e.what());
    status = 1;
  }
  vcl::ShutdownWidgetSystem();
  return status;
}
