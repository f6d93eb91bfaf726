#include <algorithm>
#include <climits>
#include <cstdlib>
#include <iostream>

#include "Commands.h"
#include "commands/OutputText.h"
#include "dralvo/Hooks.h"
#include "dralvo/Secrets.h"
#include "rtl/packages/Packages.h"
#include "rtl/system/SysUtils.h"

namespace designer {

const std::string& TArgs::Operand(size_t index) const {
  static const std::string kAbsent;
  return index < operands_.size() ? operands_[index] : kAbsent;
}

std::optional<std::string> TArgs::Value(const std::string& name) const {
  auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

std::string TArgs::PackageFile() const {
  if (auto file = Value("--package")) return *file;
  return rtl::ExtractFilePath(rtl::GetModuleFileName(nullptr)) + "DclDralvo160.so";
}

// Left to right: an argument starting with "--" is an option of the row,
// which takes the next argument as its value when it has one; anything
// else is the next operand.
class TArgsParser {
 public:
  static TArgs Parse(const TCommand& command, const std::vector<std::string>& args) {
    TArgs parsed;
    std::set<std::string> seen;
    for (size_t i = 0; i < args.size(); ++i) {
      const std::string& arg = args[i];
      if (arg.rfind("--", 0) != 0) {
        parsed.operands_.push_back(arg);
        continue;
      }
      const TOption* option = Find(command, arg);
      if (option == nullptr) throw EBadInput("Unknown option for " + std::string(command.Name) + ": " + arg);
      // A second one would otherwise silently win over the first.
      if (!seen.insert(arg).second) throw EBadInput("Option " + arg + " given twice");
      if (option->Value == nullptr) {
        parsed.flags_.insert(arg);
        continue;
      }
      if (i + 1 == args.size()) throw EBadInput("Option " + arg + " needs a value");
      if (args[i + 1].empty()) throw EBadInput("Option " + arg + " needs a value, not an empty text");
      parsed.values_[arg] = args[++i];
    }
    CheckOperands(command, parsed.operands_);
    return parsed;
  }

 private:
  static const TOption* Find(const TCommand& command, const std::string& name) {
    for (const TOption& option : command.Options)
      if (name == option.Name) return &option;
    return nullptr;
  }

  static void CheckOperands(const TCommand& command, const std::vector<std::string>& operands) {
    std::vector<std::string> required;
    for (const TOperand& operand : command.Operands)
      if (!operand.Optional) required.push_back(operand.What);
    if (operands.size() < required.size()) {
      std::string what;
      for (size_t i = 0; i < required.size(); ++i)
        what += (i == 0 ? "" : i + 1 == required.size() ? " and " : ", ") + required[i];
      throw EBadInput(std::string(command.Name) + " needs " + what);
    }
    const bool repeated = !command.Operands.empty() && command.Operands.back().Repeated;
    if (operands.size() > command.Operands.size() && !repeated)
      throw EBadInput("Unexpected argument for " + std::string(command.Name) + ": " +
                      operands[command.Operands.size()]);
  }
};

TArgs ParseArgs(const TCommand& command, const std::vector<std::string>& args) {
  return TArgsParser::Parse(command, args);
}

std::string UsageOf(const TCommand& command) {
  std::string usage;
  auto add = [&](const std::string& part) { usage += (usage.empty() ? "" : " ") + part; };
  for (const TOperand& operand : command.Operands)
    add((operand.Optional ? "[" + std::string(operand.Name) + "]" : std::string(operand.Name)) +
        (operand.Repeated ? "..." : ""));
  for (const TOption& option : command.Options)
    add("[" + std::string(option.Name) + (option.Value != nullptr ? " " + std::string(option.Value) : "") + "]");
  return usage;
}

int RunCommand(const TCommand& command, const std::vector<std::string>& args) {
  if (std::find(args.begin(), args.end(), "--help") != args.end()) {
    std::cout << "usage: dvdesigner " << command.Name << " " << UsageOf(command) << "\n  " << command.Summary << "\n";
    return 0;
  }
  try {
    return command.Run(ParseArgs(command, args));
  } catch (const EBadInput& e) {
    // Whatever a layer put into the message, no password is shown, and no
    // name in it reaches the terminal as a control sequence.
    std::cerr << "dvdesigner " << command.Name << ": " << ForTerminal(dralvo::MaskPasswords(e.what())) << "\n";
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "dvdesigner " << command.Name << ": " << ForTerminal(dralvo::MaskPasswords(e.what())) << "\n";
    return 1;
  }
}

std::optional<long long> WholeNumber(const std::string& text) {
  const bool negative = !text.empty() && text[0] == '-';
  const std::string digits = text.substr(negative ? 1 : 0);
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  long long value = 0;
  for (char c : digits) value = value > (LLONG_MAX - (c - '0')) / 10 ? LLONG_MAX : value * 10 + (c - '0');
  return negative ? -value : value;
}

void TellServerNotices() {
  dralvo::SetServerNoticeHandler([](const std::string& server, const std::string& message) {
    std::cerr << server << ": " << ForTerminal(dralvo::MaskPasswords(message)) << "\n";
  });
}

void ChooseWidgetPlatform() {
  const bool display = std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
  if (!display) setenv("QT_QPA_PLATFORM", "offscreen", 0);  // unless the user chose one
}

}  // namespace designer
