#pragma once
// ShellExecuteW: asks the desktop to open a file or address (a web page, a
// "mailto:" address) with the program that handles it.
//
// With an automation installed (vcl/Automation.h) nothing is opened: the
// automation sees the request and answers as the desktop would. Without one
// and without a display (the offscreen platform) nothing can be opened: the
// request goes to standard error and the answer is a refusal.
#include <cstdint>
#include <string>

#include "vcl/Types.h"

namespace vcl {

// The show commands that matter here.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;

// Answers above 32 mean success; these are refusals.
using TShellResult = intptr_t;
constexpr TShellResult SE_ERR_FNF = 2;
constexpr TShellResult SE_ERR_ACCESSDENIED = 5;
constexpr TShellResult SE_ERR_NOASSOC = 31;
// What a successful open answers.
constexpr TShellResult ShellOpened = 42;

struct TShellExecuteInfo {
  HWND Owner = nullptr;
  std::string Operation;
  std::string File;
  std::string Parameters;
  std::string Directory;
  int ShowCmd = SW_SHOWNORMAL;
};

// Only the operations "open" and "" (the default, the same) are known; any
// other is refused with SE_ERR_NOASSOC.
TShellResult ShellExecuteW(HWND owner, const std::string& operation, const std::string& file,
                           const std::string& parameters, const std::string& directory, int showCmd);

}  // namespace vcl
