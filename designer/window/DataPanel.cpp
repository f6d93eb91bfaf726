#include "window/DataPanel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "dralvo/DataSet.h"
#include "dralvo/Database.h"
#include "dralvo/Secrets.h"
#include "window/DataEditBar.h"
#include "window/DataSetModel.h"
#include "window/Reporting.h"
#include "window/ValueViewer.h"

namespace designer {

namespace {
constexpr int kFetchAllPacket = 5000;  // records a trip while fetching all
constexpr int kSliceMs = 30;           // between two looks at the window's events
}  // namespace

TDataPanel::TDataPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("DataPanel");
  title_ = new QLabel(this);
  title_->setObjectName("DataTitle");
  open_ = new QPushButton("Open", this);
  open_->setObjectName("DataOpen");
  cancel_ = new QPushButton("Cancel", this);
  cancel_->setObjectName("DataCancel");
  message_ = new QLabel(this);
  message_->setObjectName("DataMessage");
  message_->setWordWrap(true);
  message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  fetchAll_ = new QPushButton("Fetch all", this);
  fetchAll_->setObjectName("DataFetchAll");
  fetchAll_->setToolTip("Read every record to the end (Ctrl+End in the grid)");
  model_ = new TDataSetModel(this);
  model_->OnFetchError = [this](const std::string& message) {
    error_ = message;
    ShowState();
  };
  model_->OnFetched = [this] { ShowState(); };
  grid_ = new QTableView(this);
  grid_->setObjectName("DataGrid");
  grid_->setModel(model_);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  grid_->installEventFilter(this);
  connect(grid_, &QTableView::activated, this, [this](const QModelIndex& index) {
    const QString field = model_->headerData(index.column(), Qt::Horizontal, Qt::DisplayRole).toString();
    ShowValueViewer(this, QString("%1, record %2").arg(field).arg(index.row() + 1), model_->WholeValue(index));
  });
  edits_ = new TDataEditBar(model_, grid_, this);

  auto* bar = new QHBoxLayout;
  bar->addWidget(title_, 1);
  bar->addWidget(open_);
  bar->addWidget(fetchAll_);
  bar->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(bar);
  layout->addWidget(message_);
  layout->addWidget(grid_, 1);
  layout->addWidget(edits_);
  connect(open_, &QPushButton::clicked, this, [this] {
    if (dataSet_ != nullptr && dataSet_->Active()) {
      dataSet_->Close();
      Refresh();
      if (OnActiveChanged) OnActiveChanged();
    } else {
      Open();
    }
  });
  connect(cancel_, &QPushButton::clicked, this, [this] { Cancel(); });
  connect(fetchAll_, &QPushButton::clicked, this, [this] { FetchAll(false); });
  ShowState();
}

TDataPanel::~TDataPanel() {
  if (runner_.joinable()) {
    dataSet_->AbortQuery();
    runner_.join();
  }
}

void TDataPanel::SetDataSet(dralvo::TDVDataSet* dataSet) {
  if (Busy()) return;
  const bool chosen = dataSet != dataSet_;
  if (chosen) error_.clear();
  dataSet_ = dataSet;
  Refresh();
  // The module was read without running anything: a dataset it stores
  // open is opened, to look at its rows, when it is first shown.
  if (chosen && dataSet_ != nullptr && dataSet_->StoredActive() && !dataSet_->Active()) Open();
}

void TDataPanel::Refresh() {
  if (Busy()) return;
  const bool showing = dataSet_ != nullptr && dataSet_->Active();
  if (model_->DataSet() != (showing ? dataSet_ : nullptr) || (showing && model_->rowCount() == 0))
    model_->SetDataSet(showing ? dataSet_ : nullptr);
  ShowState();
}

void TDataPanel::Open() {
  if (Busy() || dataSet_ == nullptr || dataSet_->Active()) return;
  error_.clear();
  cancelAsked_ = cancelled_ = false;
  model_->SetDataSet(nullptr);
  // Connecting may ask for a password, so it happens here; its wait is
  // bounded by the driver's connect timeout.
  try {
    TBusyScope busy(nullptr, "");
    dataSet_->Database()->Open();
  } catch (const std::exception& error) {
    Finished(error.what());
    return;
  }
  dralvo::TDVDataSet* dataSet = dataSet_;
  runner_ = std::thread([this, dataSet] {
    std::string error;
    try {
      dataSet->Open();
    } catch (const std::exception& e) {
      error = e.what();
    }
    QMetaObject::invokeMethod(this, [this, error] { Finished(error); }, Qt::QueuedConnection);
  });
  running_ = true;
  if (OnBusyChanged) OnBusyChanged(true);
  ShowState();
}

void TDataPanel::Cancel() {
  if (running_) {
    cancelAsked_ = true;
    dataSet_->AbortQuery();
  }
  // Between two slices: the records read so far stay.
  if (fetching_) FetchDone();
}

// The records are read on this thread between the window's events, a slice
// of time at a time, so that the window keeps painting and Cancel is heard;
// the grid takes the new rows once, at the end.
void TDataPanel::FetchAll(bool toLastRecord) {
  if (Busy() || dataSet_ == nullptr || !dataSet_->Active() || dataSet_->AllFetched()) return;
  fetching_ = true;
  toLastRecord_ = toLastRecord;
  error_.clear();
  model_->HoldFetching(true);
  // Bigger packets: fewer trips through the cursor for the same records.
  packetBefore_ = dataSet_->PacketRecords();
  dataSet_->SetPacketRecords(std::max(packetBefore_, kFetchAllPacket));
  if (OnBusyChanged) OnBusyChanged(true);
  ShowState();
  QTimer::singleShot(0, this, [this] { FetchSlice(); });
}

void TDataPanel::FetchSlice() {
  if (!fetching_) return;
  QElapsedTimer slice;
  slice.start();
  try {
    while (!dataSet_->AllFetched() && slice.elapsed() < kSliceMs) dataSet_->FetchMore();
  } catch (const std::exception& error) {
    error_ = dralvo::MaskPasswords(error.what());
    FetchDone();
    return;
  }
  if (dataSet_->AllFetched()) {
    FetchDone();
    return;
  }
  ShowState();
  QTimer::singleShot(0, this, [this] { FetchSlice(); });
}

void TDataPanel::FetchDone() {
  fetching_ = false;
  dataSet_->SetPacketRecords(packetBefore_);
  model_->HoldFetching(false);
  model_->ShowFetched();
  if (toLastRecord_ && dataSet_->AllFetched() && model_->rowCount() > 0) {
    const int column = std::max(grid_->currentIndex().column(), 0);
    grid_->setCurrentIndex(model_->index(model_->rowCount() - 1, column));
    grid_->scrollToBottom();
  }
  ShowState();
  if (OnBusyChanged) OnBusyChanged(false);
  grid_->setFocus();
}

bool TDataPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool toEnd = key->key() == Qt::Key_End && (key->modifiers() & Qt::ControlModifier) != 0;
    if (toEnd && dataSet_ != nullptr && dataSet_->Active() && !dataSet_->AllFetched()) {
      FetchAll(true);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TDataPanel::WaitForQuery() {
  if (!runner_.joinable()) return;
  runner_.join();
  // The outcome was posted to this panel; take it now.
  QCoreApplication::sendPostedEvents(this);
}

void TDataPanel::Finished(const std::string& error) {
  if (runner_.joinable()) runner_.join();
  const bool wasBusy = running_;
  running_ = false;
  // A query stopped by Cancel did what was asked; it failed in no other way.
  cancelled_ = cancelAsked_ && !error.empty();
  cancelAsked_ = false;
  error_ = cancelled_ ? std::string() : dralvo::MaskPasswords(error);
  model_->SetDataSet(dataSet_);
  ShowState();
  if (wasBusy && OnBusyChanged) OnBusyChanged(false);
  if (OnActiveChanged) OnActiveChanged();
}

std::string TDataPanel::Message() const { return message_->text().toStdString(); }

void TDataPanel::ShowState() {
  const bool busy = Busy();
  const bool open = dataSet_ != nullptr && dataSet_->Active() && !busy;
  title_->setText(dataSet_ == nullptr ? QString("Select a dataset to see its records")
                                      : QString::fromStdString(dataSet_->Name()));
  open_->setEnabled(dataSet_ != nullptr && !busy);
  open_->setText(open ? "Close" : "Open");
  cancel_->setVisible(busy);
  fetchAll_->setVisible(open && !dataSet_->AllFetched());
  grid_->setEnabled(!busy);
  QString message;
  if (fetching_)
    message = QString("Fetching all records: %1 so far...").arg(dataSet_->FetchedCount());
  else if (busy)
    message = "Running the query...";
  else if (!error_.empty())
    message = QString::fromStdString(error_);
  else if (cancelled_)
    message = "Cancelled";
  else if (open)
    message = QString("%1 records fetched%2")
                  .arg(dataSet_->FetchedCount())
                  .arg(dataSet_->AllFetched() ? QString(", all") : QString(", more as you scroll or with Fetch all"));
  message_->setText(message);
  message_->setStyleSheet(!busy && !error_.empty() ? "color: #b00020" : "");
  edits_->SetDataSet(open ? dataSet_ : nullptr, busy);
}

}  // namespace designer
