#include "DVReg/registration/Register.h"

#include "DVReg/registration/Registrations.h"

namespace dv {

// Nothing is caught: an error ends Register at that point and reaches the
// IDE, which reports it.
void Register() {
  RegisterPalette();
  RegisterPropertyEditors();
  RegisterComponentEditors();
  RegisterTextAndLinkEditors();
  RegisterCategories();
  RegisterSprigs();
}

}  // namespace dv
