#pragma once
// Controls that show a text (labels, buttons, check boxes) were laid out for
// the classic dialog font; this machine's font may draw the text wider. Such
// a control keeps the bounds it was given while its text fits and grows to
// the text when it does not (never below the bounds given), so no caption
// is cut. A label grows away from its alignment edge; the others to the
// right. It is measured again when its text or its font changes.
class QWidget;
class QRect;

namespace vcl {

// Places the widget at the bounds given, grown to its text when needed.
void PlaceFitted(QWidget& widget, const QRect& bounds);
// Measures again after a new text (the bounds given last are kept).
void FitText(QWidget& widget);

}  // namespace vcl
