#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include "EventLoopGuard.h"
#include "WidgetPeer.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/StdCtrls.h"

namespace vcl {

namespace {
// The items of a combo box, read from and written to the widget itself.
class TComboBoxStrings : public rtl::TStrings {
 public:
  explicit TComboBoxStrings(QComboBox* combo) : combo_(combo) {}
  int Count() const override { return combo_->count(); }
  std::string Get(int index) const override {
    if (index < 0 || index >= Count()) IndexError(index);
    return combo_->itemText(index).toStdString();
  }
  void Put(int index, const std::string& s) override {
    if (index < 0 || index >= Count()) IndexError(index);
    combo_->setItemText(index, QString::fromStdString(s));
  }
  void Insert(int index, const std::string& s) override {
    if (index < 0 || index > Count()) IndexError(index);
    // Qt would make the first item of an empty box current and replace the
    // typed text; adding items must not change the text.
    QSignalBlocker block(combo_);
    QString text = combo_->currentText();
    int current = combo_->currentIndex();
    combo_->insertItem(index, QString::fromStdString(s));
    if (current < 0) {
      combo_->setCurrentIndex(-1);
      if (combo_->isEditable()) combo_->setEditText(text);
    }
  }
  void Delete(int index) override {
    if (index < 0 || index >= Count()) IndexError(index);
    QSignalBlocker block(combo_);
    combo_->removeItem(index);
  }
  void Clear() override {
    // As on the platform, clearing the items clears the edit text too.
    QSignalBlocker block(combo_);
    combo_->clear();
    if (combo_->isEditable()) combo_->setEditText(QString());
  }

 private:
  QComboBox* combo_;
};
}  // namespace

const rtl::TClass& TComboBox::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TComboBox>("TComboBox", &TWinControl::StaticClass())
                                     .Creatable()
                                     .Str("Text", &TComboBox::Text, &TComboBox::SetText)
                                     .Int("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex, -1)
                                     .Build();
  return cls;
}

TComboBox::TComboBox(rtl::TComponent* owner) : TWinControl(owner) {
  auto* combo = new QComboBox;
  SetPeer(std::make_unique<TWidgetPeer>(combo));
  items_ = std::make_unique<TComboBoxStrings>(combo);
  combo->setInsertPolicy(QComboBox::NoInsert);
  // A person's choice from the list; typing is connected in SetStyle.
  QObject::connect(combo, &QComboBox::activated, combo, [this](int) { Guarded([this] { Change(); }); });
  SetStyle(TComboBoxStyle::csDropDown);
}

TComboBox::~TComboBox() = default;

void TComboBox::SetStyle(TComboBoxStyle style) {
  style_ = style;
  QComboBox* combo = WidgetAs<QComboBox>(*this);
  combo->setEditable(style == TComboBoxStyle::csDropDown);
  if (QLineEdit* edit = combo->lineEdit()) {
    QObject::disconnect(edit, &QLineEdit::textEdited, combo, nullptr);
    QObject::connect(edit, &QLineEdit::textEdited, combo, [this](const QString&) { Guarded([this] { Change(); }); });
  }
}

std::string TComboBox::Text() const { return WidgetAs<QComboBox>(*this)->currentText().toStdString(); }

void TComboBox::SetText(const std::string& text) {
  QComboBox* combo = WidgetAs<QComboBox>(*this);
  QSignalBlocker block(combo);
  QString value = QString::fromStdString(text);
  if (combo->isEditable()) {
    combo->setEditText(value);
  } else {
    combo->setCurrentIndex(combo->findText(value, Qt::MatchExactly));
  }
}

int TComboBox::ItemIndex() const {
  QComboBox* combo = WidgetAs<QComboBox>(*this);
  int index = combo->currentIndex();
  // Text typed over the chosen item means no item is chosen any more.
  if (index >= 0 && combo->isEditable() && combo->itemText(index) != combo->currentText()) return -1;
  return index;
}

void TComboBox::SetItemIndex(int index) {
  QComboBox* combo = WidgetAs<QComboBox>(*this);
  QSignalBlocker block(combo);
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
  if (index < 0 && combo->isEditable()) combo->setEditText(QString());
}

void TComboBox::TypeText(const std::string& text) {
  if (!CanFocus() || style_ != TComboBoxStyle::csDropDown)
    throw rtl::Exception("Cannot type into " + Name() + ": it is disabled, hidden or not editable");
  SetFocus();
  SetText(text);
  Change();
}

void TComboBox::Choose(int index) {
  if (index < 0 || index >= items_->Count())
    throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
  if (!CanFocus()) throw rtl::Exception("Cannot choose in " + Name() + ": it is disabled or hidden");
  SetFocus();
  SetItemIndex(index);
  Change();
}

void TComboBox::Change() {
  if (OnChange) OnChange(this);
}

}  // namespace vcl
