// Writing profile files: one key changes, every other byte stays, and a
// failed write leaves the previous file whole.
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>

#include "FileBytes.h"
#include "TempDir.h"
#include "rtl/system/Exceptions.h"
#include "rtl/settings/IniFiles.h"
#include "rtl/text/Strings.h"
#include "rtl/system/SysUtils.h"

namespace {

using dvtest::ReadBytes;
using dvtest::TempDir;
using dvtest::WriteBytes;

// A file as someone edits it on Windows: CRLF, comments, blanks around "=",
// quoted values, a duplicate key and a duplicate section.
const std::string kWindowsFile =
    "; Connection defaults\r\n"
    "[Params]\r\n"
    "User = sa\r\n"
    "Host=\"db one\"\r\n"
    "User=second\r\n"
    "\r\n"
    "[Other]\r\n"
    ";keep me\r\n"
    "A=1\r\n"
    "\r\n"
    "[PARAMS]\r\n"
    "Late=1\r\n";

struct WriteRow {
  const char* Case;
  std::function<void(rtl::TIniFile&)> Change;
  std::string Expected;
};

// Test names in listings show the case, not the bytes of the row.
void PrintTo(const WriteRow& row, std::ostream* os) { *os << row.Case; }

class IniWriteRows : public ::testing::TestWithParam<WriteRow> {};

TEST_P(IniWriteRows, ChangesOnlyWhatWasWritten) {
  const WriteRow& row = GetParam();
  TempDir dir;
  WriteBytes(dir.File("w.ini"), kWindowsFile);
  rtl::TIniFile ini(dir.File("w.ini"));
  row.Change(ini);
  EXPECT_EQ(ReadBytes(ini.FileName()), row.Expected) << row.Case;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  return rtl::StringReplaceAll(text, from, to);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, IniWriteRows,
    ::testing::Values(
        WriteRow{"existing key keeps its spelling and blanks",
                 [](rtl::TIniFile& f) { f.WriteString("params", "USER", "admin"); },
                 Replace(kWindowsFile, "User = sa\r\n", "User = admin\r\n")},
        WriteRow{"new key goes after the last entry of the first section",
                 [](rtl::TIniFile& f) { f.WriteString("Params", "Port", "5432"); },
                 Replace(kWindowsFile, "User=second\r\n", "User=second\r\nPort=5432\r\n")},
        WriteRow{"new section at the end with the file's line break",
                 [](rtl::TIniFile& f) { f.WriteInteger("New", "N", -5); },
                 kWindowsFile + "\r\n[New]\r\nN=-5\r\n"},
        WriteRow{"erase removes every section of that name",
                 [](rtl::TIniFile& f) { f.EraseSection("Params"); },
                 "; Connection defaults\r\n[Other]\r\n;keep me\r\nA=1\r\n\r\n"},
        WriteRow{"delete key removes duplicates of the first section",
                 [](rtl::TIniFile& f) { f.DeleteKey("Params", "user"); },
                 Replace(Replace(kWindowsFile, "User = sa\r\n", ""), "User=second\r\n", "")},
        WriteRow{"erasing a missing section changes nothing",
                 [](rtl::TIniFile& f) { f.EraseSection("Nowhere"); }, kWindowsFile},
        WriteRow{"several changes in one update",
                 [](rtl::TIniFile& f) {
                   f.Update([](rtl::TIniChanges& c) {
                     c.EraseSection("Other");
                     c.WriteBool("Other", "On", true);
                     c.WriteString("Params", "Host", "db two");
                   });
                 },
                 Replace(Replace(kWindowsFile, "Host=\"db one\"", "Host=db two"),
                         "[Other]\r\n;keep me\r\nA=1\r\n\r\n", "") +
                     "\r\n[Other]\r\nOn=1\r\n"}),
    [](const ::testing::TestParamInfo<WriteRow>& row) { return "Row" + std::to_string(row.index); });

TEST(IniFileWrite, CreatesTheFileOnFirstWrite) {
  TempDir dir;
  rtl::TIniFile ini(dir.File("new.ini"));
  ini.EraseSection("Nothing");
  EXPECT_FALSE(rtl::FileExists(ini.FileName()));
  ini.WriteString("Main", "Key", "Value");
  EXPECT_EQ(ReadBytes(ini.FileName()), "[Main]\nKey=Value\n");
  ini.WriteString("Main", "Other", "2");
  EXPECT_EQ(ReadBytes(ini.FileName()), "[Main]\nKey=Value\nOther=2\n");
}

TEST(IniFileWrite, KeepsByteOrderMarksAndLastLineWithoutBreak) {
  TempDir dir;
  rtl::TIniFile ini(dir.File("bom.ini"));
  WriteBytes(ini.FileName(), "\xEF\xBB\xBF[Main]\r\nA=1");
  ini.WriteString("Main", "B", "2");
  EXPECT_EQ(ReadBytes(ini.FileName()), "\xEF\xBB\xBF[Main]\r\nA=1\r\nB=2\r\n");

  const std::string wide("\xFF\xFE[\0M\0]\0\r\0\n\0", 12);
  WriteBytes(ini.FileName(), wide);
  ini.WriteString("M", "K", "\xC3\xBC");
  EXPECT_EQ(ReadBytes(ini.FileName()), wide + std::string("K\0=\0\xFC\0\r\0\n\0", 10));
  EXPECT_EQ(ini.ReadString("M", "K", ""), "\xC3\xBC");
}

TEST(IniFileWrite, ValuesComeBackAsWritten) {
  const std::string values[] = {"plain",     "  leading", "trailing  ", "\"quoted\"", "'single'", "a=b",
                                ";not a comment", "[not a section]", "", "\xC3\xBCml\xC3\xA4ut", "\"", "tab\tinside"};
  TempDir dir;
  rtl::TIniFile ini(dir.File("v.ini"));
  for (const std::string& value : values) {
    ini.WriteString("Values", "V", value);
    EXPECT_EQ(ini.ReadString("Values", "V", "<missing>"), value);
  }
  rtl::TStringList names;
  ini.ReadSection("Values", names);
  EXPECT_EQ(names.Count(), 1);
}

TEST(IniFileWrite, RefusesWhatTheFileCannotHold) {
  TempDir dir;
  rtl::TIniFile ini(dir.File("r.ini"));
  ini.WriteString("Main", "Key", "1");
  const std::string before = ReadBytes(ini.FileName());
  const std::function<void()> refused[] = {
      [&] { ini.WriteString("Main", "", "x"); },
      [&] { ini.WriteString("Main", "a=b", "x"); },
      [&] { ini.WriteString("Main", "[x", "x"); },
      [&] { ini.WriteString("Main", ";x", "x"); },
      [&] { ini.WriteString("Main", "a\nb", "x"); },
      [&] { ini.WriteString("Main", "Key", "two\nlines"); },
      [&] { ini.WriteString("Main", "Key", "cr\rinside"); },
      [&] { ini.WriteString("A\r\n[B", "Key", "x"); },
      [&] { ini.WriteString(" ", "Key", "x"); },
  };
  for (size_t i = 0; i < std::size(refused); ++i) {
    EXPECT_THROW(refused[i](), rtl::EIniFileException) << "case " << i;
    EXPECT_EQ(ReadBytes(ini.FileName()), before) << "case " << i;
  }
}

TEST(IniFileWrite, UpdateThatRaisesWritesNothing) {
  TempDir dir;
  rtl::TIniFile ini(dir.File("u.ini"));
  WriteBytes(ini.FileName(), "[Main]\nKey=1\n");
  EXPECT_THROW(ini.Update([](rtl::TIniChanges& c) {
    c.EraseSection("Main");
    c.WriteString("Main", "Key", "bad\nvalue");
  }),
               rtl::EIniFileException);
  EXPECT_EQ(ReadBytes(ini.FileName()), "[Main]\nKey=1\n");
}

// Injected failures: replacements are counted, the step named in
// `failStep` fails.
int g_renames = 0;
std::string g_failStep;
bool CountingHook(const char* step, const std::string&) {
  if (std::string(step) == "rename") ++g_renames;
  return g_failStep == step;
}

struct HookGuard {
  explicit HookGuard(const std::string& failStep) {
    g_renames = 0;
    g_failStep = failStep;
    rtl::SetWriteFaultHook(&CountingHook);
  }
  ~HookGuard() { rtl::SetWriteFaultHook(nullptr); }
};

TEST(IniFileWrite, UpdateReplacesTheFileOnce) {
  TempDir dir;
  rtl::TIniFile ini(dir.File("once.ini"));
  HookGuard hook("");
  ini.Update([](rtl::TIniChanges& c) {
    for (int i = 0; i < 50; ++i) c.WriteInteger("S", rtl::Format("K%d", {int64_t{i}}), i);
  });
  EXPECT_EQ(g_renames, 1);
  EXPECT_EQ(ini.ReadInteger("S", "K49", -1), 49);
}

TEST(IniFileWrite, FailedWriteLeavesPreviousFileWhole) {
  for (const char* step : {"open", "write", "sync", "rename"}) {
    TempDir dir;
    rtl::TIniFile ini(dir.File("f.ini"));
    WriteBytes(ini.FileName(), kWindowsFile);
    HookGuard hook(step);
    try {
      ini.WriteString("Params", "User", "changed");
      ADD_FAILURE() << "no error at step " << step;
    } catch (const rtl::EIniFileException& e) {
      EXPECT_NE(std::string(e.what()).find(ini.FileName()), std::string::npos) << e.what();
    }
    EXPECT_EQ(ReadBytes(ini.FileName()), kWindowsFile) << step;
    EXPECT_EQ(dvtest::CountFiles(dir.Path()), 1) << "temporary file left after failing " << step;
  }
}

TEST(IniFileWrite, UnwritableOrUnreadablePlacesRaiseNamingTheFile) {
  TempDir dir;
  rtl::TIniFile inMissingFolder(dir.File("missing/x.ini"));
  try {
    inMissingFolder.WriteString("S", "K", "v");
    ADD_FAILURE() << "write into a missing folder succeeded";
  } catch (const rtl::EIniFileException& e) {
    EXPECT_NE(std::string(e.what()).find("missing/x.ini"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("No such file"), std::string::npos) << e.what();
  }
  // A folder in place of the file cannot be read, so it is not replaced.
  std::filesystem::create_directory(dir.File("folder.ini"));
  rtl::TIniFile folder(dir.File("folder.ini"));
  EXPECT_THROW(folder.WriteString("S", "K", "v"), rtl::EIniFileException);
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.ini")));

  if (::geteuid() != 0) {  // permissions do not stop the superuser
    std::filesystem::create_directory(dir.File("locked"));
    std::filesystem::permissions(dir.File("locked"), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    rtl::TIniFile locked(dir.File("locked/x.ini"));
    EXPECT_THROW(locked.WriteString("S", "K", "v"), rtl::EIniFileException);
  }
}

TEST(IniFileWrite, KeepsHugeAndBinaryLinesOfOtherSections) {
  TempDir dir;
  rtl::TIniFile ini(dir.File("big.ini"));
  std::string junk(3 * 1024 * 1024, 'x');
  junk[100] = '\0';
  junk[200] = '\xFF';
  const std::string original = "[Junk]\n" + junk + "\n[Main]\nKey=1\n";
  WriteBytes(ini.FileName(), original);
  ini.WriteString("Main", "Key", "2");
  EXPECT_EQ(ReadBytes(ini.FileName()), "[Junk]\n" + junk + "\n[Main]\nKey=2\n");
}

}  // namespace
