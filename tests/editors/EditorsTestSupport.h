#pragma once
// The real package loaded with a private registry and settings folder, a
// designer that counts Modified calls, and editors made from the classes
// the package registered.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TempDir.h"
#include "designide/ComponentEditors.h"
#include "CountingDesigner.h"
#include "designide/Designer.h"
#include "rtl/packages/Packages.h"

namespace edtest {

using dvtest::TCountingDesigner;

// Loads DclDralvo160.so for each test and unloads it afterwards.
class LoadedPackage : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The settings file's text when the package loads; none by default.
  virtual std::string SettingsText() const { return {}; }
  // The editor the package registered for the component's class.
  std::unique_ptr<designide::TComponentEditor> EditorFor(rtl::TComponent* component,
                                                         designide::IDesigner* designer);

  dvtest::TempDir config_;
  dvtest::TempDir root_;
  rtl::HMODULE module_ = nullptr;
};

// What the About verb shows for the real package file.
inline constexpr const char* PackageAboutCaption = "Dralvo Library 6.5.3.0";

}  // namespace edtest
