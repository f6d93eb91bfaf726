#pragma once
// The real Qt widgets behind controls, for code that uses Qt itself: the
// designer program, tests that look at widgets, the pictures tool. Code that
// includes this header links Qt 6 Widgets itself; the package and the dialog
// layers never include it, so they build without Qt.
#include <QColor>
#include <QFont>
#include <QWidget>

#include "vcl/Controls.h"
#include "vcl/Graphics.h"

namespace vcl::qt {

// The widget that shows the control; null once Qt deleted it (a parent
// widget went first).
QWidget* WidgetOf(const TControl& control);
// The widget that gets the keyboard focus when the control has it.
QWidget* FocusWidgetOf(const TWinControl& control);
// The control whose widget is `widget` or holds it, or null.
TControl* FindControl(const QWidget* widget);

// The colour Qt shows for a TColor (system colours from the application's
// palette) and the font Qt draws a TFont with.
QColor ToQColor(TColor color);
QFont ToQFont(const TFont& font);

}  // namespace vcl::qt
