// String values as the form writer spells them: quoted pieces of printable
// text ('' for a quote), #nnn for control characters, long or multi-line
// strings cut into pieces joined by "+".
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#include "FormWriter.h"

namespace rtl {

namespace {
bool IsControl(char c) {
  auto u = static_cast<unsigned char>(c);
  return u < 0x20 || u == 0x7f;
}

// Where the printable text from `from` on stops: at a control character, a
// quote or the end. Eight bytes are looked at in one step; the lowest byte
// flagged in a word is always a real stop (a false flag needs a real stop
// below it in the word), so the stop's place is read off the flags. The
// last few bytes are the word that ends the text, shifted down past the
// bytes already looked at: the zero bytes shifted in stop the run at the
// end.
size_t PlainRunEnd(std::string_view text, size_t from) {
  static_assert(std::endian::native == std::endian::little, "the lowest byte of a word comes first");
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  constexpr uint64_t kHighs = 0x8080808080808080ull;
  // The high bit of each byte of x that is below n (n at most 0x80).
  auto below = [](uint64_t x, uint64_t n) { return (x - kOnes * n) & ~x & kHighs; };
  auto stops = [&](uint64_t x) { return below(x, 0x20) | below(x ^ (kOnes * '\''), 1) | below(x ^ (kOnes * 0x7f), 1); };
  auto word = [&](size_t at) {
    uint64_t x;
    std::memcpy(&x, text.data() + at, 8);
    return x;
  };
  auto firstFlag = [](uint64_t flags) { return static_cast<size_t>(__builtin_ctzll(flags)) / 8; };
  const size_t n = text.size();
  size_t i = from;
  if (n < 8) {
    while (i < n && !IsControl(text[i]) && text[i] != '\'') ++i;
    return i;
  }
  for (; i + 8 <= n; i += 8)
    if (const uint64_t flags = stops(word(i))) return i + firstFlag(flags);
  if (i == n) return n;
  return i + firstFlag(stops(word(n - 8) >> (8 * (i - (n - 8)))));
}

std::vector<std::string_view> SplitPieces(std::string_view value) {
  std::vector<std::string_view> pieces;
  size_t start = 0;
  while (start < value.size()) {
    size_t end = value.find('\n', start);
    end = end == std::string_view::npos ? value.size() : end + 1;
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

void AppendQuotedPiece(TFormTextOut& out, std::string_view piece) {
  if (piece.empty()) {
    out.Append("''");
    return;
  }
  size_t i = 0;
  while (i < piece.size()) {
    if (IsControl(piece[i])) {
      const auto code = static_cast<unsigned char>(piece[i]);
      out.Append('#');
      if (code >= 100) out.Append(static_cast<char>('0' + code / 100));
      if (code >= 10) out.Append(static_cast<char>('0' + code / 10 % 10));
      out.Append(static_cast<char>('0' + code % 10));
      ++i;
      continue;
    }
    // A quoted run of printable text, appended in stretches between quotes.
    out.Append('\'');
    for (;;) {
      const size_t end = PlainRunEnd(piece, i);
      out.Append(piece.substr(i, end - i));
      i = end;
      if (i == piece.size() || piece[i] != '\'') break;
      out.Append("''");  // '' stands for one quote
      ++i;
    }
    out.Append('\'');
  }
}

void AppendFormString(TFormTextOut& out, std::string_view value, int indent) {
  if (FormStringFitsOneLine(value)) return AppendQuotedPiece(out, value);
  std::vector<std::string_view> pieces = SplitPieces(value);
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) out.Append(" +\n");
    out.Blanks(static_cast<size_t>(indent));
    AppendQuotedPiece(out, pieces[i]);
  }
}

}  // namespace rtl
