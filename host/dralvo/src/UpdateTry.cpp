#include "dralvo/UpdateTry.h"

#include <algorithm>
#include <array>
#include <memory>

#include "db/Field.h"
#include "db/Params.h"
#include "dralvo/DataSet.h"
#include "dralvo/Database.h"
#include "dralvo/SqlParser.h"
#include "dralvo/UpdateSQL.h"
#include "UpdateRun.h"
#include "drivers/Driver.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

namespace {

using update::kDelete;
using update::kInsert;
using update::kModify;
using update::kRefresh;

std::string Shown(const db::TValue& v) {
  if (v.IsNull()) return "null";
  return v.IsText() ? "'" + v.AsString() + "'" : v.AsString();
}

// Values the same as a person reads them: a number the server hands back
// as text in one place and as a number in another is the same number.
bool SameValue(const db::TValue& a, const db::TValue& b) {
  if (a == b) return true;
  return !a.IsNull() && !b.IsNull() && a.AsString() == b.AsString();
}

// A try that cannot be made: the reason, and nothing has run.
struct TNotTried {
  std::string Why;
};

class TTry {
 public:
  TTry(TDVDataSetUpdateObject& update, int rowNumber) : update_(update), rowNumber_(rowNumber) {}

  TDVTryResult Run() {
    TDVTryResult result;
    try {
      Prepare();
    } catch (const TNotTried& n) {
      result.NotTried = n.Why;
      Close();
      return result;
    }
    RunSteps(result);
    Close();
    return result;
  }

 private:
  // Everything that can be known before a statement runs: the statements,
  // the row, the parameters, and whether a rollback undoes every table.
  void Prepare() {
    dataSet_ = update_.DataSet();
    if (dataSet_ == nullptr) throw TNotTried{"no dataset names it as its UpdateObject"};
    dataSetName_ = dataSet_->Name().empty() ? dataSet_->ClassName() : dataSet_->Name();
    if (rtl::Trim(dataSet_->DatabaseName()).empty())
      throw TNotTried{"its dataset " + dataSetName_ + " names no database"};
    database_ = dataSet_->FindDatabase();
    if (database_ == nullptr)
      throw TNotTried{"its dataset " + dataSetName_ + " names the database " + dataSet_->DatabaseName() +
                      ", which the module does not hold"};
    lexis_ = DialectOf(database_->ServerType()).Lexis;
    for (int slot = 0; slot < 4; ++slot) ReadStatement(slot);
    try {
      ReadRow();
    } catch (const EDVWaitExpired& e) {
      throw TNotTried{"reading row " + std::to_string(rowNumber_) + " of " + dataSetName_ +
                      " waited for a lock or the server beyond the database's time-out: " + e.what()};
    } catch (const rtl::Exception& e) {
      throw TNotTried{"row " + std::to_string(rowNumber_) + " of " + dataSetName_ + " cannot be read: " + e.what()};
    }
    for (int slot = 0; slot < 4; ++slot) Bind(slot);
    try {
      database_->Open();
    } catch (const rtl::Exception& e) {
      throw TNotTried{std::string("the database ") + database_->DatabaseName() + " cannot be reached: " + e.what()};
    }
    try {
      CheckRollback();
    } catch (const rtl::Exception& e) {
      throw TNotTried{std::string("the catalog of the database ") + database_->DatabaseName() +
                      " cannot be read: " + e.what()};
    }
  }

  // One statement of the slot's own kind: anything else (a drop, a script)
  // might commit by itself.
  void ReadStatement(int slot) {
    if (std::string why = update::WhyNotRunnable(update_, slot, lexis_); !why.empty()) throw TNotTried{why};
    texts_[static_cast<size_t>(slot)] = update_.GetSQLIndex(slot)->Text();
  }

  // Row `rowNumber_` of the dataset, read on a read-only connection that
  // is closed again, so that the try gets a connection of its own.
  void ReadRow() {
    dataSet_->Close();
    database_->Close();
    const int packet = dataSet_->PacketRecords();
    database_->StartReadOnly();
    dataSet_->SetPacketRecords(std::min(rowNumber_, 1000));
    try {
      dataSet_->Open();
    } catch (...) {
      dataSet_->SetPacketRecords(packet);
      throw;
    }
    dataSet_->SetPacketRecords(packet);
    for (int i = 1; i < rowNumber_ && !dataSet_->Eof(); ++i) dataSet_->Next();
    if (dataSet_->IsEmpty()) throw TNotTried{dataSetName_ + " has no rows to try the statements on"};
    if (dataSet_->Eof()) {
      const int count = dataSet_->FetchedCount();
      throw TNotTried{dataSetName_ + " has " + std::to_string(count) + (count == 1 ? " row" : " rows") +
                      ", so no row " + std::to_string(rowNumber_)};
    }
    for (int i = 0; i < dataSet_->FieldCount(); ++i) {
      const db::TField& field = *dataSet_->Fields(i);
      fields_.Names.push_back(field.FieldName());
      fields_.Types.push_back(field.DataType());
      row_.push_back(field.Value());
    }
    dataSet_->Close();
    database_->Close();
  }

  // The slot's parameters with the row's values: plain and OLD_ ones
  // alike, as the row is written back as it was.
  void Bind(int slot) {
    const std::string name = update::SlotName(slot);
    const std::string& text = texts_[static_cast<size_t>(slot)];
    auto& params = params_[static_cast<size_t>(slot)];
    params = std::make_unique<db::TParams>();
    std::vector<TDVParamField> sources;
    if (std::string stray = update::Bind(text, lexis_, fields_, row_, row_, *params, &sources); !stray.empty())
      throw TNotTried{"the " + name + " statement's parameter :" + stray + " matches no field of " + dataSetName_ +
                      (rtl::SameText(stray.substr(0, 4), "OLD_") ? " (with or without OLD_)" : "")};
    if (slot == kInsert) return;
    // A where clause compares OLD_ values with "=", which never holds for
    // null: no row could be found.
    for (size_t i = 0; i < sources.size(); ++i) {
      const auto field = static_cast<size_t>(sources[i].Index);
      if (!sources[i].Old || !row_[field].IsNull()) continue;
      throw TNotTried{"row " + std::to_string(rowNumber_) + " holds null in " + fields_.Names[field] + ", which the " +
                      name + " statement looks for as :" + params->Items(static_cast<int>(i))->Name() +
                      ", and \"= null\" finds no row; try a row whose " + fields_.Names[field] + " has a value"};
    }
  }

  // Refused before anything runs: a table a rollback would not restore.
  void CheckRollback() {
    const std::vector<std::string> texts(texts_.begin(), texts_.end());
    if (std::string why = update::WhyNotRolledBack(database_->Connection(), texts); !why.empty())
      throw TNotTried{why};
  }

  void RunSteps(TDVTryResult& result) {
    constexpr std::array<int, 5> kOrder = {kRefresh, kModify, kDelete, kInsert, kRefresh};
    constexpr const char* kVerbs[] = {"read", "changed", "inserted", "deleted"};
    for (size_t i = 0; i < kOrder.size(); ++i)
      result.Steps.push_back({i == 4 ? "refresh again" : update::SlotName(kOrder[i]), kVerbs[kOrder[i]], false, -1, {}, {}});
    bool broke = false;
    try {
      database_->StartTransaction();
    } catch (const rtl::Exception& e) {
      result.NotTried = std::string("no transaction could be started: ") + e.what();
      return;
    }
    for (size_t i = 0; i < kOrder.size() && !broke; ++i) broke = !RunStep(kOrder[i], i == 4, result.Steps[i], result);
    // Always rolled back. A rollback that fails means the connection is
    // gone, and with it the transaction: the server never commits it.
    try {
      database_->Rollback();
    } catch (const rtl::Exception& e) {
      auto last = std::find_if(result.Steps.rbegin(), result.Steps.rend(), [](auto& s) { return s.Ran; });
      if (broke && last != result.Steps.rend()) {
        last->Ran = false;
        last->Problem = "the connection broke off";
      }
      if (result.NotTried.empty())
        result.NotTried = std::string("the connection to the server broke off during the try (") + e.what() +
                          "); nothing was committed";
    }
  }

  // Runs one step; false when the try cannot go on.
  bool RunStep(int slot, bool again, TDVTryStep& step, TDVTryResult& result) {
    TDVResult r;
    try {
      r = database_->Execute(texts_[static_cast<size_t>(slot)], params_[static_cast<size_t>(slot)].get());
    } catch (const EDVWaitExpired& e) {
      step.Problem = "waited for a lock or the server beyond the database's time-out";
      step.ServerMessage = e.what();
      result.NotTried = "the " + step.Statement + " statement " + step.Problem + ": " + e.what();
      return false;
    } catch (const rtl::Exception& e) {
      step.Ran = true;
      step.Problem = "refused by the server";
      step.ServerMessage = e.what();
      return false;
    }
    step.Ran = true;
    step.Rows = slot == kRefresh ? static_cast<int64_t>(r.Rows.size()) : r.RowsAffected;
    const std::string rowName = "row " + std::to_string(rowNumber_);
    if (step.Rows == 0)
      step.Problem = slot == kInsert ? "the insert statement put no row in"
                                     : "the where clause finds no row with the values of " + rowName;
    else if (step.Rows > 1)
      step.Problem = slot == kInsert ? "one insert must add one row" : "the where clause does not pin one row";
    else if (slot == kRefresh)
      CompareRefresh(r, again, step);
    return true;
  }

  // The first refresh must read the row as the dataset did; the second the
  // same values as the first, or the insert did not put the row back.
  void CompareRefresh(const TDVResult& r, bool again, TDVTryStep& step) {
    const bool againstFirst = again && firstRefresh_.size() == r.Columns.size();
    for (size_t c = 0; c < r.Columns.size(); ++c) {
      const db::TValue& now = r.Rows[0][c];
      db::TValue before;
      if (againstFirst) {
        before = firstRefresh_[c];
      } else {
        const int field = fields_.IndexOf(r.Columns[c].Name);
        if (field < 0) continue;  // a column the dataset does not show
        before = row_[static_cast<size_t>(field)];
      }
      if (SameValue(now, before)) continue;
      step.Problem = "it reads " + r.Columns[c].Name + " as " + Shown(now) +
                     (againstFirst ? ", before the try it read " + Shown(before) +
                                  ": the insert did not put the row back as it was (a default, a trigger or a generated "
                                  "column?)"
                            : " where row " + std::to_string(rowNumber_) + " holds " + Shown(before) +
                                  ": it does not read the row the dataset shows");
      break;
    }
    if (!again) firstRefresh_ = r.Rows[0];
  }

  void Close() {
    try {
      if (dataSet_ != nullptr) dataSet_->Close();
      if (database_ != nullptr) database_->Close();
    } catch (const rtl::Exception&) {
      // Closing a connection that broke off: the server has dropped it.
    }
  }

  TDVDataSetUpdateObject& update_;
  const int rowNumber_;
  TDVDataSet* dataSet_ = nullptr;
  std::string dataSetName_;
  TDVDatabase* database_ = nullptr;
  sql::LexicalRules lexis_;  // the server type's, until a session is open
  std::array<std::string, 4> texts_;
  std::array<std::unique_ptr<db::TParams>, 4> params_;
  update::TFields fields_;
  db::TRow row_;  // the row tried, as the dataset read it
  std::vector<db::TValue> firstRefresh_;
};

}  // namespace

TDVTryResult TryUpdateObject(TDVDataSetUpdateObject& update, int row) { return TTry(update, row).Run(); }

}  // namespace dralvo
