#include "window/DataEditBar.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "dralvo/ApplyUpdates.h"
#include "dralvo/DataSet.h"
#include "dralvo/Secrets.h"
#include "model/AppliedStatements.h"
#include "window/DataSetModel.h"
#include "window/EditableDataModel.h"
#include "window/Reporting.h"

namespace designer {

namespace {
QPushButton* Button(const char* text, const char* name, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  return button;
}
}  // namespace

TDataEditBar::TDataEditBar(TDataSetModel* model, QTableView* grid, QWidget* parent)
    : QWidget(parent), model_(model), grid_(grid), editable_(new TEditableDataModel(model, this)) {
  setObjectName("DataEditBar");
  insert_ = Button("Insert", "DataInsert", this);
  delete_ = Button("Delete", "DataDelete", this);
  apply_ = Button("Apply", "DataApply", this);
  cancel_ = Button("Cancel", "DataCancelEdits", this);
  message_ = new QLabel(this);
  message_->setObjectName("DataEditMessage");
  message_->setWordWrap(true);
  message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  applied_ = new QPlainTextEdit(this);
  applied_->setObjectName("DataApplied");
  applied_->setReadOnly(true);
  applied_->setLineWrapMode(QPlainTextEdit::NoWrap);
  applied_->setMaximumHeight(applied_->fontMetrics().height() * 6);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {insert_, delete_, apply_, cancel_}) buttons->addWidget(b);
  buttons->addWidget(message_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(buttons);
  layout->addWidget(applied_);
  connect(insert_, &QPushButton::clicked, this, [this] { Insert(); });
  connect(delete_, &QPushButton::clicked, this, [this] { Delete(); });
  connect(apply_, &QPushButton::clicked, this, [this] { Apply(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { Cancel(); });
  editable_->OnEditRefused = [this](const std::string& why) { Say(why, true); };
  editable_->OnEdited = [this] { Say({}, false); };
  // Typing or F2 edits a cell; a double-click stays the grid's own.
  grid_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                         QAbstractItemView::SelectedClicked);
  SetDataSet(nullptr, false);
}

void TDataEditBar::SetDataSet(dralvo::TDVDataSet* dataSet, bool busy) {
  const bool editing = dataSet != nullptr && dataSet->Active() && dataSet->UpdateObject() != nullptr;
  if (dataSet_ != (editing ? dataSet : nullptr)) {
    applied_->clear();
    note_.clear();
  }
  dataSet_ = editing ? dataSet : nullptr;
  busy_ = busy;
  if (dataSet_ != nullptr) dataSet_->SetCachedUpdates(true);
  editable_->SetDataSet(dataSet_);
  // The grid shows the records themselves unless they can be edited.
  QAbstractItemModel* shown = dataSet_ != nullptr ? static_cast<QAbstractItemModel*>(editable_) : model_;
  if (grid_->model() != shown) {
    QItemSelectionModel* old = grid_->selectionModel();
    grid_->setModel(shown);
    delete old;
  }
  ShowState();
}

int TDataEditBar::SelectedRow() const {
  const QModelIndex current = grid_->currentIndex();
  return current.isValid() ? current.row() : -1;
}

void TDataEditBar::Insert() {
  if (dataSet_ == nullptr) return;
  const int row = std::max(SelectedRow(), 0);
  try {
    if (row < dataSet_->FetchedCount()) dataSet_->MoveTo(row);
    dataSet_->Insert();
    dataSet_->Post();
  } catch (const std::exception& e) {
    dataSet_->Cancel();
    Say(e.what(), true);
    return;
  }
  Say({}, false);
  Reread(row);
}

void TDataEditBar::Delete() {
  const int row = SelectedRow();
  if (dataSet_ == nullptr || row < 0 || row >= dataSet_->FetchedCount()) return;
  try {
    dataSet_->MoveTo(row);
    dataSet_->Delete();
  } catch (const std::exception& e) {
    Say(e.what(), true);
    return;
  }
  Say({}, false);
  Reread(std::min(row, dataSet_->FetchedCount() - 1));
}

void TDataEditBar::Apply() {
  if (dataSet_ == nullptr || !dataSet_->UpdatesPending()) return;
  const int row = SelectedRow();
  dralvo::TDVApplyResult result;
  {
    TBusyScope busy(nullptr, "");
    result = dralvo::ApplyCachedUpdates(*dataSet_);
  }
  QStringList lines;
  for (const std::string& line : AppliedStatementLines(result)) lines << QString::fromStdString(line);
  applied_->setPlainText(lines.join('\n'));
  if (result.Committed)
    Say("Applied and committed; the records show what the server stored", false);
  else
    Say("Not applied: " + dralvo::MaskPasswords(result.Refusal) + ". The edits are kept: change them, or Cancel",
        true);
  Reread(row);
}

void TDataEditBar::Cancel() {
  if (dataSet_ == nullptr || !dataSet_->UpdatesPending()) return;
  dataSet_->CancelUpdates();
  applied_->clear();
  Say("The edits were dropped", false);
  Reread(SelectedRow());
}

void TDataEditBar::Reread(int row) {
  model_->SetDataSet(dataSet_);
  if (row >= 0 && row < editable_->rowCount())
    grid_->setCurrentIndex(editable_->index(row, std::max(grid_->currentIndex().column(), 0)));
  ShowState();
}

void TDataEditBar::Say(const std::string& message, bool error) {
  note_ = message;
  message_->setStyleSheet(error ? "color: #b00020" : "");
  ShowState();
}

void TDataEditBar::ShowState() {
  setVisible(dataSet_ != nullptr);
  const bool pending = dataSet_ != nullptr && dataSet_->UpdatesPending();
  insert_->setEnabled(dataSet_ != nullptr && !busy_);
  delete_->setEnabled(dataSet_ != nullptr && !busy_ && dataSet_->FetchedCount() > 0);
  apply_->setEnabled(pending && !busy_);
  cancel_->setEnabled(pending && !busy_);
  applied_->setVisible(!applied_->toPlainText().isEmpty());
  if (!note_.empty() || !pending)
    message_->setText(QString::fromStdString(note_));
  else
    message_->setText(QString("%1 changes kept, written only on Apply").arg(dataSet_->PendingUpdates().size()));
}

std::string TDataEditBar::Message() const { return message_->text().toStdString(); }
std::string TDataEditBar::AppliedText() const { return applied_->toPlainText().toStdString(); }

}  // namespace designer
