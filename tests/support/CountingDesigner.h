#pragma once
// A designer for tests: counts Modified calls and names a root.
#include "designide/Designer.h"
#include "rtl/objects/Component.h"

namespace dvtest {

class TCountingDesigner : public designide::IDesigner {
 public:
  explicit TCountingDesigner(rtl::TComponent* root) : root_(root) {}
  void Modified() override { ++modified; }
  rtl::TComponent* GetRoot() override { return root_; }
  int modified = 0;

 private:
  rtl::TComponent* root_;
};

}  // namespace dvtest
