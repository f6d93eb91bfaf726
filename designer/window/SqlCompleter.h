#pragma once
// Completion in one SQL code tab (QScintilla's user list): typing "." after
// a name, a space after FROM, JOIN, INTO or UPDATE, a double quote, or
// Ctrl+Space shows the names that fit there (model/SqlCompletion.h), read
// from the catalog of the tab's database. While the catalog is still being
// read the tab says so in the status bar and the list comes when the names
// arrive, if the cursor has not moved; after a time-out the tab stops
// waiting and says that the server did not answer in time. Whatever ends
// the wait (the names, the cursor moving away, the time-out, the tab
// closing) takes the "Reading" line off the status bar. The list holds
// every name that fits, however many.
#include <QObject>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

class QsciScintilla;

namespace designer {

class TSqlCatalog;

class TSqlCompleter : public QObject {
 public:
  // `catalog` gives the tab's catalog now (null: no database to ask);
  // `status` shows a line in the window's status bar.
  TSqlCompleter(QsciScintilla& editor, std::function<TSqlCatalog*()> catalog,
                std::function<void(const std::string&)> status);
  ~TSqlCompleter() override;

  // Shows the list for the cursor; `asked`: the person asked (Ctrl+Space),
  // so an empty prefix in any place gets a list too.
  void Complete(bool asked);
  // Names arrived in some catalog: the list waited for is shown now.
  void NamesArrived();
  // What the list offered last (empty when none is shown).
  const std::vector<std::string>& Offered() const { return offered_; }
  bool Waiting() const { return waitingAt_ >= 0; }
  // How long the tab waits for a catalog before it gives up.
  static constexpr int kTimeoutMs = 10000;

 private:
  void CharAdded(int character);
  void StartWaiting(long cursor, bool asked);
  void StopWaiting();
  void Chosen(const QString& entry);
  long CursorPosition() const;

  QsciScintilla& editor_;
  std::function<TSqlCatalog*()> catalog_;
  std::function<void(const std::string&)> status_;
  std::vector<std::string> offered_;
  long waitingAt_ = -1;  // the cursor position a list is waited for at
  bool waitingAsked_ = false;
  bool saidReading_ = false;  // the status bar shows this tab's "Reading" line
  QTimer timeout_;
};

}  // namespace designer
