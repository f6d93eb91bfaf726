#pragma once
// The runtime's and the widget layer's units, started once for a test
// program that shows the runtime's dialogs, and stopped in reverse order.
#include <gtest/gtest.h>

#include "dralvo/PackageInfo.h"
#include "rtl/packages/Units.h"
#include "vcl/PackageInfo.h"

namespace dvtest {

class TRuntimeUnits : public ::testing::Environment {
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

}  // namespace dvtest
