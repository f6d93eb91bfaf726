#pragma once
// TApplication (owner of forms) and TScreen (the mouse cursor, the screen's
// size). Both exist once per process: created by the widget layer's unit
// start-up (vcl::PackageInfo) or on first use, freed by its finalization.
#include <exception>
#include <memory>
#include <string>

#include "rtl/objects/Component.h"
#include "vcl/Types.h"

namespace vcl {

class TApplication : public rtl::TComponent {
  RTL_CLASS(TApplication)
 public:
  explicit TApplication(rtl::TComponent* owner);
  ~TApplication() override;

  // Creates a form of class T owned by the application, as CreateForm does.
  template <class T>
  void CreateForm(T*& reference);

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  // Lets Qt handle the events that are waiting.
  void ProcessMessages();
  // Reports an exception that left an event handler run by a person's
  // action: an error message box (through the modal seam).
  void HandleException(const std::exception& error);

 private:
  std::string title_;
};

class TScreen : public rtl::TComponent {
  RTL_CLASS(TScreen)
 public:
  explicit TScreen(rtl::TComponent* owner);
  ~TScreen() override;

  TCursor Cursor() const { return cursor_; }
  // crHourGlass shows the busy cursor (Qt's override cursor) until the
  // cursor is set back to crDefault.
  void SetCursor(TCursor cursor);
  int Width() const;
  int Height() const;

 private:
  TCursor cursor_ = crDefault;
};

TApplication* Application();
TScreen* Screen();
// Makes sure the toolkit's application object exists (one is created when
// the host made none; without a display it uses the offscreen platform).
void EnsureWidgetSystem();
// Frees Application and Screen (and the toolkit's application object when
// this layer made it).
void ShutdownWidgetSystem();
// False on the offscreen and minimal platforms, where no person can answer.
bool HasDisplay();

}  // namespace vcl

#include "vcl/Forms.h"

template <class T>
void vcl::TApplication::CreateForm(T*& reference) {
  reference = vcl::CreateForm<T>(this);
}
