#include <algorithm>

#include "Commands.h"
#include "rtl/system/Exceptions.h"
#include "rtl/packages/Packages.h"
#include "rtl/system/SysUtils.h"

namespace designer {

std::string DefaultPackagePath() {
  return rtl::ExtractFilePath(rtl::GetModuleFileName(nullptr)) + "DclDralvo160.so";
}

std::string TakeOption(TArgs& args, const std::string& name) {
  auto it = std::find(args.begin(), args.end(), name);
  if (it == args.end()) return {};
  if (it + 1 == args.end()) throw rtl::Exception("Option " + name + " needs a value");
  std::string value = *(it + 1);
  args.erase(it, it + 2);
  return value;
}

bool TakeFlag(TArgs& args, const std::string& name) {
  auto it = std::find(args.begin(), args.end(), name);
  if (it == args.end()) return false;
  args.erase(it);
  return true;
}

void NoMoreArgs(const TArgs& args, const std::string& command) {
  if (!args.empty()) throw rtl::Exception("Unexpected argument for " + command + ": " + args.front());
}

}  // namespace designer
