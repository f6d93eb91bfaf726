#include "NameParts.h"

#include "rtl/system/SysUtils.h"

namespace dralvo {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char ClosingQuote(char open) {
  switch (open) {
    case '"':
      return '"';
    case '[':
      return ']';
    case '`':
      return '`';
    default:
      return 0;
  }
}
}  // namespace

std::vector<TNamePart> SplitObjectName(const std::string& name) {
  std::vector<TNamePart> parts;
  size_t i = 0;
  const size_t n = name.size();
  while (true) {
    while (i < n && IsBlank(name[i])) ++i;
    TNamePart part;
    if (i < n && ClosingQuote(name[i]) != 0) {
      char close = ClosingQuote(name[i]);
      ++i;
      bool closed = false;
      while (i < n) {
        if (name[i] == close) {
          if (close != ']' && i + 1 < n && name[i + 1] == close) {
            part.Text += close;
            i += 2;
            continue;
          }
          ++i;
          closed = true;
          break;
        }
        part.Text += name[i++];
      }
      if (!closed) return {};
      part.Quoted = true;
    } else {
      size_t start = i;
      while (i < n && name[i] != '.' && ClosingQuote(name[i]) == 0) ++i;
      part.Text = rtl::TrimRight(name.substr(start, i - start));
      if (part.Text.empty()) return {};
    }
    while (i < n && IsBlank(name[i])) ++i;
    parts.push_back(std::move(part));
    if (i == n) return parts;
    if (name[i] != '.') return {};
    ++i;
  }
}

std::vector<std::string> PartCandidates(const TNamePart& part, TDVNameFolding folding) {
  if (part.Quoted || folding == TDVNameFolding::None) return {part.Text};
  std::string folded = folding == TDVNameFolding::Lower ? rtl::LowerCase(part.Text) : rtl::UpperCase(part.Text);
  if (folded == part.Text) return {part.Text};
  return {folded, part.Text};
}

std::string QuoteSqlName(const std::string& name) {
  return "\"" + rtl::StringReplaceAll(name, "\"", "\"\"") + "\"";
}

}  // namespace dralvo
