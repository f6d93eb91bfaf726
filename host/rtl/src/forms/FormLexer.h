#pragma once
// Tokens of the text form format. Adjacent quoted pieces and #nnn codes make
// one string token ('a'#13#10'b'); the "+" that continues a string over
// lines is a symbol left to the parser.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rtl/forms/FormPositions.h"
#include "rtl/system/SysUtils.h"

namespace rtl {

enum class TFormTokenKind : uint8_t { End, Identifier, Integer, String, Symbol };

// A place in the text as a byte offset; line and column are worked out
// only when an error is reported there.
struct TFormPos {
  size_t Offset = 0;
};

struct TFormToken {
  // An identifier points into the text being read, and stays valid as long
  // as that text. A string's decoded UTF-8 points into the text too when it
  // needed no decoding, otherwise into the lexer until the next string.
  std::string_view Text;
  uint64_t Magnitude = 0;  // integer without its sign
  size_t Offset = 0;
  TFormTokenKind Kind = TFormTokenKind::End;
  char Symbol = 0;

  TFormPos Pos() const { return {Offset}; }
  bool Is(char symbol) const { return Kind == TFormTokenKind::Symbol && Symbol == symbol; }
  // An identifier that is `word`, ignoring case.
  bool IsKeyword(std::string_view word) const { return Kind == TFormTokenKind::Identifier && SameText(Text, word); }
  std::string Describe() const;                 // for "found ..." in messages
};

class TFormLexer {
 public:
  // The text is a std::string for the NUL that always follows its last
  // byte: the scanning loops stop there without checking the length.
  TFormLexer(const std::string& text, const std::string& source);
  TFormLexer(const TFormLexer&) = delete;
  TFormLexer& operator=(const TFormLexer&) = delete;

  // While given, every quoted run and character code read is appended
  // (for TFormPositions); null stops it.
  void RecordPieces(std::vector<TFormStringPiece>* pieces) { pieces_ = pieces; }
  // Valid until the next call of Next.
  const TFormToken& Current() const { return token_; }
  void Next();
  [[noreturn]] void Fail(TFormPos at, const std::string& reason) const;
  [[noreturn]] void Fail(const TFormToken& at, const std::string& reason) const { Fail(at.Pos(), reason); }
  const std::string& Source() const { return source_; }

 private:
  void ReadIdentifier();
  void ReadNumber();
  void ReadString();
  // The text from pos_ to the next quote, in a string opened at `open`.
  std::string_view QuotedRun(TFormPos open) const;
  void ReadCharCode();
  char Peek(size_t ahead = 0) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0'; }
  bool AtEnd() const { return pos_ >= text_.size(); }
  void Advance() { ++pos_; }
  [[noreturn]] void FailHere(const std::string& reason) const { Fail(TFormPos{pos_}, reason); }
  [[noreturn, gnu::noinline, gnu::cold]] void FailUnexpected(char c) const;

  std::string_view text_;
  const std::string& source_;
  size_t start_ = 0;  // after a byte-order mark
  size_t pos_ = 0;
  TFormToken token_;
  std::string decoded_;  // strings that needed decoding; keeps its buffer
  std::vector<TFormStringPiece>* pieces_ = nullptr;
};

// The 1-based column of `offset` in the line that starts at `lineStart`:
// characters, not the bytes of one, and no CR.
int FormColumn(std::string_view text, size_t lineStart, size_t offset);

// Appends the UTF-8 form of a code point (valid scalar values only).
void AppendUtf8(std::string& out, uint32_t codePoint);

}  // namespace rtl
