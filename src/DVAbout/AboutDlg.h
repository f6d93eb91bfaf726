#pragma once
// The About dialog: product name, this package's version, a copyright line
// and links to the home page, the support address and the order pages of
// the two editions.
#include <string>

#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace dv {

// Where the links lead.
inline constexpr const char* AboutHomeAddress = "https://www.dralvo.example.org/";
inline constexpr const char* AboutSupportAddress = "mailto:support@dralvo.example.org";
inline constexpr const char* AboutOrderEdition1Address = "https://www.dralvo.example.org/order/standard";
inline constexpr const char* AboutOrderEdition2Address = "https://www.dralvo.example.org/order/professional";
inline constexpr const char* AboutEdition1Name = "Standard Edition";
inline constexpr const char* AboutEdition2Name = "Professional Edition";
inline constexpr const char* AboutCopyright = "Copyright (c) 2003-2026 Dralvo Software. All rights reserved.";
inline constexpr const char* AboutOpenError = "Error opening following address: %s";

class TDVAboutDlg : public vcl::TForm {
  RTL_CLASS(TDVAboutDlg)
 public:
  explicit TDVAboutDlg(rtl::TComponent* owner);
  ~TDVAboutDlg() override;

  // The dialog's controls, in declaration order; created by the layout.
  vcl::TImage* imgLogo = nullptr;
  vcl::TLabel* lblCopyright = nullptr;
  vcl::TBevel* bvCopyright = nullptr;
  vcl::TButton* btOk = nullptr;
  vcl::TLabel* lblHome = nullptr;
  vcl::TLabel* lblOrder = nullptr;
  vcl::TLabel* lblProductName = nullptr;
  vcl::TLabel* lblVersion = nullptr;
  vcl::TLabel* lblSupport = nullptr;
  vcl::TLabel* lblLinks = nullptr;
  vcl::TLabel* lblOrderEdition1 = nullptr;
  vcl::TLabel* lblOrderEdition2 = nullptr;

  // Event handlers.
  void FormCreate(rtl::TObject* Sender);
  void lblHomeMouseDown(rtl::TObject* Sender, vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y);
  void lblOrderMouseDown(rtl::TObject* Sender, vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y);
  void lblSupportMouseDown(rtl::TObject* Sender, vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y);

 private:
  void CreateControls();  // the layout, in its own file
  // Asks the desktop to open the address; a refusal is reported.
  void OpenLink(const std::string& address);
};

// Shows a fresh About dialog modally and frees it afterwards, also when
// showing it raises.
void ShowAboutBox();

// The product logo: a 100 by 30 bitmap with 8 bits per pixel and a
// 256-entry colour table, uncompressed (the bytes of a .bmp file).
std::string AboutLogoBitmap();

}  // namespace dv
