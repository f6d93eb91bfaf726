#pragma once
// The look the dialogs of every library on this one share: the system menu
// only, a frame, a client size, the dialog font, centred on the screen.
#include "vcl/Forms.h"

namespace vcl {

// The font of every dialog, so that layouts measured against it fit.
void SetDialogFont(TForm& form);

void DialogLook(TForm& form, TFormBorderStyle style, int clientWidth, int clientHeight);

}  // namespace vcl
