#include "FirebirdStatus.h"

#include <algorithm>

namespace dralvo {

void TFirebirdStatus::Clear() { std::fill(std::begin(vector_), std::end(vector_), 0); }

std::string TFirebirdStatus::Message() const {
  std::string out;
  char line[1024];
  const ISC_STATUS* cursor = vector_;
  while (fb_interpret(line, sizeof line, &cursor) > 0) {
    if (!out.empty()) out += "; ";
    out += line;
  }
  return out.empty() ? "unknown error" : out;
}

bool TFirebirdStatus::Has(ISC_STATUS code) const {
  // Entries are (kind, value) pairs up to isc_arg_end; a string argument
  // takes one value, a counted string two.
  for (size_t i = 0; i + 1 < ISC_STATUS_LENGTH && vector_[i] != isc_arg_end;) {
    if (vector_[i] == isc_arg_gds && vector_[i + 1] == code) return true;
    i += vector_[i] == isc_arg_cstring ? 3 : 2;
  }
  return false;
}

}  // namespace dralvo
