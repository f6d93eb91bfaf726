#pragma once
// A read-only Qt table model over an open dataset: one column a field
// (headed by its display label), one row a fetched record. Scrolling to the
// end asks for more (canFetchMore/fetchMore), which fetches the dataset's
// next packet. Null shows as "(null)" in grey italics, distinct from an
// empty string; binary values show as their size. A long text shows its
// first characters only, so that the grid's cost does not follow the size
// of a value; its tool tip says so, and WholeValue gives all of it.
#include <QAbstractTableModel>
#include <functional>
#include <string>

namespace db {
class TDataSet;
}

namespace designer {

class TDataSetModel : public QAbstractTableModel {
 public:
  // The characters a cell shows of a text.
  static constexpr size_t kCellChars = 200;

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

  // Whether the cell shows only the start of its value.
  bool IsCut(const QModelIndex& index) const;
  // The cell's whole value as text ("(null)", a binary value's size).
  QString WholeValue(const QModelIndex& index) const;
  // Shows the records the dataset fetched since the model last looked
  // (fetched by someone else: the Data view's "Fetch all").
  void ShowFetched();
  // While held, scrolling to the end fetches nothing.
  void HoldFetching(bool hold) { held_ = hold; }

  // A fetch that failed: the server's message (the rows read stay).
  std::function<void(const std::string& message)> OnFetchError;
  // Records were added to the rows shown.
  std::function<void()> OnFetched;

 private:
  db::TDataSet* dataSet_ = nullptr;
  int rows_ = 0;
  int columns_ = 0;
  bool held_ = false;
};

}  // namespace designer
