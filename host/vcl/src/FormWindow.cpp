#include "FormWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>

#include "EventLoopGuard.h"
#include "vcl/Forms.h"

namespace vcl {

TFormWindow::TFormWindow(TForm* form) : form_(form) {}

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
