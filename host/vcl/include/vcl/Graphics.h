#pragma once
// TFont and TCanvas: the font a control draws with and text measurement.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "rtl/objects/Persistent.h"

namespace vcl {

class TControl;

// A colour: 0x00BBGGRR, or a system colour (high byte 0xFF, low byte the
// index of the system colour).
using TColor = int32_t;
constexpr TColor clBlack = 0x000000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clWindowText = static_cast<TColor>(0xFF000008);
constexpr TColor clBtnFace = static_cast<TColor>(0xFF00000F);

// Font styles, a set of flags.
enum TFontStyle : unsigned { fsBold = 1u << 0, fsItalic = 1u << 1, fsUnderline = 1u << 2, fsStrikeOut = 1u << 3 };
using TFontStyles = unsigned;

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
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);

  void Assign(const rtl::TPersistent& source) override;

  std::function<void()> OnChange;

 private:
  void Changed();
  std::string name_ = "MS Sans Serif";
  int height_ = -11;
  TColor color_ = clWindowText;
  TFontStyles style_ = 0;
};

// Measures text with the font a control shows.
class TCanvas {
 public:
  explicit TCanvas(const TControl& control);
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  ~TCanvas();
  int TextWidth(const std::string& text) const;
  int TextHeight(const std::string& text) const;
  // Whether both canvases measure with the same font (so give equal widths).
  bool SameFont(const TCanvas& other) const;

 private:
  class TTextMetrics;
  // The control's current font and its measures, made on first use.
  const TTextMetrics& Metrics() const;
  const TControl& control_;
  mutable std::unique_ptr<TTextMetrics> metrics_;
};

}  // namespace vcl
