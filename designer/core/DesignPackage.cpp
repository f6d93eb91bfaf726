#include "core/DesignPackage.h"

namespace designer {

TDesignPackage::TDesignPackage(const std::string& fileName) : fileName_(fileName), handle_(rtl::LoadPackage(fileName)) {}

TDesignPackage::~TDesignPackage() { rtl::UnloadPackage(handle_); }

}  // namespace designer
