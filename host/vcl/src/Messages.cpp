// Window handles: small numbers that name live windowed controls, so that a
// message sent to a control that is gone finds nothing instead of freed
// memory.
#include <cstdint>
#include <unordered_map>

#include "vcl/Controls.h"
#include "vcl/Types.h"

namespace vcl {

namespace {
struct HandleTable {
  std::unordered_map<HWND, TWinControl*> controls;
  uintptr_t next = 1;
};
HandleTable& Handles() {
  static HandleTable table;
  return table;
}
}  // namespace

HWND RegisterHandle(TWinControl* control) {
  HandleTable& t = Handles();
  HWND handle = reinterpret_cast<HWND>(t.next++);
  t.controls[handle] = control;
  return handle;
}

void UnregisterHandle(HWND handle) { Handles().controls.erase(handle); }

LRESULT SendMessageW(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto& controls = Handles().controls;
  auto it = controls.find(handle);
  if (it == controls.end()) return 0;
  return it->second->WndProc(msg, wParam, lParam);
}

}  // namespace vcl
