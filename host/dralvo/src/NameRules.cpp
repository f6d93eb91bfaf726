#include "dralvo/NameRules.h"

#include "drivers/NameParts.h"
#include "rtl/system/SysUtils.h"
#include "sql/CharClass.h"

namespace dralvo {

namespace {
// Letters, digits, "_" and any non-ASCII character, not starting with a
// digit. "$" is left out: servers differ on it, and quoting never hurts.
bool IsPlainIdentifier(const std::string& name) {
  if (name.empty() || !sql::IsIdentStart(name[0])) return false;
  for (char c : name)
    if (!sql::IsIdentStart(c) && !sql::IsDigit(c)) return false;
  return true;
}

// A letter first, then ASCII letters, digits, "_" and "$".
bool IsAsciiIdentifier(const std::string& name) {
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  if (name.empty() || !letter(name[0])) return false;
  for (char c : name)
    if (!letter(c) && !sql::IsDigit(c) && c != '_' && c != '$') return false;
  return true;
}

bool HasAsciiIn(const std::string& name, char first, char last) {
  for (char c : name)
    if (c >= first && c <= last) return true;
  return false;
}
}  // namespace

TDVNameRules::TDVNameRules(bool foldsToLower, const std::vector<std::string>& reservedWords, char quote)
    : TDVNameRules(foldsToLower ? TDVBareNames::FoldLower : TDVBareNames::AsWritten, reservedWords, quote) {}

TDVNameRules::TDVNameRules(TDVBareNames bare, const std::vector<std::string>& reservedWords, char quote)
    : bare_(bare), quote_(quote) {
  for (const std::string& w : reservedWords) reserved_.insert(rtl::LowerCase(w));
}

std::string TDVNameRules::Quote(const std::string& name, char quote) {
  std::string out;
  out.reserve(name.size() + 2);
  out += quote;
  for (char c : name) {
    out += c;
    if (c == quote) out += quote;
  }
  out += quote;
  return out;
}

std::string TDVNameRules::QuoteReference(const std::string& text) const {
  std::vector<TNamePart> parts = SplitObjectName(text);
  if (parts.empty()) return Quote(text);
  std::string out;
  for (const TNamePart& p : parts) out += (out.empty() ? "" : ".") + Quote(p.Text);
  return out;
}

bool TDVNameRules::CannotStandBare(const std::string& name) const {
  const bool syntax = bare_ == TDVBareNames::FoldUpperAscii ? IsAsciiIdentifier(name) : IsPlainIdentifier(name);
  return !syntax || reserved_.count(rtl::LowerCase(name)) > 0;
}

bool TDVNameRules::NeedsQuotes(const std::string& name) const {
  if (CannotStandBare(name)) return true;
  switch (bare_) {
    case TDVBareNames::FoldLower:
      return HasAsciiIn(name, 'A', 'Z');
    case TDVBareNames::FoldUpperAscii:
      return HasAsciiIn(name, 'a', 'z');
    case TDVBareNames::AsWritten:
      break;
  }
  return false;
}

std::string TDVNameRules::TableReference(const std::string& text) const {
  std::vector<TNamePart> parts = SplitObjectName(text);
  if (parts.empty()) return CannotStandBare(text) ? Quote(text) : text;
  bool changed = false;
  for (const TNamePart& p : parts) changed = changed || (!p.Quoted && CannotStandBare(p.Text));
  if (!changed) return text;
  std::string out;
  for (const TNamePart& p : parts) {
    if (!out.empty()) out += '.';
    out += p.Quoted || CannotStandBare(p.Text) ? Quote(p.Text) : p.Text;
  }
  return out;
}

bool ParamNeedsQuotes(const std::string& name) {
  if (name.empty() || !sql::IsIdentStart(name[0])) return true;
  for (char c : name)
    if (!sql::IsIdentPart(c)) return true;
  return false;
}

}  // namespace dralvo
