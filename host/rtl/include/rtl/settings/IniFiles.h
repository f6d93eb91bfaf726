#pragma once
// TIniFile: a profile (INI) file read and written key by key.
//
// Nothing is cached: every read opens the file as it is now, every write
// replaces it at once (new file beside the old one, one rename), keeping
// every other line, comments included, and the file's line breaks. Writers
// in several processes take turns (an advisory lock on the file's folder),
// so no write puts back what another one just replaced. Section
// and key names ignore case; the first of duplicate sections or keys wins.
// Values are trimmed and lose one pair of matching quotes. A file that is
// missing, unreadable or not text gives the defaults. Files are UTF-8 (a
// byte-order mark is kept); UTF-16 files with a byte-order mark are read and
// written back in UTF-16.
#include <functional>
#include <string>
#include <unordered_map>

#include "rtl/files/AtomicFile.h"
#include "rtl/objects/Object.h"

namespace rtl {

class TStrings;

namespace ini {
class TIniDocument;
}

// The changes of one TIniFile::Update, applied to the file in one write.
class TIniChanges {
 public:
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& ident, int value);
  void WriteBool(const std::string& section, const std::string& ident, bool value);
  void EraseSection(const std::string& section);
  void DeleteKey(const std::string& section, const std::string& ident);
  // Adds a section header without entries, unless the section is there.
  void AddSection(const std::string& section);

 private:
  friend class TIniFile;
  TIniChanges(ini::TIniDocument& doc, const std::string& fileName) : doc_(doc), fileName_(fileName) {}
  ini::TIniDocument& doc_;
  const std::string& fileName_;
};

class TIniFile : public TObject {
  RTL_CLASS(TIniFile)
 public:
  // `newMode` is the mode the file gets should a write create it.
  explicit TIniFile(std::string fileName, TNewFileMode newMode = TNewFileMode::Default)
      : fileName_(std::move(fileName)), newMode_(newMode) {}

  const std::string& FileName() const { return fileName_; }

  std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) const;
  // The default when the value is missing or not an integer ("$1F" and
  // "0x1F" are hexadecimal).
  int ReadInteger(const std::string& section, const std::string& ident, int def) const;
  // An integer value; 0 is false, any other number true.
  bool ReadBool(const std::string& section, const std::string& ident, bool def) const;
  // Key names of the section, in file order (the list is cleared first).
  void ReadSection(const std::string& section, TStrings& names) const;
  // Section names, in file order (the list is cleared first).
  void ReadSections(TStrings& names) const;
  // name=value lines of the section, in file order (the list is cleared first).
  void ReadSectionValues(const std::string& section, TStrings& values) const;
  // True when the section holds at least one key, as the platform's.
  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& ident) const;
  // Why the file is there but cannot be read (its reads then give the
  // defaults); empty when it reads, or when there is no file.
  std::string ReadFailure() const;

  // Each write replaces the file; a failure raises EIniFileException naming
  // the file and the reason and leaves the previous file whole. A value
  // with line breaks, or a key that the file could not hold (empty, with
  // "=", starting with "[" or ";"), is refused with EIniFileException.
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& ident, int value);
  void WriteBool(const std::string& section, const std::string& ident, bool value);
  void EraseSection(const std::string& section);
  void DeleteKey(const std::string& section, const std::string& ident);

  // Reads the file once, applies every change made by `changes`, and
  // replaces the file once. When `changes` raises, the file is not touched.
  void Update(const std::function<void(TIniChanges&)>& changes);

 private:
  std::string fileName_;
  TNewFileMode newMode_;
};

// One section read in one pass, for looking up many of its keys without
// reading the file again for each (a long history, say). Keys ignore case;
// the first of duplicate keys wins, as in TIniFile.
class TIniSection {
 public:
  TIniSection(const TIniFile& ini, const std::string& section);
  // The value of `ident`, or `def` when the section has no such key.
  std::string ReadString(const std::string& ident, const std::string& def) const;

 private:
  std::unordered_map<std::string, std::string> values_;  // by AnsiFoldCase of the key
};

}  // namespace rtl
