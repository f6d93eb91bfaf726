#pragma once
// String, number, file and date helpers of the platform.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace rtl {

// One argument of Format.
using TVarRec = std::variant<int64_t, std::string>;

// The platform's Format for %s, %d (with width/precision: "%.2d" pads to two
// digits), %x, %% and the "-"/width flags. A specifier that does not match its
// argument, or a missing argument, raises EConvertError naming the format.
std::string Format(const std::string& fmt, std::initializer_list<TVarRec> args);

std::string IntToStr(int64_t value);
int64_t StrToInt(const std::string& s);  // raises EConvertError
int64_t StrToIntDef(const std::string& s, int64_t def);
bool TryStrToInt(const std::string& s, int64_t& value);

// Removes blanks and control characters (bytes <= 0x20) at both ends.
std::string Trim(const std::string& s);
std::string TrimLeft(const std::string& s);
std::string TrimRight(const std::string& s);
// Comparing while ignoring letter case: one family, two reaches (the rule
// of where each belongs is in host/rtl/README.md).
//
// ASCII letters only, as the platform's: names that code defines or that a
// grammar keeps to ASCII (classes, properties, components, enumeration
// values, keywords, resources, fixed words).
std::string UpperCase(const std::string& s);
std::string LowerCase(const std::string& s);
int CompareText(std::string_view a, std::string_view b);
inline bool SameText(std::string_view a, std::string_view b) {
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i] && upper(a[i]) != upper(b[i])) return false;
  return true;
}
// Every script, locale-aware (ICU): names and text a person types (sessions,
// databases, tables, fields, parameters, INI sections and keys, list entries).
int AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);
std::string AnsiUpperCase(const std::string& s);
// The case-folded form: two texts are AnsiSameText exactly when their folded
// forms are equal, so it serves as a hash key for case-blind look-ups.
std::string AnsiFoldCase(const std::string& s);
// Replaces every occurrence of `from` by `to`.
std::string StringReplaceAll(const std::string& s, const std::string& from, const std::string& to);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);  // links followed
std::string ExtractFilePath(const std::string& path);  // with trailing "/"
std::string ExtractFileName(const std::string& path);
std::string ExtractFileExt(const std::string& path);
std::string ChangeFileExt(const std::string& path, const std::string& ext);
std::string IncludeTrailingPathDelimiter(const std::string& dir);
std::string GetCurrentDir();
constexpr char PathDelim = '/';

// Dates as the platform keeps them: days since 1899-12-30, with the time of
// day as the fraction.
using TDateTime = double;
TDateTime Now();
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int ms);
void DecodeDateTime(TDateTime dt, int& year, int& month, int& day, int& hour, int& minute, int& second, int& ms);
// The packed DOS date-time of a file time stamp (local time).
int32_t DateTimeToFileDate(TDateTime dt);
std::string FormatDateTimeISO(TDateTime dt);

// Reads a whole file; raises EFOpenError naming the file and the reason.
std::string ReadFileToString(const std::string& path);
// Writes a file so that readers see either the old or the whole new content
// (TAtomicFile in one go). Raises EFCreateError naming the file and reason.
void WriteFileAtomic(const std::string& path, const std::string& contents);

// Failure injection for tests: when set, TAtomicFile calls it before each
// step ("open", "write", "sync", "rename") and fails that step when it returns
// true. Never set in production code.
using TWriteFaultHook = bool (*)(const char* step, const std::string& path);
void SetWriteFaultHook(TWriteFaultHook hook);

}  // namespace rtl
