#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QTest>

#include "rtl/system/SysUtils.h"
#include "window/ModuleView.h"

namespace windowtest {

WindowTest::WindowTest() {
  automation_.OnMessage = [this](const vcl::TMessageDlgInfo& info) {
    return answer_ ? answer_(info) : vcl::mrOk;
  };
  scope_ = std::make_unique<vcl::ScopedAutomation>(automation_);
  window_ = std::make_unique<designer::TMainWindow>(designer::TDesignerSettings(config_.File("dvdesigner.ini")));
  window_->AskFileName = [this](designer::TFileQuestion, const std::string&) {
    if (fileNames_.empty()) return std::string();
    std::string name = fileNames_.front();
    fileNames_.pop_front();
    return name;
  };
  window_->show();
  QApplication::processEvents();
}

WindowTest::~WindowTest() {
  // A module left modified by the test is dropped without asking.
  answer_ = [](const vcl::TMessageDlgInfo&) { return vcl::mrNo; };
  window_.reset();
  scope_.reset();
}

designer::TDesignDocument& WindowTest::Doc() {
  if (window_->Document() == nullptr) throw std::logic_error("no module is open");
  return *window_->Document();
}

rtl::TComponent* WindowTest::Component(const std::string& name) { return Doc().Root().FindComponent(name); }

QPoint WindowTest::IconOf(const std::string& name) {
  rtl::TComponent* component = Component(name);
  if (component == nullptr) throw std::logic_error("no component " + name);
  return window_->ModuleView()->BoxOf(*component).center();
}

void WindowTest::ClickModule(QPoint at, Qt::KeyboardModifiers keys) {
  QTest::mouseClick(window_->ModuleView(), Qt::LeftButton, keys, at);
}

void WindowTest::DragModule(QPoint from, QPoint to, Qt::KeyboardModifiers keys) {
  QWidget* view = window_->ModuleView();
  QTest::mousePress(view, Qt::LeftButton, keys, from);
  QTest::mouseMove(view, (from + to) / 2);
  QTest::mouseMove(view, to);
  QTest::mouseRelease(view, Qt::LeftButton, keys, to);
}

QMenu* WindowTest::ContextMenuOn(const std::string& name) {
  QWidget* view = window_->ModuleView();
  const QPoint at = IconOf(name);
  QTest::mousePress(view, Qt::RightButton, {}, at);
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->mapToGlobal(at));
  QApplication::sendEvent(view, &event);
  QTest::mouseRelease(view, Qt::RightButton, {}, at);
  return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

void WindowTest::ChooseEntry(QMenu& menu, const std::string& text) {
  for (QAction* action : menu.actions()) {
    if (action->text().remove('&').toStdString() != text) continue;
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(action).center());
    return;
  }
  throw std::logic_error("the menu has no entry " + text);
}

void WindowTest::Trigger(const char* action) { window_->Action(action)->trigger(); }

}  // namespace windowtest
