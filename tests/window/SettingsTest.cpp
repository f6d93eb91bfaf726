// What the designer keeps per user: recent modules and window geometry.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "model/DesignerSettings.h"
#include "rtl/system/Exceptions.h"
#include "rtl/system/SysUtils.h"

namespace windowtest {
namespace {

using designer::TDesignerSettings;

TEST(DesignerSettings, RecentFilesAreMostRecentFirstEachOnceAndAtMostEight) {
  dvtest::TempDir dir;
  TDesignerSettings settings(dir.File("sub/dvdesigner.ini"));
  EXPECT_TRUE(settings.RecentFiles().empty()) << "no file yet";
  for (int i = 1; i <= 10; ++i) settings.AddRecentFile("/m/" + std::to_string(i) + ".dfm");
  settings.AddRecentFile("/m/5.dfm");
  const auto files = TDesignerSettings(settings.FileName()).RecentFiles();
  ASSERT_EQ(files.size(), 8u);
  EXPECT_EQ(files[0], "/m/5.dfm");
  EXPECT_EQ(files[1], "/m/10.dfm");
  EXPECT_EQ(files[7], "/m/3.dfm");
  settings.RemoveRecentFile("/m/10.dfm");
  EXPECT_EQ(settings.RecentFiles()[1], "/m/9.dfm");

  settings.SaveWindow("Z2VvbWV0cnk=", "c3RhdGU=");
  EXPECT_EQ(settings.WindowGeometry(), "Z2VvbWV0cnk=");
  EXPECT_EQ(settings.WindowState(), "c3RhdGU=");
  EXPECT_EQ(settings.RecentFiles().size(), 7u) << "saving the window keeps the list";
}

TEST(DesignerSettings, LivesBesideTheUserRegistryAndReportsAnUnwritableFolder) {
  EXPECT_EQ(rtl::ExtractFileName(TDesignerSettings::DefaultFileName()), "dvdesigner.ini");
  EXPECT_NE(TDesignerSettings::DefaultFileName().find("/dralvo/"), std::string::npos);
  dvtest::TempDir dir;
  rtl::WriteFileAtomic(dir.File("plain"), "a file, not a folder");
  TDesignerSettings settings(dir.File("plain/dvdesigner.ini"));
  try {
    settings.AddRecentFile("/m/a.dfm");
    FAIL() << "the write went nowhere without an error";
  } catch (const rtl::Exception& error) {
    EXPECT_NE(std::string(error.what()).find("plain/dvdesigner.ini"), std::string::npos) << error.what();
  }
  EXPECT_TRUE(settings.RecentFiles().empty());
}

}  // namespace
}  // namespace windowtest
