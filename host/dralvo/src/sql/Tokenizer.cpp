// Tokenizer: splits SQL text into tokens that cover it without gaps. Every
// step consumes at least one byte, so any input ends in linear time.
#include "dralvo/SqlParser.h"

#include <algorithm>

#include "sql/CharClass.h"

namespace dralvo::sql {

namespace {

class Scanner {
 public:
  Scanner(std::string_view text, const LexicalRules& rules) : s_(text), rules_(rules) {}

  std::vector<Token> Run() {
    std::vector<Token> out;
    // SQL averages more than two bytes a token: one allocation as a rule.
    out.reserve(s_.size() / 2 + 1);
    while (pos_ < s_.size()) {
      size_t start = pos_;
      unterminated_ = false;
      TokenKind kind = ScanOne();
      if (pos_ <= start) pos_ = start + 1;  // never stand still
      out.push_back(Token{kind, start, pos_ - start, unterminated_});
    }
    return out;
  }

 private:
  char At(size_t i) const { return i < s_.size() ? s_[i] : '\0'; }
  char Cur() const { return At(pos_); }
  char Next() const { return At(pos_ + 1); }

  TokenKind ScanOne() {
    char c = Cur();
    if (IsSpace(c)) {
      while (pos_ < s_.size() && IsSpace(Cur())) ++pos_;
      return TokenKind::Whitespace;
    }
    if ((c == '-' && Next() == '-' && DashDashOpensComment()) || (c == '#' && rules_.hashComments)) {
      while (pos_ < s_.size() && Cur() != '\n') ++pos_;
      return TokenKind::Comment;
    }
    if (c == '/' && Next() == '*') return BlockComment();
    if (c == '*' && Next() == '/' && inExecutable_) {  // the end of "/*! ... */"
      inExecutable_ = false;
      pos_ += 2;
      return TokenKind::Comment;
    }
    if ((c == 'E' || c == 'e') && Next() == '\'' && rules_.escapeStrings) {
      ++pos_;
      return Quoted('\'', true, TokenKind::String);
    }
    if (IsIdentStart(c)) {
      while (pos_ < s_.size() && IsIdentPart(Cur())) ++pos_;
      return TokenKind::Identifier;
    }
    if (IsDigit(c) || (c == '.' && IsDigit(Next()))) return NumberToken();
    switch (c) {
      case '\'': return Quoted('\'', rules_.backslashEscapes, TokenKind::String);
      case '"':
        return rules_.doubleQuotedNames ? Quoted('"', false, TokenKind::QuotedIdentifier)
                                        : Quoted('"', rules_.backslashEscapes, TokenKind::String);
      case '`':
        if (rules_.backtickNames) return Quoted('`', false, TokenKind::QuotedIdentifier);
        break;
      case '[':
        if (rules_.bracketNames) return Bracket();
        break;
      case ':': return Colon();
      case '$':
        if (rules_.dollarStrings) return Dollar();
        break;
    }
    return OperatorToken();
  }

  // MariaDB takes "--" as a comment only before a blank or a control
  // character: "a--1" is a minus a minus one there.
  bool DashDashOpensComment() const {
    if (!rules_.dashDashNeedsBlank) return true;
    const auto after = static_cast<unsigned char>(At(pos_ + 2));
    return after <= ' ' || after == 0x7F;
  }

  // "/* ... */", nesting where the server nests them. On MariaDB
  // "/*!" and "/*M!" (with an optional version number) open text the
  // server runs: only the opener is a comment, and its "*/" ends it.
  TokenKind BlockComment() {
    if (rules_.executableComments && !inExecutable_) {
      size_t i = pos_ + 2;
      if (At(i) == 'M' && At(i + 1) == '!') ++i;
      if (At(i) == '!') {
        ++i;
        while (IsDigit(At(i))) ++i;
        pos_ = i;
        inExecutable_ = true;
        return TokenKind::Comment;
      }
    }
    int depth = 0;
    while (pos_ < s_.size()) {
      if (Cur() == '/' && Next() == '*' && (depth == 0 || rules_.nestedComments)) {
        ++depth;
        pos_ += 2;
      } else if (Cur() == '*' && Next() == '/') {
        pos_ += 2;
        if (--depth == 0) return TokenKind::Comment;
      } else {
        ++pos_;
      }
    }
    pos_ = s_.size();
    unterminated_ = true;
    return TokenKind::Comment;
  }

  // A quoted run; a doubled quote character stands for one. With backslash
  // escapes a backslash takes the next byte as it is.
  TokenKind Quoted(char q, bool backslash, TokenKind kind) {
    ++pos_;
    while (pos_ < s_.size()) {
      char c = Cur();
      if (backslash && c == '\\') {
        pos_ += 2;
        continue;
      }
      ++pos_;
      if (c == q) {
        if (Cur() == q) {
          ++pos_;
          continue;
        }
        return kind;
      }
    }
    pos_ = s_.size();
    unterminated_ = true;
    return kind;
  }

  // "[name]" is a quoted name unless it follows a value directly, as in the
  // subscript a[1] or ARRAY[1,2].
  TokenKind Bracket() {
    if (pos_ > 0) {
      char prev = s_[pos_ - 1];
      if (IsIdentPart(prev) || prev == ')' || prev == ']' || prev == '"') {
        ++pos_;
        return TokenKind::Operator;
      }
    }
    return Quoted(']', false, TokenKind::QuotedIdentifier);  // "]]" stands for "]"
  }

  TokenKind Colon() {
    char n = Next();
    if (n == ':' || n == '=') {
      pos_ += 2;
      return TokenKind::Operator;
    }
    if (IsIdentStart(n)) {
      ++pos_;
      while (pos_ < s_.size() && IsIdentPart(Cur())) ++pos_;
      return TokenKind::Param;
    }
    if (n == '"') {
      ++pos_;
      Quoted('"', false, TokenKind::Param);
      return TokenKind::Param;
    }
    ++pos_;
    return TokenKind::Operator;
  }

  // $tag$ ... $tag$ (also $$ ... $$) is a string; "$1" and a lone "$" are operators.
  TokenKind Dollar() {
    size_t i = pos_ + 1;
    if (IsIdentStart(At(i)))
      while (i < s_.size() && IsIdentPart(s_[i]) && s_[i] != '$') ++i;
    if (At(i) != '$') {
      ++pos_;
      while (pos_ < s_.size() && IsDigit(Cur())) ++pos_;
      return TokenKind::Operator;
    }
    std::string_view tag = s_.substr(pos_, i + 1 - pos_);
    size_t end = s_.find(tag, i + 1);
    if (end == std::string_view::npos) {
      pos_ = s_.size();
      unterminated_ = true;
    } else {
      pos_ = end + tag.size();
    }
    return TokenKind::String;
  }

  TokenKind NumberToken() {
    if (Cur() == '0' && (Next() == 'x' || Next() == 'X') && IsHexDigit(At(pos_ + 2))) {
      pos_ += 2;
      while (pos_ < s_.size() && IsHexDigit(Cur())) ++pos_;
      return TokenKind::Number;
    }
    while (pos_ < s_.size() && IsDigit(Cur())) ++pos_;
    if (Cur() == '.') {
      ++pos_;
      while (pos_ < s_.size() && IsDigit(Cur())) ++pos_;
    }
    if ((Cur() == 'e' || Cur() == 'E') &&
        (IsDigit(Next()) || ((Next() == '+' || Next() == '-') && IsDigit(At(pos_ + 2))))) {
      pos_ += 2;
      while (pos_ < s_.size() && IsDigit(Cur())) ++pos_;
    }
    return TokenKind::Number;
  }

  TokenKind OperatorToken() {
    static constexpr std::string_view kLong[] = {"->>", "<=>", "||", "<>", "<=", ">=", "!=", "==",
                                                 "->",  "<<",  ">>", "#>", "@>", "<@", "~~", "!~"};
    std::string_view rest = s_.substr(pos_, 3);
    for (std::string_view op : kLong) {
      if (rest[0] == op[0] && rest.starts_with(op)) {
        pos_ += op.size();
        return TokenKind::Operator;
      }
    }
    ++pos_;
    return TokenKind::Operator;
  }

  std::string_view s_;
  const LexicalRules& rules_;
  size_t pos_ = 0;
  bool unterminated_ = false;
  bool inExecutable_ = false;  // inside "/*! ... */"
};

}  // namespace

std::vector<Token> Tokenize(std::string_view sql, const LexicalRules& rules) { return Scanner(sql, rules).Run(); }

TextPosition PositionAt(std::string_view text, size_t offset) {
  TextPosition at;
  offset = std::min(offset, text.size());
  for (size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n') {
      ++at.line;
      at.column = 1;
    } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {  // not a continuation byte
      ++at.column;
    }
  }
  return at;
}

std::string UnquoteIdentifier(std::string_view text) {
  if (text.size() < 2) return std::string(text);
  char open = text.front();
  char close = open == '[' ? ']' : open;
  if ((open != '"' && open != '`' && open != '[') || text.back() != close) return std::string(text);
  std::string_view inner = text.substr(1, text.size() - 2);
  std::string out;
  out.reserve(inner.size());
  for (size_t i = 0; i < inner.size(); ++i) {
    out += inner[i];
    if (inner[i] == close && i + 1 < inner.size() && inner[i + 1] == close) ++i;
  }
  return out;
}

}  // namespace dralvo::sql
