#pragma once
// The Data view: the records of the selected dataset in a read-only grid
// (a TDataSetModel), fetched as the person scrolls. "Open" runs the query on
// a thread of its own, so the window keeps painting; meanwhile the view
// shows that it is busy and offers "Cancel", which stops the statement on
// the server. A failure shows in the view itself. A line says how many
// records are fetched and whether that is all of them. "Fetch all" (and
// Ctrl+End in the grid, which then goes to the last record) reads to the
// end a slice at a time between the window's events, counting as it goes,
// until it is done or cancelled. Activating a cell shows its whole value.
// A dataset with an update object can be edited there (TDataEditBar).
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <thread>

class QLabel;
class QPushButton;
class QTableView;

namespace dralvo {
class TDVDataSet;
}

namespace designer {

class TDataEditBar;
class TDataSetModel;

class TDataPanel : public QWidget {
 public:
  explicit TDataPanel(QWidget* parent = nullptr);
  ~TDataPanel() override;

  // The dataset to show (null: none); an open one shows its records, one
  // the module stores open (StoredActive) is opened as Open does. Ignored
  // while a query runs.
  void SetDataSet(dralvo::TDVDataSet* dataSet);
  // Shows again what the dataset holds (opened or closed elsewhere).
  void Refresh();
  // What the Open button does: connects, then runs the query on a thread.
  void Open();
  // What the Cancel button does while a query runs or all records are
  // fetched.
  void Cancel();
  // What "Fetch all" does; with `toLastRecord` (Ctrl+End) the grid then
  // goes to the last record.
  void FetchAll(bool toLastRecord);
  bool Busy() const { return running_ || fetching_; }
  // Waits for the running query to end and shows its outcome (tests,
  // scripts and closing the window; the window does not wait otherwise).
  void WaitForQuery();

  QTableView* Grid() const { return grid_; }
  // Insert, Delete, Apply and Cancel of a dataset with an update object.
  TDataEditBar* Edits() const { return edits_; }
  TDataSetModel* Model() const { return model_; }
  std::string Message() const;

  // Told when a query starts and ends, so the window can keep a person from
  // changing the module meanwhile.
  std::function<void(bool busy)> OnBusyChanged;
  // Told when the view opened or closed its dataset (its Active changed).
  std::function<void()> OnActiveChanged;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Finished(const std::string& error);
  void FetchSlice();
  void FetchDone();
  void ShowState();

  dralvo::TDVDataSet* dataSet_ = nullptr;
  TDataSetModel* model_ = nullptr;
  QLabel* title_ = nullptr;
  QLabel* message_ = nullptr;
  QPushButton* open_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* fetchAll_ = nullptr;
  QTableView* grid_ = nullptr;
  TDataEditBar* edits_ = nullptr;
  std::thread runner_;
  bool running_ = false;  // from the start of a query until its outcome is shown
  bool cancelAsked_ = false;
  bool cancelled_ = false;  // the last query ended because Cancel was pressed
  bool fetching_ = false;   // "Fetch all" is reading
  bool toLastRecord_ = false;
  int packetBefore_ = 0;
  std::string error_;
};

}  // namespace designer
