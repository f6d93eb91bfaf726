#include "FormWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>

#include "EventLoopGuard.h"
#include "vcl/Forms.h"
#include "vcl/qt/Widgets.h"

namespace vcl {

TFormWindow::TFormWindow(TForm* form) : form_(form) {
  focusConnection_ = QObject::connect(qApp, &QApplication::focusChanged, this,
                                      [this](QWidget*, QWidget* now) { RealFocusChanged(now); });
}

TFormWindow::~TFormWindow() { ForgetForm(); }

void TFormWindow::ForgetForm() { QObject::disconnect(focusConnection_); }

void TFormWindow::RealFocusChanged(QWidget* now) {
  if (now == nullptr || now->window() != this) return;
  auto* control = dynamic_cast<TWinControl*>(qt::FindControl(now));
  if (control == nullptr || control == form_ || control == form_->ActiveControl() || control->ParentForm() != form_)
    return;
  Guarded([&] { form_->FocusControl(control, false); });
}

void TFormWindow::done(int result) {
  // Qt's own accept/reject (from its key handling) become a close request.
  (void)result;
  Guarded([this] { form_->Close(); });
}

void TFormWindow::closeEvent(QCloseEvent* event) {
  if (!form_->Modal()) {
    bool canClose = true;
    Guarded([&] { canClose = form_->CloseQuery(); });
    if (canClose)
      event->accept();
    else
      event->ignore();
    return;
  }
  // A modal form closes only through FinishModal, after its close rules ran.
  event->ignore();
  Guarded([this] { form_->WindowCloseRequested(); });
}

void TFormWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Guarded([this] { form_->PressEnter(); });
      return;
    case Qt::Key_Escape:
      Guarded([this] { form_->PressEscape(); });
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void TFormWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  form_->AlignControls();
}

}  // namespace vcl
