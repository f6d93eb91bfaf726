// A question whose buttons say what they do, made of the library's own
// form, label and buttons, so that it runs through the modal seam like any
// dialog.
#include <algorithm>
#include <cstdio>
#include <memory>

#include "vcl/Application.h"
#include "vcl/Automation.h"
#include "vcl/DialogLook.h"
#include "vcl/Dialogs.h"
#include "vcl/Forms.h"
#include "vcl/Place.h"
#include "vcl/StdCtrls.h"

namespace vcl {

namespace {
constexpr int kMargin = 12;
constexpr int kLineHeight = 16;
constexpr int kButtonHeight = 25;
constexpr int kCharWidth = 7;  // the classic dialog font, with room to spare
}  // namespace

TModalResult MessageDlgChoices(const std::string& text, TMsgDlgType type, const std::vector<TMsgDlgChoice>& choices,
                               TModalResult defaultResult) {
  if (CurrentAutomation() == nullptr && !HasDisplay()) {
    std::fprintf(stderr, "%s: %s\n", MsgDlgTypeName(type), text.c_str());
    return defaultResult;
  }
  auto form = std::make_unique<TForm>(nullptr);
  form->SetName("MessageChoiceDlg");
  form->SetCaption(MsgDlgTypeName(type));
  int lines = 1;
  size_t longest = 0;
  for (size_t start = 0;;) {
    const size_t end = text.find('\n', start);
    longest = std::max(longest, (end == std::string::npos ? text.size() : end) - start);
    if (end == std::string::npos) break;
    ++lines;
    start = end + 1;
  }
  std::vector<int> widths;
  int buttonsWidth = 0;
  for (const TMsgDlgChoice& choice : choices) {
    widths.push_back(std::max(75, static_cast<int>(choice.Caption.size()) * kCharWidth + 16));
    buttonsWidth += widths.back() + 6;
  }
  const int width = std::max(static_cast<int>(longest) * kCharWidth / 5 * 4, buttonsWidth) + 2 * kMargin;
  const int labelHeight = lines * kLineHeight;
  const int height = kMargin + labelHeight + kMargin + kButtonHeight + kMargin;
  DialogLook(*form, TFormBorderStyle::bsDialog, width, height);
  Place<TLabel>(form.get(), "lblText", kMargin, kMargin, width - 2 * kMargin, labelHeight, text.c_str());
  int left = width - kMargin - buttonsWidth + 6;
  for (size_t i = 0; i < choices.size(); ++i) {
    const std::string name = "btChoice" + std::to_string(i + 1);
    auto* button = Place<TButton>(form.get(), name.c_str(), left, height - kMargin - kButtonHeight, widths[i],
                                  kButtonHeight, choices[i].Caption.c_str());
    button->SetModalResult(choices[i].Result);
    if (choices[i].Result == defaultResult) {
      button->SetDefault(true);
      form->SetActiveControl(button);
    }
    if (choices[i].Result == mrCancel) button->SetCancel(true);
    left += widths[i] + 6;
  }
  return form->ShowModal();
}

}  // namespace vcl
