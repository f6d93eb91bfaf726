#pragma once
// The one list of registrations, in the order they were made. Private to
// the design framework.
#include <vector>

#include "designide/Registration.h"

namespace designide::detail {

std::vector<TRegistrationInfo>& Store();

}  // namespace designide::detail
