#pragma once
// A design-time package loaded through the package loader for as long as
// this object lives: its units started, its Register run, so the classes
// and editors it registered are there. The one way the designer loads a
// package, for the window and for every command.
#include <string>

#include "rtl/packages/Packages.h"

namespace designer {

class TDesignPackage {
 public:
  // Raises rtl::EPackageError (a file that is missing or not a package, a
  // required package not found); nothing stays loaded then.
  explicit TDesignPackage(const std::string& fileName);
  ~TDesignPackage();
  TDesignPackage(const TDesignPackage&) = delete;
  TDesignPackage& operator=(const TDesignPackage&) = delete;

  rtl::HMODULE Handle() const { return handle_; }
  const std::string& FileName() const { return fileName_; }

 private:
  std::string fileName_;
  rtl::HMODULE handle_;
};

}  // namespace designer
