#pragma once
// What the framework's dialog layouts share: placing a control, the frame
// and font of a dialog, and a handler bound to one of the form's methods.
#include "vcl/Forms.h"
#include "vcl/Place.h"

namespace designide {

// Controls of the framework's dialogs are owned by and placed on the form.
template <class T>
T* Place(vcl::TForm* form, const char* name, int left, int top, int width, int height,
         const char* caption = nullptr) {
  return vcl::Place<T>(form, form, name, left, top, width, height, caption);
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
