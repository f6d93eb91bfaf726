#include "vcl/Graphics.h"

#include <QFontMetrics>
#include <QWidget>
#include <cmath>

#include "rtl/ClassBuilder.h"

namespace vcl {

const rtl::TClass& TFont::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TFont>("TFont", &rtl::TPersistent::StaticClass())
                                     .Str("Name", &TFont::Name, &TFont::SetName)
                                     .Int("Height", &TFont::Height, &TFont::SetHeight, std::nullopt)
                                     .Build();
  return cls;
}

void TFont::SetName(const std::string& name) {
  name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  height_ = height;
  Changed();
}

int TFont::Size() const {
  int pixels = height_ < 0 ? -height_ : height_;
  return static_cast<int>(std::lround(pixels * 72.0 / PixelsPerInch));
}

void TFont::SetSize(int points) { SetHeight(-static_cast<int>(std::lround(points * PixelsPerInch / 72.0))); }

QFont TFont::ToQFont() const {
  QFont font(QString::fromStdString(name_));
  font.setPixelSize(height_ < 0 ? -height_ : std::max(1, height_ * 4 / 5));
  return font;
}

void TFont::Assign(const rtl::TPersistent& source) {
  if (const auto* other = dynamic_cast<const TFont*>(&source)) {
    name_ = other->name_;
    height_ = other->height_;
    Changed();
    return;
  }
  rtl::TPersistent::Assign(source);
}

void TFont::Changed() {
  if (OnChange) OnChange();
}

int TCanvas::TextWidth(const std::string& text) const {
  QFontMetrics metrics(widget_ != nullptr ? widget_->font() : QFont());
  return metrics.horizontalAdvance(QString::fromStdString(text));
}

int TCanvas::TextHeight(const std::string& text) const {
  QFontMetrics metrics(widget_ != nullptr ? widget_->font() : QFont());
  return metrics.boundingRect(QString::fromStdString(text)).height();
}

}  // namespace vcl
