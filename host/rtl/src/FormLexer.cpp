#include "FormLexer.h"

#include <cstdio>

#include "rtl/FormFiles.h"
#include "rtl/SysUtils.h"

namespace rtl {

namespace {
bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
int HexValue(char c) { return IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10; }
bool IsSymbol(char c) {
  switch (c) {
    case '=': case ':': case '.': case ',': case '(': case ')': case '[': case ']':
    case '<': case '>': case '+': case '-': case '{': case '}':
      return true;
    default:
      return false;
  }
}

std::string DescribeByte(char c) {
  auto u = static_cast<unsigned char>(c);
  if (u >= 0x21 && u < 0x7f) return std::string("\"") + c + "\"";
  char buf[16];
  std::snprintf(buf, sizeof buf, "byte 0x%02X", u);
  return buf;
}
}  // namespace

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool TFormToken::IsKeyword(std::string_view word) const {
  return Kind == TFormTokenKind::Identifier && SameText(Text, std::string(word));
}

std::string TFormToken::Describe() const {
  switch (Kind) {
    case TFormTokenKind::End: return "end of file";
    case TFormTokenKind::Identifier: return "\"" + Text + "\"";
    case TFormTokenKind::Integer: return "number " + std::to_string(Magnitude);
    case TFormTokenKind::String: return "a string";
    case TFormTokenKind::Symbol: return std::string("\"") + Symbol + "\"";
  }
  return "?";
}

TFormLexer::TFormLexer(std::string_view text, const std::string& source) : text_(text), source_(source) {
  if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;  // UTF-8 byte-order mark
  Next();
}

void TFormLexer::Fail(int line, int column, const std::string& reason) const {
  throw EFormFileError(source_, line, column, reason);
}

void TFormLexer::Advance() {
  char c = text_[pos_++];
  if (c == '\n' || (c == '\r' && Peek() != '\n')) {
    ++line_;
    column_ = 1;
  } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 && c != '\r') {
    ++column_;  // columns count characters, not the bytes of one
  }
}

void TFormLexer::SkipBlanks() {
  while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\r' || Peek() == '\n')) Advance();
}

void TFormLexer::Next() {
  SkipBlanks();
  current_ = TFormToken{};
  current_.Line = line_;
  current_.Column = column_;
  if (AtEnd()) return;
  char c = Peek();
  if (IsIdentStart(c)) return ReadIdentifier();
  if (IsDigit(c) || c == '$') return ReadNumber();
  if (c == '\'' || c == '#') return ReadString();
  if (IsSymbol(c)) {
    current_.Kind = TFormTokenKind::Symbol;
    current_.Symbol = c;
    Advance();
    return;
  }
  Fail(line_, column_, "Unexpected character " + DescribeByte(c));
}

void TFormLexer::ReadIdentifier() {
  size_t start = pos_;
  while (!AtEnd() && (IsIdentStart(Peek()) || IsDigit(Peek()))) Advance();
  current_.Kind = TFormTokenKind::Identifier;
  current_.Text.assign(text_.substr(start, pos_ - start));
}

void TFormLexer::ReadNumber() {
  bool hex = Peek() == '$';
  if (hex) Advance();
  int base = hex ? 16 : 10;
  bool any = false;
  uint64_t value = 0;
  while (!AtEnd() && (hex ? IsHexDigit(Peek()) : IsDigit(Peek()))) {
    auto digit = static_cast<uint64_t>(HexValue(Peek()));
    // Keep room for the magnitude of the most negative 64-bit integer.
    if (value > (uint64_t{1} << 63) / base || value * base + digit > (uint64_t{1} << 63))
      Fail(current_, "Integer value out of range");
    value = value * base + digit;
    any = true;
    Advance();
  }
  if (!any) Fail(current_, "Expected hexadecimal digits after \"$\"");
  if (Peek() == '.' && IsDigit(Peek(1))) Fail(current_, "Floating-point values are not supported");
  if (IsIdentStart(Peek()) || IsDigit(Peek())) Fail(line_, column_, "Invalid character in number");
  current_.Kind = TFormTokenKind::Integer;
  current_.Magnitude = value;
}

void TFormLexer::ReadString() {
  current_.Kind = TFormTokenKind::String;
  while (Peek() == '\'' || Peek() == '#') {
    if (Peek() == '\'')
      ReadQuoted();
    else
      ReadCharCode();
  }
}

void TFormLexer::ReadQuoted() {
  int line = line_, column = column_;
  Advance();  // opening quote
  for (;;) {
    if (AtEnd() || Peek() == '\n' || Peek() == '\r') Fail(line, column, "Unterminated string");
    if (Peek() == '\'') {
      Advance();
      if (Peek() != '\'') return;
    }
    current_.Text += Peek();
    Advance();
  }
}

void TFormLexer::ReadCharCode() {
  int line = line_, column = column_;
  Advance();  // '#'
  bool hex = Peek() == '$';
  if (hex) Advance();
  uint32_t cp = 0;
  bool any = false;
  while (!AtEnd() && (hex ? IsHexDigit(Peek()) : IsDigit(Peek()))) {
    cp = cp * (hex ? 16 : 10) + static_cast<uint32_t>(HexValue(Peek()));
    if (cp > 0x10FFFF) Fail(line, column, "Character code out of range");
    any = true;
    Advance();
  }
  if (!any) Fail(line, column, "Expected a character code after \"#\"");
  if (cp >= 0xD800 && cp <= 0xDFFF) Fail(line, column, "Character code is a lone surrogate");
  AppendUtf8(current_.Text, cp);
}

}  // namespace rtl
