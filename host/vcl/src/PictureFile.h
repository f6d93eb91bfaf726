#pragma once
// Writes a widget's picture as PNG; raises EInOutError naming the file.
#include <QWidget>
#include <string>

namespace vcl {

void SavePicture(QWidget& widget, const std::string& pngFile);

}  // namespace vcl
