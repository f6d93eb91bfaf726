#pragma once
// GetAsyncKeyState: whether a key is held down at this moment.
//
// With an automation installed (vcl/Automation.h) the automation answers, so
// a script can hold keys down; otherwise the window system is asked. Only
// the modifier keys (Shift, Ctrl, Alt) are known to it; any other key reads
// as up.
#include <cstdint>

namespace vcl {

constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;  // Alt

// The most significant bit of the result is set while the key is down.
int16_t GetAsyncKeyState(int virtualKey);

}  // namespace vcl
