#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QTest>

#include "rtl/system/SysUtils.h"
#include "window/InspectorPanel.h"
#include "window/ModuleView.h"
#include "window/StructurePanel.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

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

designer::TValueEditor& WindowTest::ValueOf(const std::string& path) {
  designer::TInspectorPanel& inspector = *window_->Inspector();
  if (designer::TValueEditor* open = inspector.EditorOf(path)) return *open;
  QTreeWidgetItem* item = inspector.ItemOf(path);
  if (item == nullptr) throw std::logic_error("the Object Inspector shows no row " + path);
  QTreeWidget* rows = inspector.Tree();
  rows->scrollToItem(item);
  QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, rows->visualItemRect(item).center());
  designer::TValueEditor* editor = inspector.EditorOf(path);
  if (editor == nullptr) throw std::logic_error("a click on row " + path + " opened no value cell");
  return *editor;
}

void WindowTest::TypeValue(const std::string& path, const std::string& text) {
  QLineEdit* line = ValueOf(path).Line();
  line->setFocus();
  line->selectAll();
  QTest::keyClicks(line, QString::fromStdString(text));
  QTest::keyClick(line, Qt::Key_Return);
}

void WindowTest::PickValue(const std::string& path, const std::string& text) {
  QComboBox* list = ValueOf(path).List();
  if (list == nullptr) throw std::logic_error("row " + path + " has no drop-down");
  list->showPopup();
  const int index = list->findText(QString::fromStdString(text));
  if (index < 0) throw std::logic_error("the drop-down of " + path + " offers no " + text);
  QAbstractItemView* view = list->view();
  view->setCurrentIndex(view->model()->index(index, 0));
  QTest::keyClick(view, Qt::Key_Return);
}

QTreeWidgetItem* WindowTest::StructureItemOf(const std::string& name) {
  designer::TStructurePanel& view = *window_->Structure();
  QTreeWidgetItem* item = view.ItemOf(view.Tree()->NodeFor(Component(name)));
  if (item == nullptr) throw std::logic_error("the Structure view shows no node of " + name);
  return item;
}

void WindowTest::DragStructure(QTreeWidgetItem* from, QTreeWidgetItem* to) {
  designer::TStructurePanel& view = *window_->Structure();
  const QPoint start = view.visualItemRect(from).center();
  const QPoint end = view.visualItemRect(to).center();
  QTest::mousePress(view.viewport(), Qt::LeftButton, {}, start);
  QTest::mouseMove(view.viewport(), (start + end) / 2);
  QTest::mouseMove(view.viewport(), end);
  QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, end);
}

}  // namespace windowtest
