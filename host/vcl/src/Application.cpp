#include "vcl/Application.h"

#include <QApplication>
#include <QFont>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

#include "EventLoopGuard.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/Dialogs.h"

namespace vcl {

namespace {
struct WidgetSystem {
  TApplication* application = nullptr;
  TScreen* screen = nullptr;
  QApplication* ownedQtApp = nullptr;
};
WidgetSystem& System() {
  static WidgetSystem system;
  return system;
}
}  // namespace

void EnsureWidgetSystem() {
  if (QCoreApplication::instance() != nullptr) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
      throw rtl::Exception("The widget layer needs a QApplication, but the program made a non-widget one");
    return;
  }
  // No one would see a window without a display: draw offscreen instead of
  // failing to connect.
  auto unset = [](const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr || *value == '\0';
  };
  if (unset("QT_QPA_PLATFORM") && unset("DISPLAY") && unset("WAYLAND_DISPLAY"))
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char arg0[] = "vcl160";
  static char* argv[] = {arg0, nullptr};
  System().ownedQtApp = new QApplication(argc, argv);
  // The classic dialog font is not on Linux; a condensed sans keeps the
  // texts within the bounds the dialogs were laid out for.
  QFont::insertSubstitutions("MS Sans Serif", {"DejaVu Sans Condensed", "Liberation Sans Narrow", "DejaVu Sans"});
}

void ShutdownWidgetSystem() {
  WidgetSystem& s = System();
  delete s.application;
  s.application = nullptr;
  delete s.screen;
  s.screen = nullptr;
  delete s.ownedQtApp;
  s.ownedQtApp = nullptr;
}

bool HasDisplay() {
  QString platform = QGuiApplication::platformName();
  if (QCoreApplication::instance() == nullptr) {
    const char* env = std::getenv("QT_QPA_PLATFORM");
    platform = env != nullptr ? QString::fromUtf8(env) : QString();
  }
  return !(platform.startsWith("offscreen") || platform.startsWith("minimal"));
}

TApplication* Application() {
  EnsureWidgetSystem();
  WidgetSystem& s = System();
  if (s.application == nullptr) s.application = new TApplication(nullptr);
  return s.application;
}

TScreen* Screen() {
  EnsureWidgetSystem();
  WidgetSystem& s = System();
  if (s.screen == nullptr) s.screen = new TScreen(nullptr);
  return s.screen;
}

const rtl::TClass& TApplication::StaticClass() {
  static const rtl::TClass cls("TApplication", &rtl::TComponent::StaticClass());
  return cls;
}

TApplication::TApplication(rtl::TComponent* owner) : rtl::TComponent(owner) {}

TApplication::~TApplication() {
  // Forms go while Qt still runs.
  while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
}

void TApplication::ProcessMessages() { QCoreApplication::processEvents(); }

void TApplication::HandleException(const std::exception& error) {
  if (dynamic_cast<const rtl::EAbort*>(&error) != nullptr) return;
  MessageDlg(error.what(), TMsgDlgType::mtError, mbOK);
}

void ReportGuardedException(const std::exception& error) noexcept {
  try {
    Application()->HandleException(error);
  } catch (const std::exception& again) {
    std::fprintf(stderr, "Error: %s\n(while reporting: %s)\n", again.what(), error.what());
  } catch (...) {
    std::fprintf(stderr, "Error: %s\n", error.what());
  }
}

void ReportUnknownGuardedException() noexcept { std::fprintf(stderr, "Error: unknown exception in an event handler\n"); }

const rtl::TClass& TScreen::StaticClass() {
  static const rtl::TClass cls("TScreen", &rtl::TComponent::StaticClass());
  return cls;
}

TScreen::TScreen(rtl::TComponent* owner) : rtl::TComponent(owner) {}

TScreen::~TScreen() {
  if (cursor_ != crDefault) QApplication::restoreOverrideCursor();
}

namespace {
Qt::CursorShape ShapeOf(TCursor cursor) {
  switch (cursor) {
    case crHourGlass:
      return Qt::WaitCursor;
    default:
      return Qt::ArrowCursor;
  }
}
}  // namespace

void TScreen::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  bool overridden = cursor_ != crDefault;
  cursor_ = cursor;
  if (cursor == crDefault) {
    if (overridden) QApplication::restoreOverrideCursor();
  } else if (overridden) {
    QApplication::changeOverrideCursor(QCursor(ShapeOf(cursor)));
  } else {
    QApplication::setOverrideCursor(QCursor(ShapeOf(cursor)));
  }
}

int TScreen::Width() const {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->geometry().width() : 0;
}

int TScreen::Height() const {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->geometry().height() : 0;
}

}  // namespace vcl
