#pragma once
// MessageDlg: a modal message box with a type and buttons, answered through
// the modal seam (vcl/Automation.h).
//
// Without an automation and without a display (the offscreen platform) no
// one can answer: the box does not wait. Its type and text go to standard
// error and it returns at once the answer that changes least: Cancel when
// offered, else No, else OK, else the first button offered.
#include <initializer_list>
#include <string>
#include <vector>

#include "rtl/objects/Component.h"
#include "vcl/Types.h"

namespace vcl {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn : unsigned {
  mbYes = 1u << 0,
  mbNo = 1u << 1,
  mbOK = 1u << 2,
  mbCancel = 1u << 3,
  mbAbort = 1u << 4,
  mbRetry = 1u << 5,
  mbIgnore = 1u << 6,
  mbAll = 1u << 7,
  mbNoToAll = 1u << 8,
  mbYesToAll = 1u << 9,
  mbHelp = 1u << 10,
  mbClose = 1u << 11,
};
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;

// What a message box shows, as handed to an automation.
struct TMessageDlgInfo {
  TMsgDlgType Type = TMsgDlgType::mtCustom;
  std::string Text;
  TMsgDlgButtons Buttons = 0;
};

TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);

// A button of a question whose buttons are named for what they do.
struct TMsgDlgChoice {
  std::string Caption;  // "Reload from disk"
  TModalResult Result;
};
// A question with such buttons, in the order given: a modal form
// ("MessageChoiceDlg"), so an automation gets it as a form and presses its
// buttons. Enter presses the button of `defaultResult` (which has the
// focus), Escape the one giving mrCancel. With neither automation nor
// display no one can answer: `defaultResult` at once, the text on standard
// error.
TModalResult MessageDlgChoices(const std::string& text, TMsgDlgType type, const std::vector<TMsgDlgChoice>& choices,
                               TModalResult defaultResult);

// The modal result a button gives; mrNone for none or several.
TModalResult ModalResultOfButton(TMsgDlgBtn button);
// The name of a type ("Error") and of a modal result ("Yes"), for logs.
const char* MsgDlgTypeName(TMsgDlgType type);
const char* ModalResultName(TModalResult result);

// Options of the file-open dialog, a set of flags.
enum TOpenOption : unsigned { ofFileMustExist = 1u << 0, ofPathMustExist = 1u << 1 };
using TOpenOptions = unsigned;

// The file-open dialog. Execute runs through the modal seam: an automation
// answers it (see TAutomation::FileDialogShown); without one, a person
// chooses in the desktop's dialog; with neither, it is cancelled at once.
class TOpenDialog : public rtl::TComponent {
  RTL_CLASS(TOpenDialog)
 public:
  explicit TOpenDialog(rtl::TComponent* owner);

  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& fileName) { fileName_ = fileName; }
  // "Description|pattern;pattern|Description|pattern"
  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& filter) { filter_ = filter; }
  const std::string& InitialDir() const { return initialDir_; }
  void SetInitialDir(const std::string& folder) { initialDir_ = folder; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions options) { options_ = options; }

  // True when a file was chosen (FileName holds it). A chosen file that
  // the options say must exist and does not raises EInOutError naming it.
  bool Execute();

 private:
  std::string fileName_;
  std::string filter_;
  std::string initialDir_;
  std::string title_;
  TOpenOptions options_ = ofPathMustExist;
};

}  // namespace vcl
