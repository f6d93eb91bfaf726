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
