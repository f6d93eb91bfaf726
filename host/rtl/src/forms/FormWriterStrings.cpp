// String values as the form writer spells them: quoted pieces of printable
// text ('' for a quote), #nnn for control characters, long or multi-line
// strings cut into pieces joined by "+".
#include <vector>

#include "FormWriter.h"

namespace rtl {

namespace {
bool IsControl(char c) {
  auto u = static_cast<unsigned char>(c);
  return u < 0x20 || u == 0x7f;
}

std::vector<std::string_view> SplitPieces(std::string_view value) {
  std::vector<std::string_view> pieces;
  size_t start = 0;
  // The next line break is looked for again only once passed: looking from
  // every piece would read a long line once per piece.
  size_t lineBreak = value.find('\n');
  while (start < value.size()) {
    if (lineBreak != std::string_view::npos && lineBreak < start) lineBreak = value.find('\n', start);
    size_t end = lineBreak == std::string_view::npos ? value.size() : lineBreak + 1;
    if (end - start > kFormStringPiece) {
      end = start + kFormStringPiece;
      // Never cut inside the bytes of one character.
      size_t cut = end;
      while (cut > start && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) --cut;
      if (cut > start) end = cut;
    }
    pieces.push_back(value.substr(start, end - start));
    start = end;
  }
  return pieces;
}
}  // namespace

bool FormStringFitsOneLine(std::string_view value) {
  size_t lineBreak = value.find('\n');
  return value.size() <= kFormStringPiece && (lineBreak == std::string_view::npos || lineBreak + 1 == value.size());
}

void AppendQuotedPiece(std::string& out, std::string_view piece) {
  if (piece.empty()) {
    out += "''";
    return;
  }
  size_t i = 0;
  while (i < piece.size()) {
    if (IsControl(piece[i])) {
      const auto code = static_cast<unsigned char>(piece[i]);
      out += '#';
      out += std::to_string(code);
      ++i;
      continue;
    }
    // A quoted run of printable text, appended in stretches between quotes.
    out += '\'';
    for (;;) {
      size_t end = i;
      while (end < piece.size() && !IsControl(piece[end]) && piece[end] != '\'') ++end;
      out.append(piece.substr(i, end - i));
      i = end;
      if (i == piece.size() || piece[i] != '\'') break;
      out += "''";  // '' stands for one quote
      ++i;
    }
    out += '\'';
  }
}

void AppendFormString(std::string& out, std::string_view value, int indent) {
  if (FormStringFitsOneLine(value)) return AppendQuotedPiece(out, value);
  std::vector<std::string_view> pieces = SplitPieces(value);
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) out += " +\n";
    out.append(static_cast<size_t>(indent), ' ');
    AppendQuotedPiece(out, pieces[i]);
  }
}

}  // namespace rtl
