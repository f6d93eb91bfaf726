#pragma once
// Pictures of the component editors' dialogs (see EditorPictures.cpp).
#include <string>

#include "rtl/objects/Component.h"

class QWidget;

// Writes what the widget shows to a PNG file and prints the file's name.
void SavePicture(QWidget* widget, const std::string& file);
// `module` holds a database "ShopDatabase" with a table ORDERS.
void SaveEditorPictures(const std::string& outputFolder, rtl::TComponent& module);
