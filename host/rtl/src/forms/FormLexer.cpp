#include "FormLexer.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "rtl/forms/FormFiles.h"

namespace rtl {

namespace {
// One table look-up per byte tells what it may start or continue.
enum : uint8_t { kBlank = 1, kIdentStart = 2, kDigit = 4, kSymbol = 8, kEndsQuotedRun = 16 };
constexpr auto kCharClass = [] {
  std::array<uint8_t, 256> t{};
  for (char c : std::string_view(" \t\r\n")) t[static_cast<unsigned char>(c)] = kBlank;
  for (int c = 'A'; c <= 'Z'; ++c) t[c] = t[c + 'a' - 'A'] = kIdentStart;
  t['_'] = kIdentStart;
  for (int c = '0'; c <= '9'; ++c) t[c] = kDigit;
  for (char c : std::string_view("=:.,()[]<>+-{}")) t[static_cast<unsigned char>(c)] = kSymbol;
  for (char c : std::string_view("'\r\n")) t[static_cast<unsigned char>(c)] |= kEndsQuotedRun;
  t[0] |= kEndsQuotedRun;
  return t;
}();
bool Has(char c, uint8_t cls) { return (kCharClass[static_cast<unsigned char>(c)] & cls) != 0; }
bool IsIdentStart(char c) { return Has(c, kIdentStart); }
bool IsDigit(char c) { return Has(c, kDigit); }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
int HexValue(char c) { return IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10; }
bool IsSymbol(char c) { return Has(c, kSymbol); }

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

std::string TFormToken::Describe() const {
  switch (Kind) {
    case TFormTokenKind::End: return "end of file";
    case TFormTokenKind::Identifier: {
      std::string quoted(1, '"');
      return quoted.append(Text).append(1, '"');
    }
    case TFormTokenKind::Integer: return "number " + std::to_string(Magnitude);
    case TFormTokenKind::String: return "a string";
    case TFormTokenKind::Symbol: return std::string("\"") + Symbol + "\"";
  }
  return "?";
}

TFormLexer::TFormLexer(const std::string& text, const std::string& source) : text_(text), source_(source) {
  if (text_.substr(0, 3) == "\xEF\xBB\xBF") start_ = pos_ = 3;  // UTF-8 byte-order mark
  Next();
}

// Lines end with LF, CR LF or CR; columns count characters, not the bytes of
// one.
void TFormLexer::Fail(TFormPos at, const std::string& reason) const {
  int line = 1;
  size_t lineStart = start_;
  size_t end = std::min(at.Offset, text_.size());
  for (size_t i = start_; i < end; ++i) {
    if (text_[i] == '\n' || (text_[i] == '\r' && (i + 1 >= text_.size() || text_[i + 1] != '\n'))) {
      ++line;
      lineStart = i + 1;
    }
  }
  throw EFormFileError(source_, line, FormColumn(text_, lineStart, end), reason);
}

int FormColumn(std::string_view text, size_t lineStart, size_t offset) {
  int column = 1;
  for (size_t i = lineStart; i < offset; ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && text[i] != '\r') ++column;
  return column;
}

void TFormLexer::Next() {
  const char* s = text_.data();
  size_t p = pos_;
  while (Has(s[p], kBlank)) ++p;  // s[n] is NUL
  pos_ = p;
  token_ = TFormToken{};
  token_.Offset = p;
  if (p == text_.size()) return;
  const char c = s[p];
  if (IsIdentStart(c)) {
    ReadIdentifier();
  } else if (IsSymbol(c)) {
    token_.Kind = TFormTokenKind::Symbol;
    token_.Symbol = c;
    pos_ = p + 1;
  } else if (IsDigit(c) || c == '$') {
    ReadNumber();
  } else if (c == '\'' || c == '#') {
    ReadString();
  } else {
    FailUnexpected(c);
  }
}

// Out of line, so that building the message costs Next nothing.
void TFormLexer::FailUnexpected(char c) const { FailHere("Unexpected character " + DescribeByte(c)); }

void TFormLexer::ReadIdentifier() {
  const char* s = text_.data();
  const size_t start = pos_;
  size_t p = start + 1;
  while (Has(s[p], kIdentStart | kDigit)) ++p;  // s[n] is NUL
  pos_ = p;
  token_.Kind = TFormTokenKind::Identifier;
  token_.Text = text_.substr(start, p - start);
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
      Fail(token_, "Integer value out of range");
    value = value * base + digit;
    any = true;
    Advance();
  }
  if (!any) Fail(token_, "Expected hexadecimal digits after \"$\"");
  if (Peek() == '.' && IsDigit(Peek(1))) Fail(token_, "Floating-point values are not supported");
  if (IsIdentStart(Peek()) || IsDigit(Peek())) FailHere("Invalid character in number");
  token_.Kind = TFormTokenKind::Integer;
  token_.Magnitude = value;
}

void TFormLexer::ReadString() {
  token_.Kind = TFormTokenKind::String;
  decoded_.clear();
  bool first = true;
  while (Peek() == '\'' || Peek() == '#') {
    if (Peek() == '#') {
      ReadCharCode();
      first = false;
      continue;
    }
    const TFormPos open{pos_};
    Advance();  // opening quote
    for (;;) {
      const std::string_view run = QuotedRun(open);
      if (pieces_ != nullptr && !run.empty()) pieces_->push_back({pos_, run.size(), TFormStringPiece::Run});
      pos_ += run.size() + 1;  // past the closing quote
      const char after = Peek();
      // A string of one piece without doubled quotes is used where it
      // stands, with no copy.
      if (first && after != '\'' && after != '#') {
        token_.Text = run;
        return;
      }
      first = false;
      decoded_.append(run);
      if (after != '\'') break;
      decoded_ += '\'';  // '' stands for one quote
      if (pieces_ != nullptr) pieces_->push_back({pos_ - 1, 0, TFormStringPiece::Character});
      Advance();
    }
  }
  token_.Text = decoded_;
}

std::string_view TFormLexer::QuotedRun(TFormPos open) const {
  const char* s = text_.data();
  const size_t n = text_.size();
  size_t stop = pos_;
  // A quote, a line break or the end stop the run; a NUL byte before the
  // end is text (s[n] is NUL).
  while (!Has(s[stop], kEndsQuotedRun) || (s[stop] == '\0' && stop < n)) ++stop;
  if (stop == n || s[stop] != '\'') Fail(open, "Unterminated string");
  return text_.substr(pos_, stop - pos_);
}

void TFormLexer::ReadCharCode() {
  const TFormPos at{pos_};
  Advance();  // '#'
  bool hex = Peek() == '$';
  if (hex) Advance();
  uint32_t cp = 0;
  bool any = false;
  while (!AtEnd() && (hex ? IsHexDigit(Peek()) : IsDigit(Peek()))) {
    cp = cp * (hex ? 16 : 10) + static_cast<uint32_t>(HexValue(Peek()));
    if (cp > 0x10FFFF) Fail(at, "Character code out of range");
    any = true;
    Advance();
  }
  if (!any) Fail(at, "Expected a character code after \"#\"");
  if (cp >= 0xD800 && cp <= 0xDFFF) Fail(at, "Character code is a lone surrogate");
  if (pieces_ != nullptr)
    pieces_->push_back({at.Offset, 0, cp == '\n' ? TFormStringPiece::LineFeed : TFormStringPiece::Character});
  AppendUtf8(decoded_, cp);
}

}  // namespace rtl
