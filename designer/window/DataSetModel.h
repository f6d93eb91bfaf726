#pragma once
// A read-only Qt table model over an open dataset: one column a field
// (headed by its display label), one row a fetched record. Scrolling to the
// end asks for more (canFetchMore/fetchMore), which fetches the dataset's
// next packet. Null shows as "(null)" in grey italics, distinct from an
// empty string; binary values show as their size.
#include <QAbstractTableModel>
#include <functional>
#include <string>

namespace db {
class TDataSet;
}

namespace designer {

class TDataSetModel : public QAbstractTableModel {
 public:
  explicit TDataSetModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
  // Shows the records of `dataSet` (open, or null for nothing).
  void SetDataSet(db::TDataSet* dataSet);
  db::TDataSet* DataSet() const { return dataSet_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

  // A fetch that failed: the server's message (the rows read stay).
  std::function<void(const std::string& message)> OnFetchError;

 private:
  db::TDataSet* dataSet_ = nullptr;
  int rows_ = 0;
  int columns_ = 0;
};

}  // namespace designer
