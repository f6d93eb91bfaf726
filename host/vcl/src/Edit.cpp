#include <QLineEdit>

#include "EventLoopGuard.h"
#include "WidgetPeer.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/StdCtrls.h"

namespace vcl {

namespace {
QLineEdit* LineEdit(const TEdit& edit) { return WidgetAs<QLineEdit>(edit); }
}  // namespace

const rtl::TClass& TEdit::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TEdit>("TEdit", &TWinControl::StaticClass())
                                     .Creatable()
                                     .Str("Text", &TEdit::Text, &TEdit::SetText)
                                     .Bool("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly, false)
                                     .Build();
  return cls;
}

TEdit::TEdit(rtl::TComponent* owner) : TWinControl(owner) {
  auto* edit = new QLineEdit;
  SetPeer(std::make_unique<TWidgetPeer>(edit));
  // Only a person's typing fires OnChange; SetText is silent.
  QObject::connect(edit, &QLineEdit::textEdited, edit, [this](const QString&) {
    Guarded([this] {
      if (OnChange) OnChange(this);
    });
  });
}

std::string TEdit::Text() const { return LineEdit(*this)->text().toStdString(); }

void TEdit::SetText(const std::string& text) { LineEdit(*this)->setText(QString::fromStdString(text)); }

bool TEdit::ReadOnly() const { return LineEdit(*this)->isReadOnly(); }

void TEdit::SetReadOnly(bool on) { LineEdit(*this)->setReadOnly(on); }

void TEdit::TypeText(const std::string& text) {
  if (!CanFocus() || ReadOnly())
    throw rtl::Exception("Cannot type into " + Name() + ": it is disabled, hidden or read-only");
  SetFocus();
  SetText(text);
  if (OnChange) OnChange(this);
}

}  // namespace vcl
