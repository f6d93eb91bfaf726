#include "vcl/Pictures.h"

#include <QPixmap>

#include "PictureFile.h"
#include "rtl/system/Exceptions.h"
#include "vcl/Controls.h"
#include "vcl/qt/Widgets.h"

namespace vcl {

void SavePicture(QWidget& widget, const std::string& pngFile) {
  if (!widget.grab().save(QString::fromStdString(pngFile), "PNG"))
    throw rtl::EInOutError("Cannot write the picture " + pngFile);
}

void SaveControlPicture(const TControl& control, const std::string& pngFile) {
  QWidget* widget = qt::WidgetOf(control);
  if (widget == nullptr) throw rtl::EInOutError("Nothing to draw into " + pngFile);
  SavePicture(*widget, pngFile);
}

}  // namespace vcl
