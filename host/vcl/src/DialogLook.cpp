#include "vcl/DialogLook.h"

namespace vcl {

void SetDialogFont(TForm& form) {
  form.Font().SetName("MS Sans Serif");
  form.Font().SetHeight(-11);
}

void DialogLook(TForm& form, TFormBorderStyle style, int clientWidth, int clientHeight) {
  form.SetBorderIcons(biSystemMenu);
  form.SetBorderStyle(style);
  form.SetClientSize(clientWidth, clientHeight);
  SetDialogFont(form);
  form.SetPosition(TPosition::poScreenCenter);
}

}  // namespace vcl
