#pragma once
// The top-level window of a form: a QDialog whose closing, keys and resizing
// are routed through the form, so a person's close box, Enter and Escape
// behave as the form's own rules say. It also feeds the application's real
// focus changes within it to the form.
#include <QDialog>
#include <QMetaObject>

namespace vcl {

class TForm;

class TFormWindow : public QDialog {
 public:
  explicit TFormWindow(TForm* form);
  ~TFormWindow() override;
  // Stops feeding focus changes to the form (which is going).
  void ForgetForm();
  // Ends Qt's modal loop with `result`, bypassing the form's close rules
  // (they have been applied already).
  void FinishModal(int result) { QDialog::done(result); }

 protected:
  void done(int result) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void RealFocusChanged(QWidget* now);
  TForm* form_;
  QMetaObject::Connection focusConnection_;
};

}  // namespace vcl
