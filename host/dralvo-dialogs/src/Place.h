#pragma once
// Placing a control on a dialog: owner, name, parent, bounds and caption in
// one call, for the dialogs' layout files.
#include "vcl/Controls.h"

namespace dralvo {

template <class T>
T* Place(rtl::TComponent* owner, vcl::TWinControl* parent, const char* name, int left, int top, int width,
         int height, const char* caption = nullptr) {
  auto* control = new T(owner);
  control->SetName(name);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  if (caption != nullptr) control->SetCaption(caption);
  return control;
}

// The look every dialog of the library shares.
void DialogLook(vcl::TForm& form, const char* caption, int width, int height);

}  // namespace dralvo
