#pragma once
// Small shared types of the widget layer: modal results, events, alignment,
// cursors, and the window-message vocabulary used with SendMessageW.
#include <cstdint>
#include <functional>

namespace rtl {
class TObject;
}

namespace vcl {

// The value a modal form or message box ends with.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;
constexpr TModalResult mrClose = 11;

using TNotifyEvent = std::function<void(rtl::TObject* sender)>;
using TCloseQueryEvent = std::function<void(rtl::TObject* sender, bool& canClose)>;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crHandPoint = -21;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
// Keys and buttons held during a mouse or key event (a set of flags).
enum TShiftStateFlag : unsigned {
  ssShift = 1u << 0,
  ssAlt = 1u << 1,
  ssCtrl = 1u << 2,
  ssLeft = 1u << 3,
  ssRight = 1u << 4,
  ssMiddle = 1u << 5,
};
using TShiftState = unsigned;
using TMouseEvent = std::function<void(rtl::TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// Window handles and messages. A handle names a windowed control; sending a
// message to a handle that no longer exists does nothing and returns 0.
struct HWND__;
using HWND = HWND__*;
using UINT = unsigned int;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

constexpr UINT LB_GETHORIZONTALEXTENT = 0x0193;
constexpr UINT LB_SETHORIZONTALEXTENT = 0x0194;

LRESULT SendMessageW(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace vcl
