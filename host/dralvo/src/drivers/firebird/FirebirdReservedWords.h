#pragma once
// Firebird's reserved words as shipped with the build, in capitals.
#include <string>
#include <vector>

namespace dralvo {

std::vector<std::string> FirebirdShippedReservedWords();

}  // namespace dralvo
