#pragma once
// The Data view's edits, shown when its dataset has an update object: the
// grid's cells take new values (TEditableDataModel), "Insert" adds a record
// at the selected one, "Delete" removes the selected record; the dataset
// keeps every change as a cached update. "Apply" writes them through the
// update object's statements in one transaction (dralvo::ApplyCachedUpdates)
// and lists each statement run with its parameters and the rows it touched;
// "Cancel" puts the records back as they were read. Looking at rows writes
// nothing: Apply is the one thing here that does.
#include <QWidget>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace dralvo {
class TDVDataSet;
}

namespace designer {

class TDataSetModel;
class TEditableDataModel;

class TDataEditBar : public QWidget {
 public:
  // `model` and `grid` are the Data view's; while the dataset can be edited
  // the grid shows the bar's editable model over `model`.
  TDataEditBar(TDataSetModel* model, QTableView* grid, QWidget* parent);

  // The dataset the view shows (null: none, or closed); `busy` while a
  // query runs. A dataset with an update object keeps its edits as cached
  // updates from now on.
  void SetDataSet(dralvo::TDVDataSet* dataSet, bool busy);
  TEditableDataModel* EditableModel() const { return editable_; }

  void Insert();
  void Delete();
  void Apply();
  void Cancel();
  std::string Message() const;
  std::string AppliedText() const;

 private:
  // The records changed: the grid reads them again, the selection kept.
  void Reread(int row);
  void Say(const std::string& message, bool error);
  void ShowState();
  int SelectedRow() const;

  TDataSetModel* model_;
  QTableView* grid_;
  TEditableDataModel* editable_;
  dralvo::TDVDataSet* dataSet_ = nullptr;
  bool busy_ = false;
  std::string note_;  // what the last action said; empty: the count of changes kept
  QPushButton* insert_;
  QPushButton* delete_;
  QPushButton* apply_;
  QPushButton* cancel_;
  QLabel* message_;
  QPlainTextEdit* applied_;
};

}  // namespace designer
