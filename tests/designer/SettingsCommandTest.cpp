// dvdesigner settings on a settings file the user may not read: the
// defaults are shown, and standard error names the file and the reason.
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "DesignerFixture.h"
#include "rtl/system/SysUtils.h"

namespace designertest {
namespace {

TEST_F(DesignerTest, AnUnreadableSettingsFileGivesTheDefaultsAndSaysWhy) {
  const std::string ini = dir_.File("dralvo.ini");
  rtl::WriteFileAtomic(ini, "[SQLEditor]\nEnabled=0\n");
  ASSERT_EQ(::chmod(ini.c_str(), 0), 0);
  // Root reads any file: the command then runs as another user.
  std::vector<std::string> argv;
  if (::geteuid() == 0) {
    for (const std::string& dir : {dir_.Path(), config_.Path()}) ASSERT_EQ(::chmod(dir.c_str(), 0777), 0);
    argv = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
  }
  argv.push_back(binDir_ + "/dvdesigner");
  argv.push_back("settings");
  auto r = dvtest::RunProcess(argv, dir_.Path());
  EXPECT_EQ(r.ExitCode, 0) << r.Err;
  EXPECT_NE(r.Out.find("SQL editor: on\n"), std::string::npos) << r.Out;
  EXPECT_NE(r.Err.find("Cannot read the settings file \"./dralvo.ini\": Permission denied; using the defaults\n"),
            std::string::npos)
      << r.Err;
}

}  // namespace
}  // namespace designertest
