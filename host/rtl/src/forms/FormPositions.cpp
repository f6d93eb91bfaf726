#include "rtl/forms/FormPositions.h"

#include <algorithm>

#include "FormLexer.h"
#include "rtl/system/SysUtils.h"

namespace rtl {

namespace {
bool StartsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }
}  // namespace

std::string TFormPositions::Key(std::string_view component, std::string_view property) {
  std::string key(component);
  if (!property.empty()) key.append(1, '.').append(property);
  return UpperCase(key);
}

void TFormPositions::Start(const std::string& text) {
  text_ = text;
  textStart_ = text_.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  lineStarts_.assign(1, textStart_);
  // Lines end with LF, CR LF or CR, as the lexer counts them.
  for (size_t i = textStart_; i < text_.size(); ++i)
    if (text_[i] == '\n' || (text_[i] == '\r' && (i + 1 == text_.size() || text_[i + 1] != '\n')))
      lineStarts_.push_back(i + 1);
  objects_.clear();
  lists_.clear();
  pieces_.clear();
  entryEnds_.clear();
  open_ = nullptr;
}

void TFormPositions::AddObject(std::string_view name, size_t at) { objects_[Key(name)] = at; }

void TFormPositions::BeginList(std::string_view component, size_t at, size_t strings) {
  std::string_view property = std::string_view(text_).substr(at, strings - at);
  while (!property.empty() && (property.back() == '.' || static_cast<unsigned char>(property.back()) <= ' '))
    property.remove_suffix(1);
  open_ = &lists_[Key(component, property)];
  *open_ = {at, pieces_.size(), entryEnds_.size(), 0};
}

void TFormPositions::EndEntry(size_t next) {
  size_t end = pieces_.size();
  while (end > open_->FirstPiece && pieces_[end - 1].Offset >= next) --end;
  entryEnds_.push_back(end);
  ++open_->Entries;
}

TFormPlace TFormPositions::PlaceAt(size_t offset) const {
  const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset);
  const size_t line = static_cast<size_t>(after - lineStarts_.begin());
  return {static_cast<int>(line), FormColumn(text_, lineStarts_[line - 1], offset)};
}

TFormPlace TFormPositions::ObjectPlace(std::string_view component) const {
  auto found = objects_.find(Key(component));
  return found == objects_.end() ? TFormPlace{} : PlaceAt(found->second);
}

const TFormPositions::TList* TFormPositions::FindList(std::string_view component, std::string_view property) const {
  auto found = lists_.find(Key(component, property));
  return found == lists_.end() ? nullptr : &found->second;
}

TFormPlace TFormPositions::ListPlace(std::string_view component, std::string_view property) const {
  const TList* list = FindList(component, property);
  return list == nullptr ? ObjectPlace(component) : PlaceAt(list->At);
}

TFormPlace TFormPositions::CharacterPlace(std::string_view component, std::string_view property, int line,
                                          int column) const {
  const TList* list = FindList(component, property);
  if (list == nullptr) return ObjectPlace(component);
  // The text's lines and columns are walked piece by piece up to the line
  // asked for; within a run, characters stand in the file as in the text.
  int atLine = 1;
  int atColumn = 1;
  size_t piece = list->FirstPiece;
  for (size_t entry = 0; entry < list->Entries && atLine <= line; ++entry, ++atLine, atColumn = 1) {
    for (const size_t end = entryEnds_[list->FirstEntry + entry]; piece < end; ++piece) {
      const TFormStringPiece& p = pieces_[piece];
      if (p.Kind != TFormStringPiece::Run) {
        if (atLine == line && atColumn == column) return PlaceAt(p.Offset);
        if (p.Kind == TFormStringPiece::LineFeed) {
          ++atLine;
          atColumn = 0;
        }
        ++atColumn;
        continue;
      }
      if (atLine != line) continue;  // a run holds no line feed
      for (size_t i = p.Offset; i < p.Offset + p.Length; ++i) {
        if (!StartsCharacter(text_[i])) continue;
        if (atLine == line && atColumn == column) return PlaceAt(i);
        ++atColumn;
      }
    }
  }
  return PlaceAt(list->At);
}

}  // namespace rtl
