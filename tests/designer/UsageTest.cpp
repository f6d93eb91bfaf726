// Exit statuses of every command: 2 for bad usage or input that cannot be
// read, 1 when what the command did failed (here: a save refused).
#include <sys/stat.h>

#include <string>
#include <vector>

#include "DesignerFixture.h"

namespace designertest {
namespace {

TEST_F(DesignerTest, BadUsageOrUnreadableInputExitsTwoInEveryCommand) {
  const std::vector<std::vector<std::string>> calls = {
      {"info", "--frobnicate"},
      {"info", "extra"},
      {"settings", "--set-root-dir"},
      {"settings", "--set-root-dir", "/no/such/folder"},
      {"settings", "--set-root-dir", ""},
      {"settings", "extra"},
      {"show"},
      {"show", "Shop.dfm", "--frobnicate"},
      {"show", "Shop.dfm", "--package", "a.so", "--package", "b.so"},
      {"show", "Missing.dfm"},
      {"show", "/dev/zero"},
      {"show", "Shop.dfm", "--package", "/no/such/package.so"},
      {"verbs", "Shop.dfm", "--package", "/no/such/package.so"},
      {"structure", "Shop.dfm", "--package"},
      {"drop", "Shop.dfm"},
      {"open", "Shop.dfm", "extra"},
      {"open", "--frobnicate"},
      {"updatesql", "Shop.dfm"},
      {"check", "Shop.dfm", "--frobnicate"},
  };
  const std::string before = Module();
  for (const auto& call : calls) {
    auto r = Designer(call);
    std::string line;
    for (const auto& arg : call) line += arg + " ";
    EXPECT_EQ(r.ExitCode, 2) << line << "\n" << r.Err;
    EXPECT_NE(r.Err.find("dvdesigner " + call[0] + ": "), std::string::npos) << line << "\n" << r.Err;
  }
  EXPECT_EQ(Module(), before);
}

TEST_F(DesignerTest, AModuleWhoseRootIsNotADataModuleIsRefusedNamingItsClass) {
  WriteModule("object Orders: TDVQuery\nend\n");
  auto r = Designer({"show", "Shop.dfm"});
  EXPECT_EQ(r.ExitCode, 2) << r.Err;
  EXPECT_NE(r.Err.find("TDVQuery, not a data module"), std::string::npos) << r.Err;
  EXPECT_TRUE(r.Out.empty()) << r.Out;
}

TEST_F(DesignerTest, SaveOverAWriteProtectedModuleFailsNamingIt) {
  ASSERT_EQ(::chmod(ModulePath().c_str(), 0444), 0);
  const std::string before = Module();
  auto r = Designer({"updatesql", "Shop.dfm", "OrdersUpdate", "--table-fields", "--primary-keys", "--generate", "--save"});
  EXPECT_EQ(r.ExitCode, 1) << r.Err;
  EXPECT_NE(r.Err.find("Shop.dfm\". It is write-protected"), std::string::npos) << r.Err;
  EXPECT_EQ(Module(), before);
}

}  // namespace
}  // namespace designertest
