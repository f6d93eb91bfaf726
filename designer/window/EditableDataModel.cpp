#include "window/EditableDataModel.h"

#include "db/Field.h"
#include "dralvo/DataSet.h"
#include "model/CellInput.h"
#include "model/CellText.h"
#include "window/DataSetModel.h"

namespace designer {

TEditableDataModel::TEditableDataModel(TDataSetModel* source, QObject* parent) : QIdentityProxyModel(parent) {
  setSourceModel(source);
}

bool TEditableDataModel::Editable() const {
  return dataSet_ != nullptr && dataSet_->Active() && dataSet_->UpdateObject() != nullptr;
}

Qt::ItemFlags TEditableDataModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QIdentityProxyModel::flags(index);
  if (index.isValid() && Editable() && index.column() < dataSet_->FieldCount() &&
      !IsBinaryField(*dataSet_->Fields(index.column())))
    flags |= Qt::ItemIsEditable;
  return flags;
}

QVariant TEditableDataModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::EditRole || !Editable() || !index.isValid() || index.row() >= dataSet_->FetchedCount())
    return QIdentityProxyModel::data(index, role);
  return QString::fromStdString(CellInputOf(dataSet_->RecordValue(index.row(), index.column())));
}

bool TEditableDataModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable) || index.row() >= dataSet_->FetchedCount())
    return false;
  db::TField& field = *dataSet_->Fields(index.column());
  std::string why;
  const std::optional<db::TValue> typed = ValueOfCellInput(field, value.toString().toStdString(), why);
  try {
    if (!typed) throw rtl::Exception(why);
    if (*typed == dataSet_->RecordValue(index.row(), index.column())) return true;  // no change to keep
    dataSet_->MoveTo(index.row());
    dataSet_->Edit();
    field.SetValue(*typed);
    dataSet_->Post();
  } catch (const std::exception& e) {
    dataSet_->Cancel();
    if (OnEditRefused) OnEditRefused(e.what());
    return false;
  }
  emit dataChanged(index, index);
  if (OnEdited) OnEdited();
  return true;
}

}  // namespace designer
