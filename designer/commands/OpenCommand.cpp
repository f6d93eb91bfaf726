// dvdesigner open [FILE] [--package FILE] (and dvdesigner FILE.dfm): the
// designer window. Loads the package through the loader, shows the window
// with its palette, and opens FILE when given; returns when the person
// quits.
#include <QApplication>
#include <cstdlib>
#include <iostream>
#include <string>

#include "CommandModule.h"
#include "OutputText.h"
#include "vcl/Application.h"
#include "window/MainWindow.h"

namespace designer {

namespace {
std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

bool SomewhereToShow() {
  return !Env("DISPLAY").empty() || !Env("WAYLAND_DISPLAY").empty() || !Env("QT_QPA_PLATFORM").empty();
}

// The toolkit ends the process (a fatal message, then abort) when no
// platform it could start reaches a display. While the window's toolkit
// starts, that becomes this program's own error, exit 2; what the toolkit
// said on the way (which display it tried) is kept to name it.
std::string toolkitSaid;
QtMessageHandler quieter = nullptr;

void WhileStarting(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtFatalMsg) {
    if (toolkitSaid.empty() && message.contains("display")) toolkitSaid = message.toStdString();
    if (quieter != nullptr) quieter(type, context, message);
    return;
  }
  std::cerr << "dvdesigner open: no display could be reached (DISPLAY=\"" << ForTerminal(Env("DISPLAY")) << "\""
            << (toolkitSaid.empty() ? std::string() : "; the toolkit says: " + ForTerminal(toolkitSaid))
            << "): start the window where a display is, or run it under xvfb-run\n";
  std::_Exit(2);
}
}  // namespace

int RunOpen(const TArgs& args) {
  if (!SomewhereToShow())
    throw EBadInput("no display could be reached (DISPLAY is empty or not set): set DISPLAY, or run it under xvfb-run");

  static int argc = 1;
  static char name[] = "dvdesigner";
  static char* argv[] = {name, nullptr};
  quieter = qInstallMessageHandler(WhileStarting);
  QApplication application(argc, argv);
  qInstallMessageHandler(quieter);
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
