#pragma once
// What the designer-window tests share: the real package loaded through the
// loader for the whole program (on Qt's offscreen platform, or on X11 under
// xvfb-run), a private XDG configuration folder, and the example module
// copied into a fresh folder with its database.
#include <string>

#include "TempDir.h"

namespace windowtest {

// The folder that holds the copy of the example for one test.
class TExample {
 public:
  TExample();
  std::string Module() const { return dir_.File("Shop.dfm"); }
  std::string File(const std::string& name) const { return dir_.File(name); }
  std::string Folder() const { return dir_.Path(); }

 private:
  dvtest::TempDir dir_;
};

}  // namespace windowtest
