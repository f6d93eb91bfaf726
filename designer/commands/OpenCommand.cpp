// dvdesigner open [FILE] [--package FILE] (and dvdesigner FILE.dfm): the
// designer window. Loads the package through the loader, shows the window
// with its palette, and opens FILE when given; returns when the person
// quits.
#include <QApplication>
#include <cstdlib>
#include <iostream>

#include "CommandModule.h"
#include "rtl/system/Exceptions.h"
#include "vcl/Application.h"
#include "window/MainWindow.h"

namespace designer {

namespace {
bool SomewhereToShow() {
  return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr ||
         std::getenv("QT_QPA_PLATFORM") != nullptr;
}
}  // namespace

int RunOpen(const TArgs& args) {
  if (!SomewhereToShow())
    throw rtl::Exception("There is no display to show the window on: set DISPLAY, or run it under xvfb-run");

  static int argc = 1;
  static char name[] = "dvdesigner";
  static char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  QApplication::setApplicationName("dvdesigner");
  vcl::EnsureWidgetSystem();
  // Unloaded when the window is gone, whatever ends the run.
  std::unique_ptr<TDesignPackage> package = LoadPackage(args);
  int result = 0;
  {
    TMainWindow window{TDesignerSettings()};
    window.show();
    if (args.HasOperand(0)) window.OpenFile(args.Operand(0));
    result = QApplication::exec();
  }
  return result;
}

}  // namespace designer
