#pragma once
// The text of a profile (INI) file, internal to the run-time layer.
//
// Lines are classified the way the platform's profile functions read them:
// "[name]" starts a section (the name runs to the last "]"), a line whose
// first visible character is ";" is a comment, a line with "=" is an entry
// (key and value trimmed), anything else is ignored. Lines before the first
// section belong to no section. Look-ups scan the text in place without
// building per-line strings; TIniDocument is the line-preserving editor that
// writes use.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rtl::ini {

enum class LineKind { Other, Blank, Comment, Section, Entry };

struct Line {
  LineKind Kind = LineKind::Other;
  std::string_view Name;   // section name or key, trimmed
  std::string_view Value;  // entry value, trimmed, quotes still on
};

// `line` excludes its line break.
Line ParseLine(std::string_view line);
// A value in matching single or double quotes loses them.
std::string_view Unquote(std::string_view value);

// The first entry `key` of the first section `section`.
bool FindValue(std::string_view text, std::string_view section, std::string_view key, std::string& value);
// Every distinct key of the first section `section`, in file order, each
// with the value of its first occurrence (unquoted).
void ForEachEntry(std::string_view text, std::string_view section,
                  const std::function<void(std::string_view key, std::string_view value)>& visit);
// Every distinct section name, in file order.
void ForEachSection(std::string_view text, const std::function<void(std::string_view name)>& visit);

// An editable copy of the text. Every line not touched by an edit keeps its
// bytes and its own line break; new lines take the file's first line break.
class TIniDocument {
 public:
  explicit TIniDocument(std::string_view text);

  // `storedValue` is written as it is (already quoted where needed).
  void SetValue(std::string_view section, std::string_view key, std::string_view storedValue);
  // Removes every section of that name, its header, entries and comments.
  void EraseSection(std::string_view section);
  // Removes every entry `key` of the first section `section`.
  void DeleteKey(std::string_view section, std::string_view key);
  // Appends an empty section unless one of that name exists.
  void AddSection(std::string_view section);
  std::string Text() const;

 private:
  struct DocLine {
    std::string Text;
    std::string Break;  // "\r\n", "\n" or "" for a last line without one
  };
  // Index of the header of the first section `section`, or -1.
  int FindSection(std::string_view section) const;
  // One past the last line of the section whose header is at `header`.
  size_t SectionEnd(size_t header) const;
  void InsertLine(size_t at, std::string text);

  std::vector<DocLine> lines_;
  std::string lineBreak_ = "\n";
};

}  // namespace rtl::ini
