// The designer's info and settings commands, run as the built program.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>

#include "PackageTestSupport.h"
#include "TempDir.h"

namespace {

struct TRun {
  int Status = -1;
  std::string Out;
  std::string Err;
};

class DesignerCommandTest : public ::testing::Test {
 protected:
  // Runs dvdesigner with a private registry; arguments are shell words.
  TRun Run(const std::string& arguments) {
    std::string errFile = temp_.File("stderr.txt");
    std::string command = "XDG_CONFIG_HOME='" + config_.Path() + "' '" + dvtest::BinFile("dvdesigner") + "' " +
                          arguments + " 2>'" + errFile + "'";
    TRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.Out.append(buffer, n);
    int status = pclose(pipe);
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile);
    run.Err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
    return run;
  }
  static bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

  dvtest::TempDir config_;
  dvtest::TempDir temp_;
};

TEST_F(DesignerCommandTest, InfoPrintsIdentityPaletteAndRegistrations) {
  TRun run = Run("info");
  ASSERT_EQ(run.Status, 0) << run.Err;
  for (const char* line : {"Description: Dralvo Components", "  File version: 6.5.3.0", "  ProductVersion: 6,5,3,0",
                           "  ProductName: Dralvo Library",
                           "  FileDescription: Dralvo Components for Delphi/C++Builder XE2 for Win32",
                           "Requires: Dralvo160.so, dcldb160.so, rtl160.so",
                           "Contains: DclDralvo160, DVAbout, SysInit, DVUpdSEd, DVReg", "Palette page \"Dralvo\":",
                           "  TDVSession (bitmap TDVSESSION: 24x24, 4 bpp, 392 bytes)",
                           "PropertyEditor string TDVTable.IndexName -> TIndexNameProperty",
                           "PropertiesInCategory \"Database\" TDVDataSetUpdateObject: \"*SQL\""})
    EXPECT_TRUE(Has(run.Out, line)) << "missing: " << line << "\n" << run.Out;
  // The palette keeps the registration order.
  EXPECT_LT(run.Out.find("  TDVSession ("), run.Out.find("  TDVDatabase ("));
  EXPECT_LT(run.Out.find("  TDVMonitor ("), run.Out.find("  TDVSQLBaseServer ("));
}

TEST_F(DesignerCommandTest, ErrorsGoToStandardErrorWithAFailureStatus) {
  std::ofstream(temp_.File("text.so")) << "not a library";
  struct TRow {
    const char* Arguments;
    const char* Expected;
  };
  std::string textPackage = "info --package '" + temp_.File("text.so") + "'";
  const TRow rows[] = {{textPackage.c_str(), "not a package"},
                       {"info --package", "needs a value"},
                       {"info extra", "Unexpected argument"},
                       {"frobnicate", "unknown command"},
                       {"settings --set-root-dir /no/such/folder", "is not a directory"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Arguments);
    TRun run = Run(row.Arguments);
    EXPECT_NE(run.Status, 0);
    EXPECT_TRUE(Has(run.Err, row.Expected)) << run.Err;
    EXPECT_EQ(run.Out, "");
  }
}

TEST_F(DesignerCommandTest, HelpPrintsUsage) {
  TRun run = Run("--help");
  EXPECT_EQ(run.Status, 0);
  EXPECT_TRUE(Has(run.Out, "info [--package FILE]"));
  EXPECT_TRUE(Has(run.Out, "settings [--set-root-dir DIR]"));
}

TEST_F(DesignerCommandTest, SettingsShowsWhatTheFileHoldsAfterSettingTheRoot) {
  dvtest::TempDir root;
  std::ofstream(root.File("dralvo.ini")) << "[RecentDatabases]\nItem00=first.db\nItem01=second.db\n"
                                            "[TDVDatabase_Params]\nUSER NAME=admin\n"
                                            "[TDVDatabase]\nServerType=PostgreSQL\n[SQLEditor]\nEnabled=0\n";
  TRun set = Run("settings --set-root-dir '" + root.Path() + "'");
  ASSERT_EQ(set.Status, 0) << set.Err;
  TRun run = Run("settings");
  ASSERT_EQ(run.Status, 0) << run.Err;
  for (std::string line : {"Settings file: " + root.Path() + "/dralvo.ini", "Root directory: " + root.Path(),
                           std::string("Default server type: PostgreSQL"), std::string("SQL editor: off"),
                           std::string("  1. first.db\n  2. second.db\n"), std::string("  USER NAME=admin")})
    EXPECT_TRUE(Has(run.Out, line)) << "missing: " << line << "\n" << run.Out;
}

TEST_F(DesignerCommandTest, SettingsWithoutAFileShowsDefaults) {
  TRun run = Run("settings");
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_TRUE(Has(run.Out, "Root directory: .\n"));
  EXPECT_TRUE(Has(run.Out, "Default server type: SQLite"));
  EXPECT_TRUE(Has(run.Out, "SQL editor: on"));
  EXPECT_TRUE(Has(run.Out, "Recent remote databases:\n  (none)"));
}

}  // namespace
