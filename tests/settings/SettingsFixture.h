#pragma once
// A private world for one settings test: its own registry store, settings
// folder and current directory, and the runtime's default server type put
// back afterwards.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "FileBytes.h"
#include "TempDir.h"
#include "dralvo/ServerTypes.h"
#include "rtl/settings/Registry.h"
#include "rtl/system/SysUtils.h"

namespace dvtest {

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* v = std::getenv("XDG_CONFIG_HOME")) savedXdg_ = v;
    ::setenv("XDG_CONFIG_HOME", config_.Path().c_str(), 1);
    savedCwd_ = rtl::GetCurrentDir();
    ASSERT_EQ(::chdir(cwd_.Path().c_str()), 0);
    savedServerType_ = dralvo::GetDefServerType();
  }
  void TearDown() override {
    rtl::SetWriteFaultHook(nullptr);
    dralvo::SetDefServerType(savedServerType_);
    EXPECT_EQ(::chdir(savedCwd_.c_str()), 0);
    if (savedXdg_)
      ::setenv("XDG_CONFIG_HOME", savedXdg_->c_str(), 1);
    else
      ::unsetenv("XDG_CONFIG_HOME");
  }

  static void SetRootDirValue(const std::string& dir) {
    rtl::TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Dralvo", true));
    reg.WriteString("RootDir", dir);
  }
  // Points the registry at the test's settings folder.
  void UseRootDir() { SetRootDirValue(root_.Path()); }
  std::string SettingsFile() const { return root_.File("dralvo.ini"); }
  void Store(const std::string& content) const { WriteBytes(SettingsFile(), content); }
  std::string Stored() const { return ReadBytes(SettingsFile()); }

  TempDir config_, root_, cwd_;

 private:
  std::optional<std::string> savedXdg_;
  std::string savedCwd_;
  dralvo::TDVServerType savedServerType_ = dralvo::TDVServerType::stSQLite;
};

}  // namespace dvtest
