#pragma once
// Sorting many texts a person types in the order of AnsiCompareText
// (rtl/system/SysUtils.h), with one key made per text instead of two
// conversions per comparison.
#include <string>
#include <vector>

namespace rtl {

// Stable: texts that compare equal keep their order.
void AnsiSortTexts(std::vector<std::string>& texts);

}  // namespace rtl
