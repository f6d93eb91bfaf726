#include "IniText.h"

#include <cstring>
#include <unordered_set>

#include "rtl/system/SysUtils.h"

namespace rtl::ini {

namespace {
constexpr size_t npos = std::string_view::npos;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimView(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool IsAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

std::string Joined(std::string_view a, std::string_view b, std::string_view c) {
  std::string out;
  out.reserve(a.size() + b.size() + c.size());
  out.append(a).append(b).append(c);
  return out;
}

// Hands out the lines of a text one by one; "\r\n" and "\n" end a line.
class LineReader {
 public:
  LineReader(std::string_view text, size_t pos) : text_(text), pos_(pos) {}
  bool Next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const char* start = text_.data() + pos_;
    const auto* nl = static_cast<const char*>(std::memchr(start, '\n', text_.size() - pos_));
    size_t end = nl != nullptr ? static_cast<size_t>(nl - text_.data()) : text_.size();
    line = text_.substr(pos_, end - pos_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pos_ = end < text_.size() ? end + 1 : end;
    return true;
  }

 private:
  std::string_view text_;
  size_t pos_;
};

// Calls visit(line, positionAfterLine) for every section header line. Jumps
// from "[" to "[" so that the entries between headers are not parsed.
template <class Visit>
void ForEachHeader(std::string_view text, Visit visit) {
  size_t pos = 0;
  while (pos < text.size()) {
    const auto* hit = static_cast<const char*>(std::memchr(text.data() + pos, '[', text.size() - pos));
    if (hit == nullptr) return;
    size_t at = static_cast<size_t>(hit - text.data());
    size_t start = at;
    while (start > 0 && text[start - 1] != '\n' && IsBlank(text[start - 1])) --start;
    const auto* nl = static_cast<const char*>(std::memchr(hit, '\n', text.size() - at));
    size_t end = nl != nullptr ? static_cast<size_t>(nl - text.data()) : text.size();
    size_t next = end < text.size() ? end + 1 : end;
    if (start == 0 || text[start - 1] == '\n') {
      Line line = ParseLine(text.substr(start, end - start));
      if (line.Kind == LineKind::Section && !visit(line.Name, next)) return;
    }
    pos = next;
  }
}

// Whether the text after a "[" can start the header of `section`: a cheap
// test that spares parsing the line of every other section. Bytes outside
// ASCII are left to the full comparison.
bool MayNameSection(std::string_view rest, std::string_view section) {
  size_t i = 0;
  while (i < rest.size() && rest[i] != '\n' && IsBlank(rest[i])) ++i;
  const std::string_view head = rest.substr(i, section.size());
  if (head.size() < section.size()) return false;
  return !IsAscii(head) || !IsAscii(section) || SameText(head, section);
}

// Position just after the header of the first section `section`, or npos.
size_t FindSectionBody(std::string_view text, std::string_view section) {
  size_t pos = 0;
  while (pos < text.size()) {
    const auto* hit = static_cast<const char*>(std::memchr(text.data() + pos, '[', text.size() - pos));
    if (hit == nullptr) return npos;
    size_t at = static_cast<size_t>(hit - text.data());
    pos = at + 1;
    if (!MayNameSection(text.substr(pos), section)) continue;
    size_t start = at;
    while (start > 0 && text[start - 1] != '\n' && IsBlank(text[start - 1])) --start;
    if (start > 0 && text[start - 1] != '\n') continue;
    const auto* nl = static_cast<const char*>(std::memchr(hit, '\n', text.size() - at));
    size_t end = nl != nullptr ? static_cast<size_t>(nl - text.data()) : text.size();
    Line line = ParseLine(text.substr(start, end - start));
    if (line.Kind == LineKind::Section && AnsiSameText(line.Name, section)) return end < text.size() ? end + 1 : end;
  }
  return npos;
}
}  // namespace

Line ParseLine(std::string_view raw) {
  Line line;
  std::string_view text = TrimView(raw);
  if (text.empty()) {
    line.Kind = LineKind::Blank;
    return line;
  }
  if (text.front() == ';') {
    line.Kind = LineKind::Comment;
    return line;
  }
  if (text.front() == '[') {
    size_t close = text.rfind(']');
    if (close != npos) {
      line.Kind = LineKind::Section;
      line.Name = TrimView(text.substr(1, close - 1));
    }
    return line;
  }
  size_t eq = text.find('=');
  if (eq == npos) return line;
  std::string_view name = TrimView(text.substr(0, eq));
  if (name.empty()) return line;
  line.Kind = LineKind::Entry;
  line.Name = name;
  line.Value = TrimView(text.substr(eq + 1));
  return line;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

bool FindValue(std::string_view text, std::string_view section, std::string_view key, std::string& value) {
  size_t body = FindSectionBody(text, section);
  if (body == npos) return false;
  LineReader reader(text, body);
  for (std::string_view raw; reader.Next(raw);) {
    Line line = ParseLine(raw);
    if (line.Kind == LineKind::Section) return false;
    if (line.Kind == LineKind::Entry && AnsiSameText(line.Name, key)) {
      value.assign(Unquote(line.Value));
      return true;
    }
  }
  return false;
}

void ForEachEntry(std::string_view text, std::string_view section,
                  const std::function<void(std::string_view key, std::string_view value)>& visit) {
  size_t body = FindSectionBody(text, section);
  if (body == npos) return;
  std::unordered_set<std::string> seen;
  LineReader reader(text, body);
  for (std::string_view raw; reader.Next(raw);) {
    Line line = ParseLine(raw);
    if (line.Kind == LineKind::Section) return;
    if (line.Kind == LineKind::Entry && seen.insert(AnsiFoldCase(std::string(line.Name))).second) visit(line.Name, Unquote(line.Value));
  }
}

void ForEachSection(std::string_view text, const std::function<void(std::string_view name)>& visit) {
  std::unordered_set<std::string> seen;
  ForEachHeader(text, [&](std::string_view name, size_t) {
    if (seen.insert(AnsiFoldCase(std::string(name))).second) visit(name);
    return true;
  });
}

// ---- TIniDocument ---------------------------------------------------------

TIniDocument::TIniDocument(std::string_view text) {
  bool breakKnown = false;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    DocLine line;
    if (nl == npos) {
      line.Text.assign(text.data() + pos, text.size() - pos);
      pos = text.size();
    } else {
      size_t end = (nl > pos && text[nl - 1] == '\r') ? nl - 1 : nl;
      line.Text.assign(text.data() + pos, end - pos);
      line.Break = end < nl ? "\r\n" : "\n";
      pos = nl + 1;
      if (!breakKnown) {
        lineBreak_ = line.Break;
        breakKnown = true;
      }
    }
    lines_.push_back(std::move(line));
  }
}

int TIniDocument::FindSection(std::string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    Line line = ParseLine(lines_[i].Text);
    if (line.Kind == LineKind::Section && AnsiSameText(line.Name, section)) return static_cast<int>(i);
  }
  return -1;
}

size_t TIniDocument::SectionEnd(size_t header) const {
  size_t i = header + 1;
  while (i < lines_.size() && ParseLine(lines_[i].Text).Kind != LineKind::Section) ++i;
  return i;
}

void TIniDocument::InsertLine(size_t at, std::string text) {
  if (at > 0 && lines_[at - 1].Break.empty()) lines_[at - 1].Break = lineBreak_;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), DocLine{std::move(text), lineBreak_});
}

void TIniDocument::AddSection(std::string_view section) {
  if (FindSection(section) >= 0) return;
  if (!lines_.empty() && ParseLine(lines_.back().Text).Kind != LineKind::Blank) InsertLine(lines_.size(), "");
  InsertLine(lines_.size(), Joined("[", section, "]"));
}

void TIniDocument::SetValue(std::string_view section, std::string_view key, std::string_view storedValue) {
  int header = FindSection(section);
  if (header < 0) {
    AddSection(section);
    InsertLine(lines_.size(), Joined(key, "=", storedValue));
    return;
  }
  size_t end = SectionEnd(static_cast<size_t>(header));
  for (size_t i = static_cast<size_t>(header) + 1; i < end; ++i) {
    std::string& text = lines_[i].Text;
    Line line = ParseLine(text);
    if (line.Kind != LineKind::Entry || !AnsiSameText(line.Name, key)) continue;
    // Keep the key as stored and the blanks around "=" as they were.
    size_t prefix = text.find('=') + 1;
    while (prefix < text.size() && (text[prefix] == ' ' || text[prefix] == '\t')) ++prefix;
    text.resize(prefix);
    text.append(storedValue);
    return;
  }
  size_t at = end;
  while (at > static_cast<size_t>(header) + 1 && ParseLine(lines_[at - 1].Text).Kind == LineKind::Blank) --at;
  InsertLine(at, Joined(key, "=", storedValue));
}

void TIniDocument::EraseSection(std::string_view section) {
  for (int header; (header = FindSection(section)) >= 0;) {
    size_t end = SectionEnd(static_cast<size_t>(header));
    lines_.erase(lines_.begin() + header, lines_.begin() + static_cast<std::ptrdiff_t>(end));
  }
}

void TIniDocument::DeleteKey(std::string_view section, std::string_view key) {
  int header = FindSection(section);
  if (header < 0) return;
  size_t end = SectionEnd(static_cast<size_t>(header));
  for (size_t i = end; i-- > static_cast<size_t>(header) + 1;) {
    Line line = ParseLine(lines_[i].Text);
    if (line.Kind == LineKind::Entry && AnsiSameText(line.Name, key))
      lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

std::string TIniDocument::Text() const {
  std::string out;
  for (const DocLine& line : lines_) {
    out += line.Text;
    out += line.Break;
  }
  return out;
}

}  // namespace rtl::ini
