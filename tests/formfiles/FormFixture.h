#pragma once
// Registers the test classes around each test and checks afterwards that
// every object the test made is gone again.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "FormTestClasses.h"
#include "rtl/forms/FormFiles.h"

namespace formtest {

// The fuzzer's interesting inputs, kept with the sources.
inline std::filesystem::path CorpusDir() {
  const char* source = std::getenv("DV_SOURCE_DIR");
  return std::filesystem::path(source != nullptr ? source : ".") / "tests" / "formfiles" / "corpus";
}

class FormFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterTestClasses();
    liveBefore_ = LiveObjects();
  }
  void TearDown() override {
    EXPECT_EQ(LiveObjects(), liveBefore_) << "objects left alive";
  }
  static std::unique_ptr<rtl::TComponent> Read(const std::string& text, const rtl::TFormReadOptions& options = {}) {
    return rtl::ReadComponentText(text, "test.dfm", options);
  }
  static std::string RoundTrip(const std::string& text) { return rtl::WriteComponentText(*Read(text)); }
  static TTestWidget* Widget(const rtl::TComponent& root, const std::string& name) {
    return rtl::As<TTestWidget>(root.FindComponent(name));
  }

 private:
  int liveBefore_ = 0;
};

}  // namespace formtest
