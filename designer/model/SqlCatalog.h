#pragma once
// A database's names for the SQL code editor's completion, read beside the
// designer's own work so that the editor never waits on the server: a
// worker thread connects on its own, reads the table names and the
// server's keywords once, and each table's columns the first time they are
// wanted. What has arrived is kept (a cache) until the catalog is dropped,
// which is how the window refreshes it or forgets it when its database
// closes.
//
// No widget here; the editor asks from its thread and polls while the
// catalog is still reading.
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "model/SqlCompletion.h"

namespace dralvo {
class TDVNameRules;
}

namespace designer {

// Where the names come from; called on the worker thread only.
class ICatalogSource {
 public:
  virtual ~ICatalogSource() = default;
  virtual std::vector<std::string> TableNames() = 0;
  // The columns of a table as SQL text writes it (quoted or bare, maybe
  // qualified); none for an unknown table.
  virtual std::vector<std::string> ColumnNames(const std::string& table) = 0;
  virtual std::shared_ptr<const dralvo::TDVNameRules> NameRules() = 0;
};

enum class TCatalogState { Reading, Ready, Failed };

class TSqlCatalog {
 public:
  // `connect` runs on the worker thread; an exception from it or from the
  // source makes the catalog Failed with the exception's message.
  // `arrived` is called on the worker thread whenever names arrived (or
  // reading failed): the editor posts itself a look from there.
  TSqlCatalog(std::function<std::unique_ptr<ICatalogSource>()> connect, std::function<void()> arrived);
  // Waits for the question the worker is asking (bounded by the driver's
  // own time-outs), then stops it.
  ~TSqlCatalog();
  TSqlCatalog(const TSqlCatalog&) = delete;
  TSqlCatalog& operator=(const TSqlCatalog&) = delete;

  // Ready once the table names and every column list asked for (through
  // Names().Columns) have arrived; Failed when the server could not answer.
  TCatalogState State() const;
  std::string Error() const;
  // How many lists have arrived so far (the table names, or the failure,
  // and each column list): a list picked while it changed is out of date.
  size_t Arrivals() const;
  // Blocks until the worker has nothing left to read (for tests and
  // measurements; the editor never waits).
  void WaitUntilSettled();

  // The names read so far; a column list not read yet is asked for and
  // comes back empty until it arrives. For the editor's thread.
  TCatalogNames Names();

 private:
  void Work(std::function<std::unique_ptr<ICatalogSource>()> connect);
  void Arrived();
  const std::vector<std::string>& Columns(const std::string& table);

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable settled_;
  std::function<void()> arrived_;
  std::deque<std::string> wanted_;  // tables whose columns are to be read
  // Entries are added whole and never changed, so a reference handed out
  // stays valid while the catalog lives.
  std::map<std::string, std::vector<std::string>> columns_;
  std::vector<std::string> tables_;      // sorted ignoring case
  std::vector<std::string> tableTexts_;  // as inserted, quoted where needed
  std::vector<std::string> keywords_;
  std::shared_ptr<const dralvo::TDVNameRules> rules_;
  bool tablesRead_ = false;
  bool failed_ = false;  // the names could not be read at all
  size_t told_ = 0;      // notices given of what arrived
  std::string error_;
  bool stopping_ = false;
  std::thread worker_;
};

}  // namespace designer
