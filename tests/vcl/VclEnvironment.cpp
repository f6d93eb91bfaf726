// The widget layer's units run once for the whole test program, on Qt's
// offscreen platform (set by the test runner).
#include <gtest/gtest.h>

#include "rtl/packages/Units.h"
#include "vcl/PackageInfo.h"

namespace {
class VclEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { rtl::InitializePackage(vcl::PackageInfo()); }
  void TearDown() override { rtl::FinalizePackage(vcl::PackageInfo()); }
};
[[maybe_unused]] ::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new VclEnvironment);
}  // namespace
