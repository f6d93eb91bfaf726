#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include "EventLoopGuard.h"
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

TComboBox::TComboBox(rtl::TComponent* owner)
    : TWinControl(owner), combo_(new QComboBox), items_(std::make_unique<TComboBoxStrings>(combo_)) {
  SetWidget(combo_);
  combo_->setInsertPolicy(QComboBox::NoInsert);
  // A person's choice from the list; typing is connected in SetStyle.
  QObject::connect(combo_, &QComboBox::activated, combo_, [this](int) { Guarded([this] { Change(); }); });
  SetStyle(TComboBoxStyle::csDropDown);
}

TComboBox::~TComboBox() = default;

void TComboBox::SetStyle(TComboBoxStyle style) {
  style_ = style;
  combo_->setEditable(style == TComboBoxStyle::csDropDown);
  if (QLineEdit* edit = combo_->lineEdit()) {
    QObject::disconnect(edit, &QLineEdit::textEdited, combo_, nullptr);
    QObject::connect(edit, &QLineEdit::textEdited, combo_, [this](const QString&) { Guarded([this] { Change(); }); });
  }
}

std::string TComboBox::Text() const { return combo_->currentText().toStdString(); }

void TComboBox::SetText(const std::string& text) {
  QSignalBlocker block(combo_);
  QString value = QString::fromStdString(text);
  if (combo_->isEditable()) {
    combo_->setEditText(value);
  } else {
    combo_->setCurrentIndex(combo_->findText(value, Qt::MatchExactly));
  }
}

int TComboBox::ItemIndex() const {
  int index = combo_->currentIndex();
  // Text typed over the chosen item means no item is chosen any more.
  if (index >= 0 && combo_->isEditable() && combo_->itemText(index) != combo_->currentText()) return -1;
  return index;
}

void TComboBox::SetItemIndex(int index) {
  QSignalBlocker block(combo_);
  combo_->setCurrentIndex(index >= 0 && index < combo_->count() ? index : -1);
  if (index < 0 && combo_->isEditable()) combo_->setEditText(QString());
}

void TComboBox::TypeText(const std::string& text) {
  if (!CanFocus() || style_ != TComboBoxStyle::csDropDown)
    throw rtl::Exception("Cannot type into " + Name() + ": it is disabled, hidden or not editable");
  SetFocus();
  SetText(text);
  Change();
}

void TComboBox::Choose(int index) {
  if (index < 0 || index >= combo_->count())
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
