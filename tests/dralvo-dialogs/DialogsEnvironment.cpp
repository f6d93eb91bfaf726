// The runtime's and the widget layer's units, started once for the program.
#include <gtest/gtest.h>

#include "dralvo/PackageInfo.h"
#include "rtl/packages/Units.h"
#include "vcl/PackageInfo.h"

namespace {
class DialogsEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    rtl::InitializePackage(dralvo::PackageInfo());
    rtl::InitializePackage(vcl::PackageInfo());
  }
  void TearDown() override {
    rtl::FinalizePackage(vcl::PackageInfo());
    rtl::FinalizePackage(dralvo::PackageInfo());
  }
};
[[maybe_unused]] ::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new DialogsEnvironment);
}  // namespace
