#pragma once
// Pictures of what the widget layer shows, rendered (offscreen too) into PNG
// files for people to look at. Each raises rtl::EInOutError naming the file
// when it cannot be written.
#include <string>

namespace vcl {

class TControl;
class TOpenDialog;

// The control as it is drawn now (a form with everything on it).
void SaveControlPicture(const TControl& control, const std::string& pngFile);
// The file-open dialog as a person would be shown it (folder view, file
// name and the row of file types), without running it.
void SaveOpenDialogPicture(const TOpenDialog& dialog, const std::string& pngFile);

}  // namespace vcl
