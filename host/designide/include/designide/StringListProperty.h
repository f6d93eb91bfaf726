#pragma once
// The framework's editor of string-list properties (TStrings) that no
// package registered an editor for: an ellipsis button instead of
// sub-properties. The button brings the property's code-editor module to
// the front when one is open; with Alt held down it opens the lines in the
// code editor; otherwise it shows the framework's string-list dialog, from
// which the person may also move the lines to the code editor. Accepted
// lines go into the property of every selected component.
//
// The dialog lives in the dialog layer, and the keyboard with the widgets;
// both reach the framework through handlers the host installs
// (designide::InstallDesignerDialogs). Without a dialog, Edit raises
// EComponentError; without a keyboard, Alt reads as up.
#include <functional>
#include <string>

#include "designide/PropertyEditors.h"

namespace rtl {
class TStrings;
}

namespace designide {

// Moves a dialog's lines to the code editor; `textModified` when they
// differ from the property's.
using TShowCodeEditorProc = std::function<void(const rtl::TStrings& lines, bool textModified)>;
// Shows the string-list dialog on `lines` under `title`; true when the
// person accepted it (the dialog's lines then in `lines`). An empty
// showCodeEditor offers no way to the code editor.
using TStringListEditorHandler =
    std::function<bool(const std::string& title, rtl::TStrings& lines, const TShowCodeEditorProc& showCodeEditor)>;
void SetStringListEditorHandler(TStringListEditorHandler handler);
// Whether the Alt key is held down now.
void SetAltKeyQuery(std::function<bool()> query);

class TStringListProperty : public TClassProperty {
  RTL_CLASS(TStringListProperty)
 public:
  // TClassProperty's attributes, with paDialog and without paSubProperties.
  TPropertyAttributes GetAttributes() override;
  void Edit() override;
  // "ShopModule.OrdersUpdate.ModifySQL": the dialog's title.
  std::string Title() const;
};

}  // namespace designide
