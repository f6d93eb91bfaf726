#include "window/Reporting.h"

#include <QApplication>
#include <QStatusBar>
#include <exception>

#include "rtl/system/Exceptions.h"
#include "vcl/Dialogs.h"

namespace designer {

bool RunReported(const std::string& what, const std::function<void()>& work) {
  try {
    work();
    return true;
  } catch (const rtl::EAbort&) {
    return false;  // a silent stop the person asked for
  } catch (const std::exception& error) {
    vcl::MessageDlg(what + " failed:\n" + error.what(), vcl::TMsgDlgType::mtError, vcl::mbOK);
  } catch (...) {
    vcl::MessageDlg(what + " failed: unknown error", vcl::TMsgDlgType::mtError, vcl::mbOK);
  }
  return false;
}

TBusyScope::TBusyScope(QStatusBar* statusBar, const std::string& message) : statusBar_(statusBar) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  if (statusBar_ != nullptr) {
    statusBar_->showMessage(QString::fromStdString(message));
    statusBar_->repaint();
  }
}

TBusyScope::~TBusyScope() {
  QApplication::restoreOverrideCursor();
  if (statusBar_ != nullptr) statusBar_->clearMessage();
}

}  // namespace designer
