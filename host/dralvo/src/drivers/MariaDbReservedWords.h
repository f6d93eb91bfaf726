#pragma once
// MariaDB's reserved words as shipped with the build, in capitals.
#include <string>
#include <vector>

namespace dralvo {

const std::vector<std::string>& MariaDbShippedReservedWords();

}  // namespace dralvo
