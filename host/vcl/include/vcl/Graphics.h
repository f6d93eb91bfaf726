#pragma once
// TFont and TCanvas: the font a control draws with and text measurement.
#include <QFont>
#include <functional>
#include <string>

#include "rtl/Persistent.h"

class QWidget;

namespace vcl {

class TFont : public rtl::TPersistent {
  RTL_CLASS(TFont)
 public:
  static constexpr int PixelsPerInch = 96;

  TFont() = default;
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  // Negative: the height of the characters in pixels; positive: of the cell.
  int Height() const { return height_; }
  void SetHeight(int height);
  // In points at PixelsPerInch.
  int Size() const;
  void SetSize(int points);

  QFont ToQFont() const;
  void Assign(const rtl::TPersistent& source) override;

  std::function<void()> OnChange;

 private:
  void Changed();
  std::string name_ = "MS Sans Serif";
  int height_ = -11;
};

// Measures text with the font of one widget.
class TCanvas {
 public:
  explicit TCanvas(const QWidget* widget) : widget_(widget) {}
  int TextWidth(const std::string& text) const;
  int TextHeight(const std::string& text) const;

 private:
  const QWidget* widget_;
};

}  // namespace vcl
