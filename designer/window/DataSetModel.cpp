#include "window/DataSetModel.h"

#include <QBrush>
#include <QFont>

#include "db/DataSet.h"
#include "db/Field.h"
#include "model/CellText.h"

namespace designer {

namespace {
QString Text(const std::string& text) { return QString::fromStdString(text); }
}  // namespace

void TDataSetModel::SetDataSet(db::TDataSet* dataSet) {
  beginResetModel();
  dataSet_ = dataSet != nullptr && dataSet->Active() ? dataSet : nullptr;
  rows_ = dataSet_ != nullptr ? dataSet_->FetchedCount() : 0;
  columns_ = dataSet_ != nullptr ? dataSet_->FieldCount() : 0;
  endResetModel();
}

int TDataSetModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int TDataSetModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

QVariant TDataSetModel::data(const QModelIndex& index, int role) const {
  if (dataSet_ == nullptr || !index.isValid() || index.row() >= rows_ || index.column() >= columns_) return {};
  // A reference into the fetched records: painting copies no value.
  const db::TValue& value = dataSet_->RecordValue(index.row(), index.column());
  switch (role) {
    case Qt::DisplayRole: {
      if (value.IsNull()) return QStringLiteral("(null)");
      const db::TField& field = *dataSet_->Fields(index.column());
      if (IsBinaryField(field) && value.IsText()) return Text(BinarySizeText(value.TextView().size()));
      return Text(value.IsText() ? ShownPrefix(value.TextView(), kCellChars) : value.AsString());
    }
    case Qt::ToolTipRole:
      if (!IsCut(index)) return {};
      return QString("%1 bytes of text, of which the cell shows the first %2 characters: double-click it to see "
                     "all of it")
          .arg(value.TextView().size())
          .arg(kCellChars);
    case Qt::FontRole:
      if (value.IsNull()) {
        QFont font;
        font.setItalic(true);
        return font;
      }
      return {};
    case Qt::ForegroundRole:
      return value.IsNull() ? QVariant(QBrush(Qt::gray)) : QVariant();
    case Qt::TextAlignmentRole:
      return value.IsInteger() || value.IsFloat() ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    default:
      return {};
  }
}

bool TDataSetModel::IsCut(const QModelIndex& index) const {
  if (dataSet_ == nullptr || !index.isValid() || index.row() >= rows_ || index.column() >= columns_) return false;
  const db::TValue& value = dataSet_->RecordValue(index.row(), index.column());
  return value.IsText() && LongerThan(value.TextView(), kCellChars) &&
         !IsBinaryField(*dataSet_->Fields(index.column()));
}

QString TDataSetModel::WholeValue(const QModelIndex& index) const {
  if (dataSet_ == nullptr || !index.isValid() || index.row() >= rows_ || index.column() >= columns_) return {};
  const db::TValue& value = dataSet_->RecordValue(index.row(), index.column());
  if (!value.IsText() || IsBinaryField(*dataSet_->Fields(index.column()))) return data(index, Qt::DisplayRole).toString();
  return Text(ShownUtf8(std::string(value.TextView())));
}

QVariant TDataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (dataSet_ == nullptr || section >= columns_) return {};
  return Text(dataSet_->Fields(section)->DisplayLabel());
}

Qt::ItemFlags TDataSetModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

bool TDataSetModel::canFetchMore(const QModelIndex& parent) const {
  return !held_ && !parent.isValid() && dataSet_ != nullptr && dataSet_->Active() && !dataSet_->AllFetched();
}

void TDataSetModel::fetchMore(const QModelIndex& parent) {
  if (!canFetchMore(parent)) return;
  try {
    dataSet_->FetchMore();
  } catch (const std::exception& error) {
    if (OnFetchError) OnFetchError(error.what());
  }
  ShowFetched();
}

void TDataSetModel::ShowFetched() {
  const int fetched = dataSet_ != nullptr ? dataSet_->FetchedCount() : 0;
  if (fetched <= rows_) return;
  beginInsertRows({}, rows_, fetched - 1);
  rows_ = fetched;
  endInsertRows();
  if (OnFetched) OnFetched();
}

}  // namespace designer
