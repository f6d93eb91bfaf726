#pragma once
// What the dialogs' layout files share: placing a control and the look of
// a dialog.
#include "vcl/Forms.h"
#include "vcl/Place.h"

namespace dralvo {

using vcl::Place;

// The look every dialog of the library shares.
void DialogLook(vcl::TForm& form, const char* caption, int width, int height);

}  // namespace dralvo
