#include "DVReg/Registrations.h"

namespace dv {

void RegisterSprigs() {}

}  // namespace dv
