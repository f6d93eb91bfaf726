#include "vcl/Graphics.h"

#include <QFontMetrics>
#include <QPalette>
#include <QWidget>
#include <cmath>

#include "rtl/objects/ClassBuilder.h"

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

void TFont::SetColor(TColor color) {
  color_ = color;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  style_ = style;
  Changed();
}

QColor ToQColor(TColor color) {
  const auto bits = static_cast<uint32_t>(color);
  if ((bits & 0xFF000000u) == 0xFF000000u) {
    switch (bits & 0xFFu) {
      case 0x08: return QPalette().color(QPalette::WindowText);
      case 0x0F: return QPalette().color(QPalette::Button);
      default: return QPalette().color(QPalette::Window);
    }
  }
  return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                static_cast<int>((bits >> 16) & 0xFF));
}

int TFont::Size() const {
  int pixels = height_ < 0 ? -height_ : height_;
  return static_cast<int>(std::lround(pixels * 72.0 / PixelsPerInch));
}

void TFont::SetSize(int points) { SetHeight(-static_cast<int>(std::lround(points * PixelsPerInch / 72.0))); }

QFont TFont::ToQFont() const {
  QFont font(QString::fromStdString(name_));
  font.setPixelSize(height_ < 0 ? -height_ : std::max(1, height_ * 4 / 5));
  font.setBold((style_ & fsBold) != 0);
  font.setItalic((style_ & fsItalic) != 0);
  font.setUnderline((style_ & fsUnderline) != 0);
  font.setStrikeOut((style_ & fsStrikeOut) != 0);
  // Controls draw text as the platform's controls do: no OpenType shaping
  // (ligatures, contextual kerning) for scripts that need none. Scripts that
  // do need shaping are still shaped. Measuring a list of thousands of names
  // is several times faster this way, and drawing and measuring agree.
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

void TFont::Assign(const rtl::TPersistent& source) {
  if (const auto* other = dynamic_cast<const TFont*>(&source)) {
    name_ = other->name_;
    height_ = other->height_;
    color_ = other->color_;
    style_ = other->style_;
    Changed();
    return;
  }
  rtl::TPersistent::Assign(source);
}

void TFont::Changed() {
  if (OnChange) OnChange();
}

const QFontMetrics& TCanvas::Metrics() const {
  QFont current = widget_ != nullptr ? widget_->font() : QFont();
  if (!metrics_ || !(current == *font_)) {
    font_ = current;
    metrics_.emplace(current);
    asciiAdvances_.fill(-1);
  }
  return *metrics_;
}

// Controls draw unshaped (QFont::PreferNoShaping), so a line of printable
// ASCII is as wide as its characters' advances together: a list of
// thousands of names is measured without laying out each one.
int TCanvas::TextWidth(const std::string& text) const {
  const QFontMetrics& metrics = Metrics();
  qreal width = 0;
  for (unsigned char c : text) {
    if (c < 0x20 || c > 0x7e) return metrics.horizontalAdvance(QString::fromStdString(text));
    qreal& advance = asciiAdvances_[c];
    if (advance < 0) advance = QFontMetricsF(*font_).horizontalAdvance(QChar(c));
    width += advance;
  }
  return qRound(width);
}

int TCanvas::TextHeight(const std::string& text) const {
  return Metrics().boundingRect(QString::fromStdString(text)).height();
}

bool TCanvas::SameFont(const TCanvas& other) const {
  QFont mine = widget_ != nullptr ? widget_->font() : QFont();
  QFont theirs = other.widget_ != nullptr ? other.widget_->font() : QFont();
  return mine == theirs;
}

}  // namespace vcl
