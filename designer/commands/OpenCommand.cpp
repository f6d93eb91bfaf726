// dvdesigner open [FILE] [--package FILE] (and dvdesigner FILE.dfm): the
// designer window. Loads the package through the loader, shows the window
// with its palette, and opens FILE when given; returns when the person
// quits.
#include <QApplication>
#include <cstdlib>
#include <iostream>

#include "Commands.h"
#include "rtl/system/Exceptions.h"
#include "rtl/packages/Packages.h"
#include "vcl/Application.h"
#include "window/MainWindow.h"

namespace designer {

namespace {
// Unloaded when the window is gone, whatever ends the run.
class TPackageScope {
 public:
  explicit TPackageScope(const std::string& fileName) : handle_(rtl::LoadPackage(fileName)) {}
  ~TPackageScope() { rtl::UnloadPackage(handle_); }
  TPackageScope(const TPackageScope&) = delete;
  TPackageScope& operator=(const TPackageScope&) = delete;

 private:
  rtl::HMODULE handle_;
};

bool SomewhereToShow() {
  return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr ||
         std::getenv("QT_QPA_PLATFORM") != nullptr;
}
}  // namespace

int RunOpen(const TArgs& arguments) {
  TArgs args = arguments;
  std::string packageFile = TakeOption(args, "--package");
  std::string moduleFile;
  if (!args.empty() && args.front().rfind("--", 0) != 0) {
    moduleFile = args.front();
    args.erase(args.begin());
  }
  NoMoreArgs(args, "open");
  if (packageFile.empty()) packageFile = DefaultPackagePath();
  if (!SomewhereToShow())
    throw rtl::Exception("There is no display to show the window on: set DISPLAY, or run it under xvfb-run");

  static int argc = 1;
  static char name[] = "dvdesigner";
  static char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  QApplication::setApplicationName("dvdesigner");
  vcl::EnsureWidgetSystem();
  std::cerr << "Loading package " << packageFile << " ...\n";
  TPackageScope package(packageFile);
  int result = 0;
  {
    TMainWindow window{TDesignerSettings()};
    window.show();
    if (!moduleFile.empty()) window.OpenFile(moduleFile);
    result = QApplication::exec();
  }
  return result;
}

}  // namespace designer
