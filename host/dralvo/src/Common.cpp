#include "dralvo/Common.h"

namespace dralvo {

namespace {

// The name is one well-formed double-quoted identifier: enclosed in double
// quotes, every quote inside doubled.
bool IsQuotedName(const std::string& name) {
  if (name.size() < 2 || name.front() != '"' || name.back() != '"') return false;
  for (size_t i = 1; i + 1 < name.size(); ++i) {
    if (name[i] != '"') continue;
    if (i + 2 >= name.size() || name[i + 1] != '"') return false;
    ++i;
  }
  return true;
}

}  // namespace

std::string QuoteIdentifier(const std::string& name, bool quote) {
  if (!quote || IsQuotedName(name)) return name;
  std::string out = "\"";
  for (char c : name) {
    out += c;
    if (c == '"') out += '"';
  }
  out += '"';
  return out;
}

std::string GetValidObjName(const std::string& name, bool dropOwner) {
  if (!dropOwner) return name;
  size_t lastDot = std::string::npos;
  char closing = 0;  // the quote character that ends the quoted run we are in
  for (size_t i = 0; i < name.size(); ++i) {
    char c = name[i];
    if (closing) {
      if (c == closing) closing = 0;  // a doubled quote reopens at once, same effect
    } else if (c == '"' || c == '`') {
      closing = c;
    } else if (c == '[') {
      closing = ']';
    } else if (c == '.') {
      lastDot = i;
    }
  }
  return lastDot == std::string::npos ? name : name.substr(lastDot + 1);
}

}  // namespace dralvo
