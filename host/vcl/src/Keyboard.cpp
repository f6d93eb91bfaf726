#include "vcl/Keyboard.h"

#include <QGuiApplication>

#include "vcl/Application.h"
#include "vcl/Automation.h"

namespace vcl {

namespace {
constexpr int16_t KeyDownBit = INT16_MIN;  // 0x8000

bool WindowSystemKeyDown(int virtualKey) {
  EnsureWidgetSystem();
  const Qt::KeyboardModifiers held = QGuiApplication::queryKeyboardModifiers();
  switch (virtualKey) {
    case VK_SHIFT:
      return held.testFlag(Qt::ShiftModifier);
    case VK_CONTROL:
      return held.testFlag(Qt::ControlModifier);
    case VK_MENU:
      return held.testFlag(Qt::AltModifier);
    default:
      return false;
  }
}
}  // namespace

int16_t GetAsyncKeyState(int virtualKey) {
  TAutomation* automation = CurrentAutomation();
  const bool down = automation != nullptr ? automation->KeyDown(virtualKey) : WindowSystemKeyDown(virtualKey);
  return down ? KeyDownBit : 0;
}

}  // namespace vcl
