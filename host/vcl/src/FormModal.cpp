// Showing a form modally: through the automation when one is installed,
// through Qt's modal loop when a person is there, and never waiting for
// no one.
#include <QTimer>

#include "FormWindow.h"
#include "EventLoopGuard.h"
#include "vcl/Application.h"
#include "vcl/Automation.h"
#include "vcl/Forms.h"

namespace vcl {

namespace {
std::string Quoted(const std::string& caption) { return "\"" + caption + "\""; }
}  // namespace

TModalResult TForm::ShowModal() {
  if (modal_ || window_->isVisible()) throw rtl::Exception("Cannot make a visible window modal");
  modalResult_ = mrNone;
  modal_ = true;
  struct EndModal {
    TForm* form;
    ~EndModal() {
      form->modal_ = false;
      form->interactive_ = false;
      form->window_->hide();
    }
  } endModal{this};
  UpdateTabChain();
  if (TAutomation* automation = CurrentAutomation()) {
    (void)automation;
    return RunAutomated();
  }
  if (!HasDisplay())
    throw rtl::Exception("Cannot show the form " + Quoted(Caption()) +
                         ": there is no display and no automation to answer it");
  return RunInteractive();
}

TModalResult TForm::RunAutomated() {
  TAutomation& automation = *CurrentAutomation();
  // Shown on whatever platform runs, so that geometry and focus are real.
  Show();
  FocusFirst();
  automation.FormShown(*this);
  for (int refused = 0;; ++refused) {
    if (modalResult_ == mrNone)
      throw rtl::Exception("The automation left the form " + Quoted(Caption()) + " open without a modal result");
    if (CloseQuery()) break;
    modalResult_ = mrNone;
    if (refused >= MaxRefusedCloses)
      throw rtl::Exception("The form " + Quoted(Caption()) + " refused to close " + std::to_string(refused + 1) +
                           " times; the automation was stopped");
    automation.CloseRefused(*this);
  }
  return modalResult_;
}

TModalResult TForm::RunInteractive() {
  interactive_ = true;
  PlaceOnScreen();
  window_->setWindowModality(Qt::ApplicationModal);
  window_->show();
  FocusFirst();
  window_->exec();
  return modalResult_;
}

void TForm::SetModalResult(TModalResult result) {
  modalResult_ = result;
  // As on the platform, the close is checked once the current event is done.
  if (modal_ && interactive_ && result != mrNone)
    QTimer::singleShot(0, window_, [this] { Guarded([this] { CheckModalClose(); }); });
}

void TForm::CheckModalClose() {
  if (!modal_ || !interactive_ || modalResult_ == mrNone) return;
  if (CloseQuery())
    window_->FinishModal(modalResult_);
  else
    modalResult_ = mrNone;
}

}  // namespace vcl
