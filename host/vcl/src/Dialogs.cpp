#include "vcl/Dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>
#include <utility>
#include <vector>

#include "rtl/system/Exceptions.h"
#include "vcl/Application.h"
#include "vcl/Automation.h"

namespace vcl {

namespace {
struct ButtonInfo {
  TMsgDlgBtn button;
  TModalResult result;
  const char* caption;
  QMessageBox::StandardButton standard;
};
// In the order the platform lays buttons out.
const std::vector<ButtonInfo>& ButtonTable() {
  static const std::vector<ButtonInfo> table{
      {mbYes, mrYes, "&Yes", QMessageBox::Yes},
      {mbNo, mrNo, "&No", QMessageBox::No},
      {mbOK, mrOk, "OK", QMessageBox::Ok},
      {mbCancel, mrCancel, "Cancel", QMessageBox::Cancel},
      {mbAbort, mrAbort, "&Abort", QMessageBox::Abort},
      {mbRetry, mrRetry, "&Retry", QMessageBox::Retry},
      {mbIgnore, mrIgnore, "&Ignore", QMessageBox::Ignore},
      {mbAll, mrAll, "&All", QMessageBox::NoButton},
      {mbNoToAll, mrNoToAll, "N&o to All", QMessageBox::NoToAll},
      {mbYesToAll, mrYesToAll, "Yes to &All", QMessageBox::YesToAll},
      {mbHelp, mrNone, "&Help", QMessageBox::Help},
      {mbClose, mrClose, "&Close", QMessageBox::Close},
  };
  return table;
}

bool Offers(TMsgDlgButtons buttons, TModalResult result) {
  for (const ButtonInfo& b : ButtonTable())
    if ((buttons & b.button) != 0 && b.result == result && result != mrNone) return true;
  return false;
}

// The answer that changes least, for when no one can answer.
TModalResult LeastChangingAnswer(TMsgDlgButtons buttons) {
  for (TMsgDlgBtn b : {mbCancel, mbNo, mbOK})
    if ((buttons & b) != 0) return ModalResultOfButton(b);
  for (const ButtonInfo& b : ButtonTable())
    if ((buttons & b.button) != 0 && b.result != mrNone) return b.result;
  return mrCancel;
}

QMessageBox::Icon IconOf(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning:
      return QMessageBox::Warning;
    case TMsgDlgType::mtError:
      return QMessageBox::Critical;
    case TMsgDlgType::mtInformation:
      return QMessageBox::Information;
    case TMsgDlgType::mtConfirmation:
      return QMessageBox::Question;
    case TMsgDlgType::mtCustom:
      break;
  }
  return QMessageBox::NoIcon;
}

TModalResult AskPerson(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  std::string title = type == TMsgDlgType::mtCustom ? Application()->Title() : MsgDlgTypeName(type);
  QMessageBox box(IconOf(type), QString::fromStdString(title), QString::fromStdString(text), QMessageBox::NoButton,
                  QApplication::activeWindow());
  std::vector<std::pair<QAbstractButton*, TModalResult>> answers;
  for (const ButtonInfo& b : ButtonTable()) {
    if ((buttons & b.button) == 0) continue;
    QAbstractButton* button = b.standard != QMessageBox::NoButton
                                  ? static_cast<QAbstractButton*>(box.addButton(b.standard))
                                  : box.addButton(QString::fromUtf8(b.caption), QMessageBox::AcceptRole);
    answers.emplace_back(button, b.result);
  }
  box.exec();
  for (auto& [button, result] : answers)
    if (box.clickedButton() == button) return result;
  return mrCancel;
}
}  // namespace

TModalResult ModalResultOfButton(TMsgDlgBtn button) {
  for (const ButtonInfo& b : ButtonTable())
    if (b.button == button) return b.result;
  return mrNone;
}

const char* MsgDlgTypeName(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning:
      return "Warning";
    case TMsgDlgType::mtError:
      return "Error";
    case TMsgDlgType::mtInformation:
      return "Information";
    case TMsgDlgType::mtConfirmation:
      return "Confirm";
    case TMsgDlgType::mtCustom:
      break;
  }
  return "Message";
}

const char* ModalResultName(TModalResult result) {
  static const char* const names[] = {"None", "OK",  "Cancel",   "Abort",     "Retry", "Ignore",
                                      "Yes",  "No",  "All",      "NoToAll",   "YesToAll", "Close"};
  if (result >= 0 && result < static_cast<TModalResult>(std::size(names))) return names[result];
  return "Unknown";
}

TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext) {
  (void)helpContext;
  if (TAutomation* automation = CurrentAutomation()) {
    TModalResult answer = automation->MessageShown(TMessageDlgInfo{type, text, buttons});
    if (!Offers(buttons, answer))
      throw rtl::Exception(std::string("The automation answered the message \"") + text + "\" with " +
                           ModalResultName(answer) + ", which is not one of its buttons");
    return answer;
  }
  if (!HasDisplay()) {
    std::fprintf(stderr, "%s: %s\n", MsgDlgTypeName(type), text.c_str());
    return LeastChangingAnswer(buttons);
  }
  return AskPerson(text, type, buttons);
}

}  // namespace vcl
