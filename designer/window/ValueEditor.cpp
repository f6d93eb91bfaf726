#include "window/ValueEditor.h"

#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

namespace designer {

namespace {
// A drop-down that asks for its values each time it opens.
class TValueList : public QComboBox {
 public:
  TValueList(std::function<void()> beforePopup, QWidget* parent)
      : QComboBox(parent), beforePopup_(std::move(beforePopup)) {}
  void showPopup() override {
    beforePopup_();
    QComboBox::showPopup();
  }

 private:
  std::function<void()> beforePopup_;
};
}  // namespace

TValueEditor::TValueEditor(const TValueEditing& editing, QWidget* parent) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  if (editing.List) {
    list_ = new TValueList([this] { FillList(); }, this);
    list_->setEditable(true);
    list_->setInsertPolicy(QComboBox::NoInsert);
    list_->setFrame(false);
    // The editor's own AutoFill decides whether typing completes.
    if (editing.Completes) {
      list_->completer()->setCompletionMode(QCompleter::InlineCompletion);
      list_->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    } else {
      list_->setCompleter(nullptr);
    }
    QObject::connect(list_, &QComboBox::textActivated, this, [this](const QString& text) { Enter(text.toStdString()); });
    line_ = list_->lineEdit();
    row->addWidget(list_, 1);
  } else {
    line_ = new QLineEdit(this);
    line_->setFrame(false);
    row->addWidget(line_, 1);
  }
  line_->setReadOnly(!editing.Typed);
  QObject::connect(line_, &QLineEdit::returnPressed, this, [this] { Enter(Text()); });
  if (editing.Ellipsis) {
    ellipsis_ = new QToolButton(this);
    ellipsis_->setObjectName("Ellipsis");
    ellipsis_->setText("...");
    ellipsis_->setToolTip("Edit in a dialog (hold Alt for the code editor where offered)");
    QObject::connect(ellipsis_, &QToolButton::clicked, this, [this] {
      if (OnEllipsis) OnEllipsis();
    });
    row->addWidget(ellipsis_);
  }
}

void TValueEditor::ShowValue(const std::string& text) {
  shown_ = text;
  const QString value = QString::fromStdString(text);
  if (list_ != nullptr) {
    const QSignalBlocker block(list_);
    list_->setCurrentIndex(-1);
    list_->setEditText(value);
  } else {
    line_->setText(value);
  }
  line_->setCursorPosition(0);
}

std::string TValueEditor::Text() const { return line_->text().toStdString(); }

QLineEdit* TValueEditor::Line() const { return line_; }

void TValueEditor::FillList() {
  if (list_ == nullptr || !OnValues) return;
  const QString typed = line_->text();
  const QSignalBlocker block(list_);
  list_->clear();
  for (const std::string& value : OnValues()) list_->addItem(QString::fromStdString(value));
  list_->setCurrentIndex(list_->findText(typed, Qt::MatchFixedString));
  list_->setEditText(typed);
}

void TValueEditor::Enter(const std::string& text) {
  if (text == shown_ || !OnEnter) return;
  OnEnter(text);
}

}  // namespace designer
