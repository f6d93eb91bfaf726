#pragma once
// The Data view's grid model when its dataset can be edited: the records of
// a TDataSetModel, each cell editable when the dataset has an update object
// (binary fields stay read-only). A value typed in is posted to the record
// at once; the dataset keeps it as a cached update until Apply or Cancel
// (TDataEditBar). Without an update object every cell stays read-only.
#include <QIdentityProxyModel>
#include <functional>
#include <string>

namespace dralvo {
class TDVDataSet;
}

namespace designer {

class TDataSetModel;

class TEditableDataModel : public QIdentityProxyModel {
 public:
  TEditableDataModel(TDataSetModel* source, QObject* parent);
  // The dataset whose records the cells write (null: none).
  void SetDataSet(dralvo::TDVDataSet* dataSet) { dataSet_ = dataSet; }
  bool Editable() const;

  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // A value the record refused, with the reason; a value it took.
  std::function<void(const std::string& why)> OnEditRefused;
  std::function<void()> OnEdited;

 private:
  dralvo::TDVDataSet* dataSet_ = nullptr;
};

}  // namespace designer
