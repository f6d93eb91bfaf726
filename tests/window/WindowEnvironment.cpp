#include "WindowEnvironment.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <memory>

#include "PackageTestSupport.h"
#include "designide-dialogs/DesignerDialogs.h"
#include "rtl/packages/Packages.h"
#include "vcl/Application.h"

namespace windowtest {

namespace {
std::string ExamplesDir() { return dvtest::BinDir() + "/../examples"; }

class TWindowEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    config_ = std::make_unique<dvtest::TempDir>();
    setenv("XDG_CONFIG_HOME", config_->Path().c_str(), 1);
    application_ = std::make_unique<QApplication>(argc_, argv_);
    vcl::EnsureWidgetSystem();
    // As dvdesigner does: the framework's own dialogs behind its editors.
    designide::InstallDesignerDialogs();
    package_ = rtl::LoadPackage(dvtest::BinFile("DclDralvo160.so"));
  }
  void TearDown() override {
    rtl::UnloadPackage(package_);
    vcl::ShutdownWidgetSystem();
    application_.reset();
    config_.reset();
  }

 private:
  int argc_ = 1;
  char name_[16] = "window_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<dvtest::TempDir> config_;
  std::unique_ptr<QApplication> application_;
  rtl::HMODULE package_ = nullptr;
};
[[maybe_unused]] ::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new TWindowEnvironment);
}  // namespace

TExample::TExample() {
  for (const char* name : {"Shop.dfm", "shop.db"})
    std::filesystem::copy_file(ExamplesDir() + "/" + name, dir_.File(name));
}

}  // namespace windowtest
