#include "model/SqlCatalog.h"

#include <algorithm>
#include <cctype>

#include "dralvo/NameRules.h"

namespace designer {

namespace {
const std::vector<std::string> kNone;

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const int x = std::tolower(static_cast<unsigned char>(a[i]));
    const int y = std::tolower(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y;
  }
  return a.size() != b.size() ? a.size() < b.size() : a < b;
}
}  // namespace

TSqlCatalog::TSqlCatalog(std::function<std::unique_ptr<ICatalogSource>()> connect, std::function<void()> arrived)
    : arrived_(std::move(arrived)),
      worker_([this, connect = std::move(connect)]() mutable { Work(std::move(connect)); }) {}

TSqlCatalog::~TSqlCatalog() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  worker_.join();
}

void TSqlCatalog::Work(std::function<std::unique_ptr<ICatalogSource>()> connect) {
  std::unique_ptr<ICatalogSource> source;
  try {
    source = connect();
    std::vector<std::string> tables = source->TableNames();
    std::sort(tables.begin(), tables.end(), LessIgnoringCase);
    std::shared_ptr<const dralvo::TDVNameRules> rules = source->NameRules();
    std::vector<std::string> keywords = rules->ReservedWords();
    std::sort(keywords.begin(), keywords.end());
    std::vector<std::string> texts;
    texts.reserve(tables.size());
    for (const std::string& table : tables)
      texts.push_back(rules->NeedsQuotes(table) ? rules->Quote(table) : table);
    std::lock_guard<std::mutex> lock(mutex_);
    tables_ = std::move(tables);
    tableTexts_ = std::move(texts);
    keywords_ = std::move(keywords);
    rules_ = std::move(rules);
    tablesRead_ = true;
  } catch (const std::exception& error) {
    std::lock_guard<std::mutex> lock(mutex_);
    error_ = error.what();
    failed_ = true;
  }
  Arrived();
  if (failed_) return;
  for (;;) {
    std::string table;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !wanted_.empty(); });
      if (stopping_) return;
      table = wanted_.front();
    }
    std::vector<std::string> columns;
    std::string error;
    try {
      columns = source->ColumnNames(table);
    } catch (const std::exception& e) {
      error = e.what();
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      columns_.emplace(table, std::move(columns));
      wanted_.pop_front();
      // A table that cannot be read stays without columns; the server's
      // answer is kept for the person to read.
      if (!error.empty()) error_ = error;
    }
    Arrived();
  }
}

TCatalogState TSqlCatalog::State() const {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!error_.empty()) return TCatalogState::Failed;
  return tablesRead_ && wanted_.empty() ? TCatalogState::Ready : TCatalogState::Reading;
}

// Settled only once the editor was told: whoever waits then finds the
// notice posted.
void TSqlCatalog::Arrived() {
  if (arrived_) arrived_();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++told_;
  }
  settled_.notify_all();
}

void TSqlCatalog::WaitUntilSettled() {
  std::unique_lock<std::mutex> lock(mutex_);
  // One notice for the table names (or the failure) and one per column list.
  settled_.wait(lock, [this] {
    return failed_ ? told_ >= 1 : tablesRead_ && wanted_.empty() && told_ == 1 + columns_.size();
  });
}

size_t TSqlCatalog::Arrivals() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return (tablesRead_ || failed_ ? 1 : 0) + columns_.size();
}

std::string TSqlCatalog::Error() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return error_;
}

const std::vector<std::string>& TSqlCatalog::Columns(const std::string& table) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto found = columns_.find(table);
  if (found != columns_.end()) return found->second;
  if (failed_) return kNone;
  if (std::find(wanted_.begin(), wanted_.end(), table) == wanted_.end()) {
    wanted_.push_back(table);
    wake_.notify_all();
  }
  return kNone;
}

TCatalogNames TSqlCatalog::Names() {
  TCatalogNames names;
  // Before the table names arrive the lists are empty; afterwards they are
  // never changed again, so they are read without the lock.
  bool read;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    read = tablesRead_;
  }
  names.Tables = [this, read]() -> const std::vector<std::string>& { return read ? tables_ : kNone; };
  names.TableTexts = [this, read]() -> const std::vector<std::string>& { return read ? tableTexts_ : kNone; };
  names.Keywords = [this, read]() -> const std::vector<std::string>& { return read ? keywords_ : kNone; };
  names.Columns = [this](const std::string& table) -> const std::vector<std::string>& { return Columns(table); };
  names.NeedsQuotes = [this, read](const std::string& name) {
    return read ? rules_->NeedsQuotes(name) : dralvo::TDVNameRules().NeedsQuotes(name);
  };
  names.Quote = [this, read](const std::string& name) {
    return read ? rules_->Quote(name) : dralvo::TDVNameRules().Quote(name);
  };
  return names;
}

}  // namespace designer
