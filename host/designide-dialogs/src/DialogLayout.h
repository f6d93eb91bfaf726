#pragma once
// What the framework's dialog layouts share: placing a control, the frame
// and font of a dialog, and a handler bound to one of the form's methods.
#include "vcl/Forms.h"

namespace designide {

template <class T>
T* Place(vcl::TForm* form, const char* name, int left, int top, int width, int height,
         const char* caption = nullptr) {
  auto* control = new T(form);
  control->SetName(name);
  control->SetParent(form);
  control->SetBounds(left, top, width, height);
  if (caption != nullptr) control->SetCaption(caption);
  return control;
}

inline void DialogLook(vcl::TForm& form, const char* name, vcl::TFormBorderStyle style, int width, int height) {
  form.SetName(name);
  form.SetBorderIcons(vcl::biSystemMenu);
  form.SetBorderStyle(style);
  form.SetClientSize(width, height);
  form.Font().SetName("MS Sans Serif");
  form.Font().SetHeight(-11);
  form.SetPosition(vcl::TPosition::poScreenCenter);
}

template <class F>
vcl::TNotifyEvent Handler(F* form, void (F::*method)(rtl::TObject*)) {
  return [form, method](rtl::TObject* sender) { (form->*method)(sender); };
}

}  // namespace designide
