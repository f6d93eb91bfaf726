// Where the settings file lives, and the settings written at once: default
// parameters, the default server type and the SQL-editor switch.
#include <gtest/gtest.h>

#include "DVReg/settings/DesignSettings.h"
#include "SettingsFixture.h"
#include "rtl/system/Exceptions.h"
#include "rtl/settings/IniFiles.h"

namespace {

using dralvo::TDVServerType;
using dvtest::SettingsTest;
using dvtest::WriteBytes;
using Lines = std::vector<std::string>;

// Settles where the file goes by writing through it.
std::string WrittenFileIn(dv::TDesignSettings& settings, const std::string& dir) {
  settings.WriteDefaultServerType(TDVServerType::stPostgreSQL);
  std::string file = dir + "/dralvo.ini";
  return rtl::FileExists(file) ? dvtest::ReadBytes(file) : std::string("<no file in ") + dir + ">";
}

TEST_F(SettingsTest, RootDirFallsBackToTheCurrentFolder) {
  WriteBytes(root_.File("plain-file"), "x");
  std::filesystem::create_directory_symlink(root_.Path(), cwd_.File("link"));
  struct Row {
    const char* Case;
    std::function<void()> Prepare;
    std::string Expected;
  };
  const Row rows[] = {
      {"no registry key", [] {}, "."},
      {"key without the value",
       [] {
         rtl::TRegistry reg;
         reg.OpenKey("Software\\Dralvo", true);
       },
       "."},
      {"empty value", [] { SetRootDirValue(""); }, "."},
      {"folder that does not exist", [this] { SetRootDirValue(root_.File("gone")); }, "."},
      {"a file, not a folder", [this] { SetRootDirValue(root_.File("plain-file")); }, "."},
      {"malformed registry store",
       [this] { WriteBytes(config_.File("dralvo/registry.ini"), std::string("\xFF\xFE\x00[", 4)); }, "."},
      {"registry store that is a folder",
       [this] { std::filesystem::create_directory(config_.File("dralvo/registry.ini")); }, "."},
      {"existing folder", [this] { SetRootDirValue(root_.Path()); }, root_.Path()},
      {"link to a folder", [this] { SetRootDirValue(cwd_.File("link")); }, cwd_.File("link")},
  };
  for (const Row& row : rows) {
    std::filesystem::remove_all(config_.File("dralvo"));
    std::filesystem::create_directories(config_.File("dralvo"));
    row.Prepare();
    dv::TDesignSettings settings;
    EXPECT_EQ(settings.RootDir(), row.Expected) << row.Case;
    std::string dir = row.Expected == "." ? cwd_.Path() : row.Expected;
    EXPECT_NE(WrittenFileIn(settings, dir).find("ServerType=PostgreSQL"), std::string::npos) << row.Case;
    std::filesystem::remove(dir + "/dralvo.ini");
  }
}

TEST_F(SettingsTest, RootDirIsFixedForTheObjectsLife) {
  UseRootDir();
  dv::TDesignSettings settings;
  SetRootDirValue(cwd_.Path());
  EXPECT_EQ(settings.RootDir(), root_.Path());
  EXPECT_EQ(dv::TDesignSettings().RootDir(), cwd_.Path());
}

TEST_F(SettingsTest, RootDirWithTrailingSeparatorStillFindsTheFile) {
  SetRootDirValue(root_.Path() + "/");
  Store("[SQLEditor]\nEnabled=0\n");
  dv::TDesignSettings settings;
  EXPECT_FALSE(settings.SQLEditor());
}

TEST_F(SettingsTest, SaveDbParamsWritesFirstOfEachNameAndKeepsEveryLine) {
  UseRootDir();
  Store("[TDVDatabase_Params]\nOld=1\n[Other]\nX=1\n");
  dv::TDesignSettings settings;
  rtl::TStringList list{"A=1", "B=2", "A=3", "no equals sign", "Spaced= two words "};
  settings.SaveDbParams(list);
  rtl::TStringList section;
  rtl::TIniFile(SettingsFile()).ReadSectionValues("TDVDatabase_Params", section);
  EXPECT_EQ(section.ToVector(), (Lines{"A=1", "B=2", "Spaced= two words "}));
  EXPECT_EQ(settings.DbParams()->ToVector(), list.ToVector());
  EXPECT_EQ(rtl::TIniFile(SettingsFile()).ReadString("Other", "X", ""), "1");
  // A fresh object reads what was stored.
  EXPECT_EQ(dv::TDesignSettings().DbParams()->ToVector(), section.ToVector());
}

TEST_F(SettingsTest, SaveDbParamsReplacesTheFileOnceOrNotAtAll) {
  UseRootDir();
  Store("[TDVDatabase_Params]\nUser=sa\n");
  const std::string before = Stored();
  dv::TDesignSettings settings;
  ASSERT_EQ(settings.DbParams()->ToVector(), (Lines{"User=sa"}));
  static int renames = 0;
  renames = 0;
  rtl::SetWriteFaultHook([](const char* step, const std::string&) {
    if (std::string(step) == "rename") ++renames;
    return false;
  });
  settings.SaveDbParams(rtl::TStringList{"A=1", "B=2", "C=3"});
  EXPECT_EQ(renames, 1);

  Store(before);
  rtl::SetWriteFaultHook([](const char* step, const std::string&) { return std::string(step) == "rename"; });
  EXPECT_THROW(settings.SaveDbParams(rtl::TStringList{"X=1"}), rtl::EIniFileException);
  EXPECT_EQ(Stored(), before);
  EXPECT_EQ(settings.DbParams()->ToVector(), (Lines{"A=1", "B=2", "C=3"}));
  // A name the file cannot hold fails the whole save before anything is written.
  rtl::SetWriteFaultHook(nullptr);
  EXPECT_THROW(settings.SaveDbParams(rtl::TStringList{"Y=1", ";Z=2"}), rtl::EIniFileException);
  EXPECT_EQ(Stored(), before);
}

TEST_F(SettingsTest, DbParamsAreReadWhileEmptyAndCachedOnceFilled) {
  UseRootDir();
  dv::TDesignSettings settings;
  EXPECT_EQ(settings.DbParams()->Count(), 0);
  Store("[TDVDatabase_Params]\nUser=sa\nHost = \"db one\"\n;Password=x\nuser=twice\n");
  EXPECT_EQ(settings.DbParams()->ToVector(), (Lines{"User=sa", "Host=db one"}));
  Store("[TDVDatabase_Params]\nUser=changed\n");
  EXPECT_EQ(settings.DbParams()->ToVector(), (Lines{"User=sa", "Host=db one"}));
}

TEST_F(SettingsTest, ReadDefaultServerTypeFallsBackToTheCurrentDefault) {
  UseRootDir();
  struct Row {
    const char* Stored;
    TDVServerType Current;
    TDVServerType Expected;
  };
  const Row rows[] = {
      {"[TDVDatabase]\nServerType=PostgreSQL\n", TDVServerType::stSQLite, TDVServerType::stPostgreSQL},
      {"[TDVDatabase]\nServerType=sqlite\n", TDVServerType::stPostgreSQL, TDVServerType::stSQLite},
      {"[TDVDatabase]\nServerType=\n", TDVServerType::stPostgreSQL, TDVServerType::stPostgreSQL},
      {"[TDVDatabase]\nServerType=Oracle\n", TDVServerType::stPostgreSQL, TDVServerType::stPostgreSQL},
      {"", TDVServerType::stPostgreSQL, TDVServerType::stPostgreSQL},
      {"", TDVServerType::stSQLite, TDVServerType::stSQLite},
  };
  for (const Row& row : rows) {
    Store(row.Stored);
    dralvo::SetDefServerType(row.Current);
    dv::TDesignSettings settings;
    EXPECT_EQ(settings.ReadDefaultServerType(), row.Expected) << row.Stored;
    EXPECT_EQ(dralvo::GetDefServerType(), row.Current) << "reading must not assign the default";
  }
}

TEST_F(SettingsTest, WriteDefaultServerTypeStoresAndAssignsOnlyOnSuccess) {
  UseRootDir();
  Store("; keep\n[TDVDatabase]\nServerType=SQLite\n");
  dralvo::SetDefServerType(TDVServerType::stSQLite);
  dv::TDesignSettings settings;
  settings.WriteDefaultServerType(TDVServerType::stPostgreSQL);
  EXPECT_EQ(Stored(), "; keep\n[TDVDatabase]\nServerType=PostgreSQL\n");
  EXPECT_EQ(dralvo::GetDefServerType(), TDVServerType::stPostgreSQL);

  rtl::SetWriteFaultHook([](const char* step, const std::string&) { return std::string(step) == "write"; });
  EXPECT_THROW(settings.WriteDefaultServerType(TDVServerType::stSQLite), rtl::EIniFileException);
  EXPECT_EQ(dralvo::GetDefServerType(), TDVServerType::stPostgreSQL);
  EXPECT_EQ(Stored(), "; keep\n[TDVDatabase]\nServerType=PostgreSQL\n");
}

TEST_F(SettingsTest, SQLEditorSwitchIsReadOncePerObject) {
  UseRootDir();
  const std::pair<const char*, bool> rows[] = {{"", true},
                                               {"[SQLEditor]\nEnabled=0\n", false},
                                               {"[SQLEditor]\nEnabled=1\n", true},
                                               {"[SQLEditor]\nEnabled=7\n", true},
                                               {"[SQLEditor]\nEnabled=-1\n", true},
                                               {"[SQLEditor]\nEnabled=no\n", true},
                                               {"[sqleditor]\n enabled = 0 \n", false}};
  for (const auto& [stored, expected] : rows) {
    Store(stored);
    dv::TDesignSettings settings;
    EXPECT_EQ(settings.SQLEditor(), expected) << stored;
    Store(expected ? "[SQLEditor]\nEnabled=0\n" : "[SQLEditor]\nEnabled=1\n");
    EXPECT_EQ(settings.SQLEditor(), expected) << "re-read after a change: " << stored;
    EXPECT_EQ(dv::TDesignSettings().SQLEditor(), !expected) << "a new object reads again: " << stored;
  }
}

TEST_F(SettingsTest, SaveAllIsOneReplacementAndDropsItsErrors) {
  UseRootDir();
  const std::string original = "[RecentDatabases]\nMaxCount=3\nItem00=a\nItem01=b\n[Keep]\nK=1\n";
  Store(original);
  dv::TDesignSettings settings;
  settings.AddLastUsedDatabase("c");
  for (const char* step : {"open", "write", "sync", "rename"}) {
    static std::string failing;
    failing = step;
    rtl::SetWriteFaultHook([](const char* s, const std::string&) { return failing == s; });
    EXPECT_NO_THROW(settings.SaveAll()) << step;
    EXPECT_EQ(Stored(), original) << "history half-written after failing " << step;
  }
  static int renames = 0;
  rtl::SetWriteFaultHook([](const char* s, const std::string&) {
    renames += std::string(s) == "rename";
    return false;
  });
  settings.SaveAll();
  EXPECT_EQ(renames, 1);
  EXPECT_EQ(Stored(), "[Keep]\nK=1\n\n[RecentDatabases]\nItem00=c\nItem01=a\nItem02=b\nMaxCount=3\n");
}

}  // namespace
