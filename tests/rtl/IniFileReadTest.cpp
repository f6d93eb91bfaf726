// Reading profile files as the platform reads them, including files written
// by hand on another system and files that are not profile files at all.
#include <gtest/gtest.h>

#include <random>

#include "FileBytes.h"
#include "TempDir.h"
#include "rtl/settings/IniFiles.h"
#include "rtl/text/Strings.h"

namespace {

using dvtest::TempDir;
using dvtest::WriteBytes;

constexpr const char* kMissing = "<default>";

struct ReadRow {
  const char* Case;
  std::string Content;
  const char* Section;
  const char* Key;
  std::string Expected;  // kMissing: the default comes back
};

// Test names in listings show the case, not the bytes of the row.
void PrintTo(const ReadRow& row, std::ostream* os) { *os << row.Case; }

class IniReadRows : public ::testing::TestWithParam<ReadRow> {};

TEST_P(IniReadRows, ReadsValueAsPlatform) {
  const ReadRow& row = GetParam();
  TempDir dir;
  WriteBytes(dir.File("a.ini"), row.Content);
  rtl::TIniFile ini(dir.File("a.ini"));
  EXPECT_EQ(ini.ReadString(row.Section, row.Key, kMissing), row.Expected) << row.Case;
  EXPECT_EQ(ini.ValueExists(row.Section, row.Key), row.Expected != kMissing) << row.Case;
}

INSTANTIATE_TEST_SUITE_P(
    Semantics, IniReadRows,
    ::testing::Values(
        ReadRow{"crlf", "[Main]\r\nKey=Value\r\nNext=2\r\n", "Main", "Key", "Value"},
        ReadRow{"lf", "[Main]\nKey=Value\n", "Main", "Key", "Value"},
        ReadRow{"utf8 bom before first header", "\xEF\xBB\xBF[Main]\nKey=Value\n", "Main", "Key", "Value"},
        ReadRow{"no final line break", "[Main]\nKey=Value", "Main", "Key", "Value"},
        ReadRow{"blanks around equals", "[Main]\r\n  Key  =   Value  \r\n", "Main", "Key", "Value"},
        ReadRow{"tabs around equals", "[Main]\n\tKey\t=\tValue\t\n", "Main", "Key", "Value"},
        ReadRow{"blanks inside header", "[ Main ]\nKey=1\n", "Main", "Key", "1"},
        ReadRow{"text after header", "[Main] ; first\nKey=1\n", "Main", "Key", "1"},
        ReadRow{"section and key ignore case", "[mAIN]\nkEY=1\n", "MAIN", "key", "1"},
        ReadRow{"non-ascii names ignore case", "[Ünïcode]\nSchlüssel=1\n", "üNÏCODE", "SCHLÜSSEL", "1"},
        ReadRow{"double quotes", "[Main]\nKey=\"  spaced  \"\n", "Main", "Key", "  spaced  "},
        ReadRow{"single quotes", "[Main]\nKey='x'\n", "Main", "Key", "x"},
        ReadRow{"mismatched quotes stay", "[Main]\nKey=\"x'\n", "Main", "Key", "\"x'"},
        ReadRow{"one quote stays", "[Main]\nKey=\"\n", "Main", "Key", "\""},
        ReadRow{"only one pair removed", "[Main]\nKey=\"\"x\"\"\n", "Main", "Key", "\"x\""},
        ReadRow{"empty value is not missing", "[Main]\nKey=\n", "Main", "Key", ""},
        ReadRow{"value holds equals", "[Main]\nKey=a=b\n", "Main", "Key", "a=b"},
        ReadRow{"comment is not a key", "[Main]\n;Key=old\nKey=new\n", "Main", "Key", "new"},
        ReadRow{"indented comment", "[Main]\n   ;Key=old\n", "Main", "Key", kMissing},
        ReadRow{"line without equals", "[Main]\nKey\n", "Main", "Key", kMissing},
        ReadRow{"first duplicate key wins", "[Main]\nKey=1\nKEY=2\n", "Main", "Key", "1"},
        ReadRow{"first duplicate section wins", "[Main]\nA=1\n[Other]\n[MAIN]\nA=2\nB=3\n", "Main", "A", "1"},
        ReadRow{"later duplicate section ignored", "[Main]\nA=1\n[Other]\n[MAIN]\nA=2\nB=3\n", "Main", "B", kMissing},
        ReadRow{"key before any section", "Key=1\n[Main]\n", "Main", "Key", kMissing},
        ReadRow{"key of another section", "[Other]\nKey=1\n[Main]\nX=2\n", "Main", "Key", kMissing},
        ReadRow{"header without bracket", "[Main\nKey=1\n", "Main", "Key", kMissing},
        ReadRow{"bracket inside a value", "[Main]\nA=[Other]\n[Other]\nKey=2\n", "Other", "Key", "2"},
        ReadRow{"mixed line breaks", "[Main]\r\nA=1\nKey=2\r\n", "Main", "Key", "2"},
        ReadRow{"empty file", "", "Main", "Key", kMissing},
        ReadRow{"no sections", "Key=1\nOther=2\n", "Main", "Key", kMissing}),
    [](const ::testing::TestParamInfo<ReadRow>& row) { return "Row" + std::to_string(row.index); });

struct IntRow {
  const char* Stored;
  int Expected;
};

TEST(IniFileRead, IntegersAndBooleansFallBackWhenNotAnInteger) {
  const IntRow rows[] = {{"12", 12},   {" -7 ", -7},   {"$1F", 31},       {"0x1F", 31},       {"12abc", -1},
                         {"", -1},     {"1.5", -1},    {"99999999999", -1}, {"-2147483648", INT32_MIN}, {"abc", -1}};
  TempDir dir;
  rtl::TIniFile ini(dir.File("n.ini"));
  for (const IntRow& row : rows) {
    WriteBytes(ini.FileName(), std::string("[N]\nV=") + row.Stored + "\n");
    EXPECT_EQ(ini.ReadInteger("N", "V", -1), row.Expected) << row.Stored;
  }
  const std::pair<const char*, bool> bools[] = {{"0", false}, {"1", true}, {"-3", true}, {"yes", true}, {"", true}};
  for (const auto& [stored, expected] : bools) {
    WriteBytes(ini.FileName(), std::string("[N]\nB=") + stored + "\n");
    EXPECT_EQ(ini.ReadBool("N", "B", true), expected) << stored;
  }
  WriteBytes(ini.FileName(), "[N]\nB=no\n");
  EXPECT_FALSE(ini.ReadBool("N", "B", false));
  EXPECT_FALSE(ini.ReadBool("N", "Missing", false));
}

TEST(IniFileRead, SectionListsFollowFileOrderOnceEach) {
  TempDir dir;
  WriteBytes(dir.File("s.ini"),
             "; settings\r\n[Params]\r\nUser = sa\r\n;Password=x\r\nHost=\"db one\"\r\nuser=other\r\nNoValue\r\n"
             "[Empty]\r\n\r\n[Other]\r\nA=1\r\n[PARAMS]\r\nLate=1\r\n");
  rtl::TIniFile ini(dir.File("s.ini"));
  rtl::TStringList names{"stale"};
  ini.ReadSection("params", names);
  EXPECT_EQ(names.ToVector(), (std::vector<std::string>{"User", "Host"}));
  ini.ReadSectionValues("Params", names);
  EXPECT_EQ(names.ToVector(), (std::vector<std::string>{"User=sa", "Host=db one"}));
  ini.ReadSections(names);
  EXPECT_EQ(names.ToVector(), (std::vector<std::string>{"Params", "Empty", "Other"}));
  // As the platform's: a section without keys does not count as existing.
  EXPECT_TRUE(ini.SectionExists("PARAMS"));
  EXPECT_FALSE(ini.SectionExists("Empty"));
  EXPECT_FALSE(ini.SectionExists("Nowhere"));
}

TEST(IniFileRead, EveryReadSeesTheFileAsItIsNow) {
  TempDir dir;
  rtl::TIniFile ini(dir.File("live.ini"));
  EXPECT_EQ(ini.ReadString("S", "K", "none"), "none");
  WriteBytes(ini.FileName(), "[S]\nK=1\n");
  EXPECT_EQ(ini.ReadString("S", "K", "none"), "1");
  WriteBytes(ini.FileName(), "[S]\nK=2\n");
  EXPECT_EQ(ini.ReadString("S", "K", "none"), "2");
  std::filesystem::remove(ini.FileName());
  EXPECT_EQ(ini.ReadString("S", "K", "none"), "none");
}

// Files that are not what a profile file should be give defaults, never a
// crash, and keep what can still be read.
TEST(IniFileRead, BadFilesGiveDefaults) {
  TempDir dir;
  rtl::TIniFile ini(dir.File("bad.ini"));
  rtl::TStringList list;

  std::mt19937 random(42);
  std::string garbage(256 * 1024, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  WriteBytes(ini.FileName(), garbage);
  EXPECT_EQ(ini.ReadString("Main", "Key", "d"), "d");
  EXPECT_EQ(ini.ReadInteger("Main", "Key", 5), 5);
  ini.ReadSectionValues("Main", list);
  EXPECT_EQ(list.Count(), 0);
  ini.ReadSections(list);  // whatever it finds, it must not crash

  const char withNul[] = "[Main]\nK\0ey=1\nKey=2\n";
  WriteBytes(ini.FileName(), std::string(withNul, sizeof withNul - 1));
  EXPECT_EQ(ini.ReadString("Main", "Key", "d"), "2");

  std::string huge(8 * 1024 * 1024, 'x');
  WriteBytes(ini.FileName(), "[Main]\nKey=1\n" + huge + "\nBig=" + huge + "\n[Other]\nK=2\n");
  EXPECT_EQ(ini.ReadString("Main", "Key", "d"), "1");
  EXPECT_EQ(ini.ReadString("Main", "Big", "d").size(), huge.size());
  EXPECT_EQ(ini.ReadString("Other", "K", "d"), "2");

  const char wideNoBom[] = "[\0M\0a\0i\0n\0]\0\n\0K\0=\0\x31\0\n\0";
  WriteBytes(ini.FileName(), std::string(wideNoBom, sizeof wideNoBom - 1));
  EXPECT_EQ(ini.ReadString("Main", "K", "d"), "d");

  std::filesystem::remove(ini.FileName());
  std::filesystem::create_directory(ini.FileName());  // cannot be read as a file
  EXPECT_EQ(ini.ReadString("Main", "Key", "d"), "d");
  EXPECT_FALSE(ini.ValueExists("Main", "Key"));

  rtl::TIniFile inMissingFolder(dir.File("no/such/folder/x.ini"));
  EXPECT_EQ(inMissingFolder.ReadBool("Main", "Key", true), true);
}

TEST(IniFileRead, Utf16FilesWithByteOrderMarkAreDecoded) {
  TempDir dir;
  rtl::TIniFile ini(dir.File("wide.ini"));
  // "[Main]\r\nKey=Wert ü\r\n" in UTF-16 little and big endian.
  const std::u16string text = u"[Main]\r\nKey=Wert \u00FC\r\n";
  std::string le = "\xFF\xFE", be = "\xFE\xFF";
  for (char16_t c : text) {
    le += static_cast<char>(c & 0xFF);
    le += static_cast<char>(c >> 8);
    be += static_cast<char>(c >> 8);
    be += static_cast<char>(c & 0xFF);
  }
  WriteBytes(ini.FileName(), le);
  EXPECT_EQ(ini.ReadString("Main", "Key", "d"), "Wert \xC3\xBC");
  WriteBytes(ini.FileName(), be);
  EXPECT_EQ(ini.ReadString("Main", "Key", "d"), "Wert \xC3\xBC");
  WriteBytes(ini.FileName(), le.substr(0, le.size() - 1));  // odd length: cut in the middle of a unit
  EXPECT_EQ(ini.ReadString("Main", "Key", "d"), "Wert \xC3\xBC");
}

}  // namespace
