#pragma once
// A copy of the example (Shop.dfm and a freshly built shop.db) in a
// temporary folder, and a way to run the built dvdesigner on it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Subprocess.h"
#include "TempDir.h"

namespace designertest {

class DesignerTest : public ::testing::Test {
 protected:
  void SetUp() override;
  // dvdesigner with these arguments, run in the example's folder.
  dvtest::TProcessResult Designer(const std::vector<std::string>& args) const;
  std::string Module() const;  // the module file's text now
  void WriteModule(const std::string& text) const;
  std::string ModulePath() const { return dir_.File("Shop.dfm"); }

  dvtest::TempDir dir_;
  dvtest::TempDir config_;  // the designer's private configuration folder
  std::string binDir_;
  std::string sourceDir_;
};

}  // namespace designertest
