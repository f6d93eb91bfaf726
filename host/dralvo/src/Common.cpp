#include "dralvo/Common.h"

#include <vector>

#include "dralvo/NameRules.h"

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
  return TDVNameRules::Quote(name, '"');
}

namespace {
// Where `name` has dots outside its quoted runs ("...", `...`, [...]): the
// dots that separate an owner from the object.
std::vector<size_t> UnquotedDots(const std::string& name) {
  std::vector<size_t> dots;
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
      dots.push_back(i);
    }
  }
  return dots;
}
}  // namespace

std::string GetValidObjName(const std::string& name, bool dropOwner) {
  if (!dropOwner) return name;
  std::vector<size_t> dots = UnquotedDots(name);
  return dots.empty() ? name : name.substr(dots.back() + 1);
}

std::string WithoutApostrophes(const std::string& name) {
  std::string out;
  out.reserve(name.size());
  char closing = 0;  // as in UnquotedDots: the quote that ends the run we are in
  for (char c : name) {
    if (closing) {
      if (c == closing) closing = 0;
    } else if (c == '"' || c == '`') {
      closing = c;
    } else if (c == '[') {
      closing = ']';
    } else if (c == '\'') {
      continue;
    }
    out += c;
  }
  return out;
}

std::string QuoteObjectName(const std::string& name, bool quote) {
  if (!quote) return name;
  std::vector<size_t> dots = UnquotedDots(name);
  std::string out;
  size_t start = 0;
  dots.push_back(name.size());
  for (size_t dot : dots) {
    std::string part = name.substr(start, dot - start);
    // An empty part is no owner syntax: the text is quoted as one name.
    if (part.empty()) return QuoteIdentifier(name, true);
    if (!out.empty()) out += '.';
    out += QuoteIdentifier(part, true);
    start = dot + 1;
  }
  return out;
}

}  // namespace dralvo
