#pragma once
// Compact text forms of parser results, so table rows can state them in one
// string: fields "name=value; ...", tables "alias=table; ...".
#include <string>

#include "dralvo/SqlParser.h"

namespace dvtest {

inline std::string RenderFields(const dralvo::sql::ParsedSelect& r) {
  std::string out;
  for (const auto& f : r.fields) {
    if (!out.empty()) out += "; ";
    out += f.name + "=" + f.value;
  }
  return out;
}

inline std::string RenderTables(const dralvo::sql::ParsedSelect& r) {
  std::string out;
  for (const auto& t : r.tables) {
    if (!out.empty()) out += "; ";
    out += t.alias + "=" + t.table;
  }
  return out;
}

inline std::string RenderStars(const dralvo::sql::ParsedSelect& r) {
  std::string out;
  for (const auto& s : r.stars) {
    if (!out.empty()) out += "; ";
    out += std::to_string(s.position) + ":" + (s.qualifier.empty() ? "*" : s.qualifier + ".*") + "=" + s.table;
  }
  return out;
}

}  // namespace dvtest
