#include "vcl/Graphics.h"

#include <QFontMetrics>
#include <QPalette>
#include <QWidget>
#include <array>
#include <cmath>

#include "WidgetPeer.h"
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

QColor qt::ToQColor(TColor color) {
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

QFont qt::ToQFont(const TFont& from) {
  QFont font(QString::fromStdString(from.Name()));
  const int height = from.Height();
  font.setPixelSize(height < 0 ? -height : std::max(1, height * 4 / 5));
  font.setBold((from.Style() & fsBold) != 0);
  font.setItalic((from.Style() & fsItalic) != 0);
  font.setUnderline((from.Style() & fsUnderline) != 0);
  font.setStrikeOut((from.Style() & fsStrikeOut) != 0);
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

// The font a canvas measured with last, its metrics, and the advances of
// printable ASCII characters in it (negative until measured).
class TCanvas::TTextMetrics {
 public:
  explicit TTextMetrics(const QFont& font) : font(font), metrics(font) { asciiAdvances.fill(-1); }
  QFont font;
  QFontMetrics metrics;
  std::array<qreal, 128> asciiAdvances{};
};

namespace {
QFont FontOf(const TControl& control) {
  QWidget* widget = qt::WidgetOf(control);
  return widget != nullptr ? widget->font() : QFont();
}
}  // namespace

TCanvas::TCanvas(const TControl& control) : control_(control) {}

TCanvas::~TCanvas() = default;

const TCanvas::TTextMetrics& TCanvas::Metrics() const {
  QFont current = FontOf(control_);
  if (!metrics_ || !(current == metrics_->font)) metrics_ = std::make_unique<TTextMetrics>(current);
  return *metrics_;
}

// Controls draw unshaped (QFont::PreferNoShaping), so a line of printable
// ASCII is as wide as its characters' advances together: a list of
// thousands of names is measured without laying out each one.
int TCanvas::TextWidth(const std::string& text) const {
  const TTextMetrics& measures = Metrics();
  qreal width = 0;
  for (unsigned char c : text) {
    if (c < 0x20 || c > 0x7e) return measures.metrics.horizontalAdvance(QString::fromStdString(text));
    qreal& advance = metrics_->asciiAdvances[c];
    if (advance < 0) advance = QFontMetricsF(measures.font).horizontalAdvance(QChar(c));
    width += advance;
  }
  return qRound(width);
}

int TCanvas::TextHeight(const std::string& text) const {
  return Metrics().metrics.boundingRect(QString::fromStdString(text)).height();
}

bool TCanvas::SameFont(const TCanvas& other) const { return FontOf(control_) == FontOf(other.control_); }

}  // namespace vcl
