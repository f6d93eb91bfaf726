#pragma once
// The significant tokens of one statement (no blanks or comments), with the
// brackets paired up, as the SELECT parser walks them.
#include <string_view>
#include <vector>

#include "dralvo/SqlParser.h"
#include "rtl/system/SysUtils.h"

namespace dralvo::sql::detail {

struct Sig {
  TokenKind kind = TokenKind::Operator;
  std::string_view text;
  bool unterminated = false;
  size_t offset = 0;  // byte offset in the statement's text
};

class TokenList {
 public:
  // The significant tokens of the first statement (everything before the
  // first ";") of `sql`, from all its tokens.
  TokenList(std::string_view sql, const std::vector<Token>& tokens);

  size_t Size() const { return toks_.size(); }
  // A token past the end reads as an empty operator, so look-ahead needs no
  // bounds checks.
  const Sig& operator[](size_t i) const { return i < toks_.size() ? toks_[i] : end_; }

  // A bare word equal to keyword (upper case) ignoring case.
  bool Is(size_t i, std::string_view keyword) const {
    const Sig& s = (*this)[i];
    return s.kind == TokenKind::Identifier && rtl::SameText(s.text, keyword);
  }
  bool IsOp(size_t i, std::string_view op) const {
    const Sig& s = (*this)[i];
    return s.kind == TokenKind::Operator && s.text.size() == op.size() && s.text[0] == op[0] && s.text == op;
  }
  bool IsOpen(size_t i) const { return IsOp(i, "(") || IsOp(i, "["); }
  // Index just past the bracket that closes the one at i; Size() when it is
  // never closed. For a token that opens nothing: i + 1.
  size_t After(size_t i) const;
  // An unterminated string, quoted name or comment, or an unpaired bracket:
  // the text is cut off or garbled and says nothing reliable.
  bool Broken() const { return broken_; }

 private:
  std::vector<Sig> toks_;
  std::vector<size_t> close_;
  Sig end_;
  bool broken_ = false;
};

// A word that cannot serve as an implicit alias or a bare column name.
bool IsReservedWord(std::string_view word);
// A bare word that ends an operand although it is a keyword (END, NULL...).
bool IsValueKeyword(std::string_view word);
// Identifier or quoted identifier.
inline bool IsName(const Sig& s) { return s.kind == TokenKind::Identifier || s.kind == TokenKind::QuotedIdentifier; }
// A name usable without AS: quoted, or a bare word that is not reserved.
inline bool IsPlainName(const Sig& s) {
  return (s.kind == TokenKind::QuotedIdentifier && !s.unterminated) ||
         (s.kind == TokenKind::Identifier && !IsReservedWord(s.text));
}
// Two names as written denote the same object: quotes removed, letter case
// ignored in every script (servers fold unquoted names, some fold quoted ones
// too).
bool SameName(std::string_view a, std::string_view b);

}  // namespace dralvo::sql::detail
