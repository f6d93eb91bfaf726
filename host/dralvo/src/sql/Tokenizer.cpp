// Tokenizer: splits SQL text into tokens that cover it without gaps. Every
// step consumes at least one byte, so any input ends in linear time.
#include "dralvo/SqlParser.h"

#include "sql/CharClass.h"

namespace dralvo::sql {

namespace {

class Scanner {
 public:
  explicit Scanner(std::string_view text) : s_(text) {}

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
    if (c == '-' && Next() == '-') {
      while (pos_ < s_.size() && Cur() != '\n') ++pos_;
      return TokenKind::Comment;
    }
    if (c == '/' && Next() == '*') return BlockComment();
    if ((c == 'E' || c == 'e') && Next() == '\'') {
      ++pos_;
      return Quoted('\'', true, TokenKind::String);
    }
    if (IsIdentStart(c)) {
      while (pos_ < s_.size() && IsIdentPart(Cur())) ++pos_;
      return TokenKind::Identifier;
    }
    if (IsDigit(c) || (c == '.' && IsDigit(Next()))) return NumberToken();
    switch (c) {
      case '\'': return Quoted('\'', false, TokenKind::String);
      case '"': return Quoted('"', false, TokenKind::QuotedIdentifier);
      case '`': return Quoted('`', false, TokenKind::QuotedIdentifier);
      case '[': return Bracket();
      case ':': return Colon();
      case '$': return Dollar();
      default: return OperatorToken();
    }
  }

  TokenKind BlockComment() {
    size_t end = s_.find("*/", pos_ + 2);
    if (end == std::string_view::npos) {
      pos_ = s_.size();
      unterminated_ = true;
    } else {
      pos_ = end + 2;
    }
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
  size_t pos_ = 0;
  bool unterminated_ = false;
};

}  // namespace

std::vector<Token> Tokenize(std::string_view sql) { return Scanner(sql).Run(); }

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
