#include "window/DataPanel.h"

#include <QCoreApplication>
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

namespace designer {

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
  model_ = new TDataSetModel(this);
  model_->OnFetchError = [this](const std::string& message) {
    error_ = message;
    ShowState();
  };
  grid_ = new QTableView(this);
  grid_->setObjectName("DataGrid");
  grid_->setModel(model_);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  edits_ = new TDataEditBar(model_, grid_, this);

  auto* bar = new QHBoxLayout;
  bar->addWidget(title_, 1);
  bar->addWidget(open_);
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
  if (dataSet != dataSet_) error_.clear();
  dataSet_ = dataSet;
  Refresh();
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
  if (Busy()) dataSet_->AbortQuery();
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
  error_ = dralvo::MaskPasswords(error);
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
  grid_->setEnabled(!busy);
  QString message;
  if (busy)
    message = "Running the query...";
  else if (!error_.empty())
    message = QString::fromStdString(error_);
  else if (open)
    message = QString("%1 records fetched%2")
                  .arg(dataSet_->FetchedCount())
                  .arg(dataSet_->AllFetched() ? QString(", all") : QString(", more as you scroll"));
  message_->setText(message);
  message_->setStyleSheet(!busy && !error_.empty() ? "color: #b00020" : "");
  edits_->SetDataSet(open ? dataSet_ : nullptr, busy);
}

}  // namespace designer
