#pragma once
// Placing a control on a dialog: owner, name, parent, bounds and caption in
// one call, for the layout files of dialogs built on this library.
#include "vcl/Controls.h"

namespace vcl {

template <class T>
T* Place(rtl::TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width, int height,
         const char* caption = nullptr) {
  auto* control = new T(owner);
  control->SetName(name);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  if (caption != nullptr) control->SetCaption(caption);
  return control;
}

// A control owned by the form it sits on, as most of a dialog's are.
template <class T>
T* Place(TWinControl* form, const char* name, int left, int top, int width, int height,
         const char* caption = nullptr) {
  return Place<T>(form, form, name, left, top, width, height, caption);
}

}  // namespace vcl
