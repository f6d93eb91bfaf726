#include "rtl/settings/IniFiles.h"

#include "IniStorage.h"
#include "files/FolderLock.h"
#include "IniText.h"
#include "rtl/system/Exceptions.h"
#include "rtl/text/Strings.h"
#include "rtl/system/SysUtils.h"

namespace rtl {

const TClass& TIniFile::StaticClass() {
  static const TClass cls("TIniFile", &TObject::StaticClass());
  return cls;
}

namespace {
[[noreturn]] void Refuse(const std::string& fileName, const std::string& what) {
  throw EIniFileException("Cannot write to \"" + fileName + "\": " + what);
}

bool HasLineBreak(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

std::string CheckedSection(const std::string& fileName, const std::string& section) {
  std::string name = Trim(section);
  if (name.empty()) Refuse(fileName, "a section needs a name");
  if (HasLineBreak(name)) Refuse(fileName, "the section name \"" + name + "\" holds a line break");
  return name;
}

std::string CheckedKey(const std::string& fileName, const std::string& ident) {
  std::string key = Trim(ident);
  if (key.empty()) Refuse(fileName, "a key needs a name");
  if (HasLineBreak(key) || key.find('=') != std::string::npos || key.front() == '[' || key.front() == ';')
    Refuse(fileName, "the key name \"" + key + "\" cannot be stored in a profile file");
  return key;
}

// The text to store so that reading gives `value` back: a value that
// reading would trim or unquote goes into double quotes.
std::string StoredValue(const std::string& fileName, const std::string& value) {
  if (HasLineBreak(value)) Refuse(fileName, "a value cannot hold a line break");
  if (Trim(value) != value || ini::Unquote(value) != value) return "\"" + value + "\"";
  return value;
}

// The text of the file now; empty when it is missing or unreadable.
std::string CurrentText(const std::string& fileName) {
  ini::TStoredText stored = ini::LoadText(fileName);
  return stored.Readable ? std::move(stored.Text) : std::string();
}
}  // namespace

// ---- TIniChanges ----------------------------------------------------------

void TIniChanges::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  doc_.SetValue(CheckedSection(fileName_, section), CheckedKey(fileName_, ident), StoredValue(fileName_, value));
}

void TIniChanges::WriteInteger(const std::string& section, const std::string& ident, int value) {
  WriteString(section, ident, IntToStr(value));
}

void TIniChanges::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

void TIniChanges::EraseSection(const std::string& section) { doc_.EraseSection(Trim(section)); }

void TIniChanges::DeleteKey(const std::string& section, const std::string& ident) {
  doc_.DeleteKey(Trim(section), Trim(ident));
}

void TIniChanges::AddSection(const std::string& section) { doc_.AddSection(CheckedSection(fileName_, section)); }

// ---- TIniFile: reading ----------------------------------------------------

std::string TIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& def) const {
  std::string value;
  return ini::FindValue(CurrentText(fileName_), Trim(section), Trim(ident), value) ? value : def;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& ident, int def) const {
  int64_t value = 0;
  if (!TryStrToInt(ReadString(section, ident, std::string()), value)) return def;
  if (value < INT32_MIN || value > INT32_MAX) return def;
  return static_cast<int>(value);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& ident, bool def) const {
  return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TIniFile::ReadSection(const std::string& section, TStrings& names) const {
  names.BeginUpdate();
  names.Clear();
  ini::ForEachEntry(CurrentText(fileName_), Trim(section),
                    [&](std::string_view key, std::string_view) { names.Add(std::string(key)); });
  names.EndUpdate();
}

void TIniFile::ReadSections(TStrings& names) const {
  names.BeginUpdate();
  names.Clear();
  ini::ForEachSection(CurrentText(fileName_), [&](std::string_view name) { names.Add(std::string(name)); });
  names.EndUpdate();
}

void TIniFile::ReadSectionValues(const std::string& section, TStrings& values) const {
  values.BeginUpdate();
  values.Clear();
  ini::ForEachEntry(CurrentText(fileName_), Trim(section), [&](std::string_view key, std::string_view value) {
    values.Add(std::string(key) + "=" + std::string(value));
  });
  values.EndUpdate();
}

bool TIniFile::SectionExists(const std::string& section) const {
  bool any = false;
  ini::ForEachEntry(CurrentText(fileName_), Trim(section), [&](std::string_view, std::string_view) { any = true; });
  return any;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& ident) const {
  std::string value;
  return ini::FindValue(CurrentText(fileName_), Trim(section), Trim(ident), value);
}

std::string TIniFile::ReadFailure() const {
  ini::TStoredText stored = ini::LoadText(fileName_);
  return stored.Exists && !stored.Readable ? stored.Reason : std::string();
}

// ---- TIniSection ----------------------------------------------------------

TIniSection::TIniSection(const TIniFile& ini, const std::string& section) {
  ini::ForEachEntry(CurrentText(ini.FileName()), Trim(section), [&](std::string_view key, std::string_view value) {
    values_.emplace(AnsiFoldCase(std::string(key)), std::string(value));
  });
}

std::string TIniSection::ReadString(const std::string& ident, const std::string& def) const {
  auto found = values_.find(AnsiFoldCase(Trim(ident)));
  return found != values_.end() ? found->second : def;
}

// ---- TIniFile: writing ----------------------------------------------------

void TIniFile::Update(const std::function<void(TIniChanges&)>& changes) {
  TFolderLock lock(fileName_);
  ini::TStoredText stored = ini::LoadText(fileName_);
  // Replacing a file that could not be read would lose what it holds.
  if (stored.Exists && !stored.Readable) Refuse(fileName_, "the file cannot be read (" + stored.Reason + ")");
  ini::TIniDocument doc(stored.Text);
  TIniChanges edit(doc, fileName_);
  changes(edit);
  std::string text = doc.Text();
  if (stored.Exists && text == stored.Text) return;
  if (!stored.Exists && text.empty()) return;
  try {
    WriteFileAtomic(fileName_, ini::EncodeText(text, stored.Encoding), newMode_);
  } catch (const EInOutError& e) {
    throw EIniFileException(e.Message());
  }
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  Update([&](TIniChanges& c) { c.WriteString(section, ident, value); });
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
  Update([&](TIniChanges& c) { c.WriteInteger(section, ident, value); });
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  Update([&](TIniChanges& c) { c.WriteBool(section, ident, value); });
}

void TIniFile::EraseSection(const std::string& section) {
  Update([&](TIniChanges& c) { c.EraseSection(section); });
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  Update([&](TIniChanges& c) { c.DeleteKey(section, ident); });
}

}  // namespace rtl
