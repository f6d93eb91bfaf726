#include <algorithm>
#include <cstdlib>

#include "Commands.h"
#include "rtl/packages/Packages.h"
#include "rtl/system/SysUtils.h"

namespace designer {

std::string DefaultPackagePath() {
  return rtl::ExtractFilePath(rtl::GetModuleFileName(nullptr)) + "DclDralvo160.so";
}

namespace {
// An option stands once: a second one would otherwise be left over and
// reported as unknown, or silently win over the first.
void CheckOnce(const TArgs& args, TArgs::const_iterator first, const std::string& name) {
  if (std::find(first + 1, args.cend(), name) != args.cend()) throw EBadInput("Option " + name + " given twice");
}
}  // namespace

std::string TakeOption(TArgs& args, const std::string& name) {
  auto it = std::find(args.begin(), args.end(), name);
  if (it == args.end()) return {};
  CheckOnce(args, it, name);
  if (it + 1 == args.end()) throw EBadInput("Option " + name + " needs a value");
  std::string value = *(it + 1);
  args.erase(it, it + 2);
  return value;
}

bool TakeFlag(TArgs& args, const std::string& name) {
  auto it = std::find(args.begin(), args.end(), name);
  if (it == args.end()) return false;
  CheckOnce(args, it, name);
  args.erase(it);
  return true;
}

void ChooseWidgetPlatform() {
  const bool display = std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
  if (!display) setenv("QT_QPA_PLATFORM", "offscreen", 0);  // unless the user chose one
}

std::string ForTerminal(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\n') || byte == 0x7F) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  return out;
}

void NoMoreArgs(const TArgs& args, const std::string& command) {
  for (const std::string& arg : args)
    if (arg.rfind("--", 0) == 0) throw EBadInput("Unknown option for " + command + ": " + arg);
  if (!args.empty()) throw EBadInput("Unexpected argument for " + command + ": " + args.front());
}

}  // namespace designer
