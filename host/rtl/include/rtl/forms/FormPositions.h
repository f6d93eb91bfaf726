#pragma once
// Where the parts of a module stood in its form file, for messages that
// point into the file as a compiler's do (FILE:LINE:COLUMN): each object's
// "object" line, and each string list's property line and entries, piece by
// piece, so that a character of an entry is traced back through doubled
// quotes, #nnn codes and "+" continuations to where it is written:
//
//   object OrdersUpdate: TDVUpdateSQL             <- ObjectPlace
//     ModifySQL.Strings = (                       <- ListPlace
//       'update orders'
//       'set note = ''n/a'', qty = :qty'          <- CharacterPlace(2, 28): the q of :qty
//       'where id = :OLD_id')
//
// The reader fills one only when asked (TFormReadOptions::Positions);
// reading without it records nothing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace rtl {

// 1-based line and column (characters) in the form file; 0, 0 when not known.
struct TFormPlace {
  int Line = 0;
  int Column = 0;
  bool operator==(const TFormPlace&) const = default;
};

// One piece of a string as the file spells it: a quoted run of characters
// taken as they stand, or one character written otherwise (the first quote
// of a doubled one, a #nnn code; a #10 ends a line of the text).
struct TFormStringPiece {
  enum TKind : uint8_t { Run, Character, LineFeed };
  size_t Offset = 0;  // byte offset in the file
  size_t Length = 0;  // bytes of a run
  TKind Kind = Run;
};

class TFormPositions {
 public:
  // The "object" (or "inherited") keyword of the component named
  // `component` (ignoring case); 0, 0 when the file holds none.
  TFormPlace ObjectPlace(std::string_view component) const;
  // The property name of the component's string list ("ModifySQL" of
  // "ModifySQL.Strings = ("); the object's place when the file sets no
  // such list.
  TFormPlace ListPlace(std::string_view component, std::string_view property) const;
  // Where the character at `line` and `column` (1-based; columns count
  // characters) of the list's text stands: its entries one after the other,
  // each ending a line, lines counted at line feeds (an entry that holds
  // #13#10 spans two). The first quote of a doubled one, the "#" of a
  // character code; ListPlace for a character the file does not hold (a
  // column past the line's end, an entry set after reading).
  TFormPlace CharacterPlace(std::string_view component, std::string_view property, int line, int column) const;

 private:
  friend class TFormReader;
  struct TList {
    size_t At = 0;          // the property name
    size_t FirstPiece = 0;  // in pieces_
    size_t FirstEntry = 0;  // in entryEnds_
    size_t Entries = 0;
  };

  // Called by the reader: the text being read (copied, for lines and
  // columns worked out when asked), then objects and lists as met.
  void Start(const std::string& text);
  void AddObject(std::string_view name, size_t at);
  // The list of "PROPERTY.Strings", whose path starts at `at` and whose
  // "Strings" at `strings`.
  void BeginList(std::string_view component, size_t at, size_t strings);
  // The lexer appends the pieces of every string it reads here while a
  // list is read.
  std::vector<TFormStringPiece>& Pieces() { return pieces_; }
  // An entry ended; the lexer may have read pieces of the next one, which
  // start at `next` or later.
  void EndEntry(size_t next);

  TFormPlace PlaceAt(size_t offset) const;
  const TList* FindList(std::string_view component, std::string_view property) const;
  static std::string Key(std::string_view component, std::string_view property = {});

  std::string text_;
  size_t textStart_ = 0;            // after a byte-order mark
  std::vector<size_t> lineStarts_;  // byte offset of each line
  std::unordered_map<std::string, size_t> objects_;  // upper-case name -> offset
  std::unordered_map<std::string, TList> lists_;     // "COMPONENT.PROPERTY" upper case
  std::vector<TFormStringPiece> pieces_;
  std::vector<size_t> entryEnds_;  // one past each entry's last piece
  TList* open_ = nullptr;          // the list being read
};

}  // namespace rtl
