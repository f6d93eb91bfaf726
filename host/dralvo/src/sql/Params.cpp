// ":name" parameters: found by the tokenizer, so text in strings, quoted
// names and comments never counts, and "::" casts stay casts.
#include "dralvo/SqlParser.h"

#include <algorithm>

#include "rtl/system/SysUtils.h"

namespace dralvo::sql {

std::vector<ParamRef> FindParams(const std::string& sql, const LexicalRules& rules) {
  try {
    return FindParams(sql, Tokenize(sql, rules));
  } catch (...) {  // out of memory on huge text
    return {};
  }
}

std::vector<ParamRef> FindParams(std::string_view sql, const std::vector<Token>& tokens) {
  std::vector<ParamRef> out;
  for (const Token& t : tokens) {
    if (t.kind != TokenKind::Param || t.unterminated) continue;
    std::string_view text = t.Text(sql).substr(1);
    out.push_back(ParamRef{UnquoteIdentifier(text), t.offset, t.length});
  }
  return out;
}

PositionalSql ToPositionalParams(const std::string& sql, ParamMarker marker, const LexicalRules& rules) {
  return ToPositionalParams(sql, FindParams(sql, rules), marker);
}

PositionalSql ToPositionalParams(const std::string& sql, const std::vector<ParamRef>& params, ParamMarker marker) {
  PositionalSql r;
  std::vector<std::string> numbered;  // Dollar: distinct names, $n is numbered[n-1]
  size_t copied = 0;
  for (const ParamRef& p : params) {
    r.sql.append(sql, copied, p.offset - copied);
    copied = p.offset + p.length;
    if (marker == ParamMarker::Question) {
      r.sql += '?';
      r.names.push_back(p.name);
      continue;
    }
    auto it = std::find_if(numbered.begin(), numbered.end(), [&](const std::string& n) { return rtl::AnsiSameText(n, p.name); });
    if (it == numbered.end()) it = numbered.insert(numbered.end(), p.name);
    r.sql += '$' + std::to_string(it - numbered.begin() + 1);
  }
  r.sql.append(sql, copied, std::string::npos);
  if (marker == ParamMarker::Dollar) r.names = std::move(numbered);
  return r;
}

}  // namespace dralvo::sql
