#include "DesignerFixture.h"

#include <cstdlib>

#include "rtl/system/SysUtils.h"

namespace designertest {

namespace {
std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}
}  // namespace

void DesignerTest::SetUp() {
  binDir_ = Env("DV_BIN_DIR");
  sourceDir_ = Env("DV_SOURCE_DIR");
  ASSERT_FALSE(binDir_.empty()) << "DV_BIN_DIR is not set";
  ASSERT_TRUE(rtl::FileExists(binDir_ + "/dvdesigner")) << binDir_;
  // The designer finds no registry of the machine's user: settings come from
  // the example's folder.
  ::setenv("XDG_CONFIG_HOME", config_.Path().c_str(), 1);
  // As on a machine without a login session, where the toolkit complains.
  ::unsetenv("XDG_RUNTIME_DIR");
  rtl::WriteFileAtomic(ModulePath(), rtl::ReadFileToString(sourceDir_ + "/examples/Shop.dfm"));
  auto built = dvtest::RunProcess({binDir_ + "/dvmkdb", sourceDir_ + "/examples/shop.sql", dir_.File("shop.db")},
                                  dir_.Path());
  ASSERT_EQ(built.ExitCode, 0) << built.Err;
}

dvtest::TProcessResult DesignerTest::Designer(const std::vector<std::string>& args) const {
  std::vector<std::string> argv{binDir_ + "/dvdesigner"};
  argv.insert(argv.end(), args.begin(), args.end());
  return dvtest::RunProcess(argv, dir_.Path());
}

std::string DesignerTest::Module() const { return rtl::ReadFileToString(ModulePath()); }

void DesignerTest::WriteModule(const std::string& text) const { rtl::WriteFileAtomic(ModulePath(), text); }

}  // namespace designertest
