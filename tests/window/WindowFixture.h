#pragma once
// The real designer window on the example module, driven with Qt's test
// tools as a person drives it. Modal dialogs and message boxes of the
// package and of the designer go through the widget layer's automation,
// which the test answers; file names are answered here too.
#include <gtest/gtest.h>

#include <QMenu>
#include <QPoint>
#include <deque>
#include <memory>
#include <string>

#include "WindowEnvironment.h"
#include "vcl/Automation.h"
#include "window/MainWindow.h"
#include "window/ValueEditor.h"

class QTreeWidgetItem;

namespace windowtest {

class WindowTest : public ::testing::Test {
 protected:
  WindowTest();
  ~WindowTest() override;

  designer::TMainWindow& Window() { return *window_; }
  designer::TDesignDocument& Doc();
  rtl::TComponent* Component(const std::string& name);
  // The centre of a component's icon in the module view.
  QPoint IconOf(const std::string& name);
  void ClickModule(QPoint at, Qt::KeyboardModifiers keys = {});
  void DragModule(QPoint from, QPoint to, Qt::KeyboardModifiers keys = {});
  // Right-click on the component; the menu that pops up.
  QMenu* ContextMenuOn(const std::string& name);
  // Clicks the menu entry with this text (without "&").
  void ChooseEntry(QMenu& menu, const std::string& text);
  void Trigger(const char* action);
  // The Object Inspector's value cell of a row (fails the test when none).
  designer::TValueEditor& ValueOf(const std::string& path);
  // Types into a row's value cell, replacing its text, and presses Enter.
  void TypeValue(const std::string& path, const std::string& text);
  // Opens a row's drop-down and picks the entry with the keyboard.
  void PickValue(const std::string& path, const std::string& text);
  // The Structure view's line of a component's node.
  QTreeWidgetItem* StructureItemOf(const std::string& name);
  // Drags in the Structure view from one line to another.
  void DragStructure(QTreeWidgetItem* from, QTreeWidgetItem* to);
  // File names the window asks for, answered in order.
  std::deque<std::string> fileNames_;
  // Message boxes are answered by `answer` (OK when unset) and recorded.
  std::function<vcl::TModalResult(const vcl::TMessageDlgInfo&)> answer_;

  TExample example_;
  dvtest::TempDir config_;
  vcl::TScriptAutomation automation_;

 private:
  std::unique_ptr<vcl::ScopedAutomation> scope_;
  std::unique_ptr<designer::TMainWindow> window_;
};

}  // namespace windowtest
