#pragma once
// A value too long for its cell, shown whole in a window of its own: read
// only, beside the designer window (which keeps working), closed by the
// person. The Data view opens one when a cell is activated (double-click,
// Enter).
#include <QString>

class QWidget;

namespace designer {

// Opens the viewer ("ValueViewer", its text "ValueText") and returns it.
QWidget* ShowValueViewer(QWidget* parent, const QString& title, const QString& text);

}  // namespace designer
