// A user registry or settings file that is there but cannot be read leaves
// the defaults in force, and the person is told which file and why.
#include <gtest/gtest.h>

#include <filesystem>

#include "DVReg/settings/DesignSettings.h"
#include "SettingsFixture.h"

namespace {

using dvtest::SettingsTest;

// What constructing the settings and reading one of them says on stderr.
std::string WhatSettingsSay(bool& sqlEditor) {
  testing::internal::CaptureStderr();
  {
    dv::TDesignSettings settings;
    sqlEditor = settings.SQLEditor();
  }
  return testing::internal::GetCapturedStderr();
}

TEST_F(SettingsTest, UnreadableRegistryOrSettingsFileIsNamedWithTheReason) {
  bool sqlEditor = false;
  EXPECT_EQ(WhatSettingsSay(sqlEditor), "") << "nothing to say when all is readable or missing";

  UseRootDir();
  std::filesystem::create_directory(SettingsFile());  // there, but not a file to read
  EXPECT_EQ(WhatSettingsSay(sqlEditor),
            "Cannot read the settings file \"" + SettingsFile() + "\": Is a directory; using the defaults\n");
  EXPECT_TRUE(sqlEditor);

  const std::string store = rtl::TRegistry::StoreFileName();
  std::filesystem::remove(store);
  std::filesystem::create_directory(store);
  EXPECT_EQ(WhatSettingsSay(sqlEditor),
            "Cannot read the user registry \"" + store + "\": Is a directory; using the defaults\n");
  EXPECT_TRUE(sqlEditor);
}

}  // namespace
