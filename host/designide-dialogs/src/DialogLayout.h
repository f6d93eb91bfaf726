#pragma once
// What the framework's dialog layouts share beyond the widget layer's
// placing and look: a handler bound to one of the form's methods.
#include "vcl/DialogLook.h"
#include "vcl/Forms.h"
#include "vcl/Place.h"

namespace designide {

using vcl::Place;

template <class F>
vcl::TNotifyEvent Handler(F* form, void (F::*method)(rtl::TObject*)) {
  return [form, method](rtl::TObject* sender) { (form->*method)(sender); };
}

}  // namespace designide
