#include "dralvo/ApplyUpdates.h"

#include <algorithm>
#include <array>
#include <memory>

#include "UpdateRun.h"
#include "db/Field.h"
#include "dralvo/DataSet.h"
#include "dralvo/Database.h"
#include "drivers/Driver.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

namespace {

constexpr const char* kVerbs[] = {"read", "changed", "inserted", "deleted"};

// A change bound to its statement before anything runs.
struct TPlanned {
  int Slot;
  std::unique_ptr<db::TParams> Params;
};

class TApplier {
 public:
  explicit TApplier(TDVDataSet& dataSet)
      : dataSet_(dataSet), name_(dataSet.Name().empty() ? dataSet.ClassName() : dataSet.Name()) {}

  TDVApplyResult Run() {
    if (dataSet_.State() == db::TDataSetState::dsEdit || dataSet_.State() == db::TDataSetState::dsInsert)
      dataSet_.Post();
    if (!dataSet_.UpdatesPending()) {
      result_.Committed = true;
      return result_;
    }
    try {
      if (Prepare()) Write();
    } catch (const rtl::Exception& e) {
      result_.Refusal = e.what();
    }
    if (result_.Committed) Refresh();
    return result_;
  }

 private:
  // The statements each change needs and their parameters, and a writer
  // that can roll them back; false (with the refusal) when not.
  bool Prepare() {
    update_ = dataSet_.UpdateObject();
    if (update_ == nullptr) return Refuse(name_ + " has no update object to write its changes");
    database_ = dataSet_.Database();
    lexis_ = DialectOf(database_->ServerType()).Lexis;
    for (int i = 0; i < dataSet_.FieldCount(); ++i) {
      fields_.Names.push_back(dataSet_.Fields(i)->FieldName());
      fields_.Types.push_back(dataSet_.Fields(i)->DataType());
    }
    std::array<bool, 4> used{};
    for (const db::TCachedUpdate& u : dataSet_.PendingUpdates()) used[static_cast<size_t>(update::SlotOf(u.Kind))] = true;
    refresh_ = !rtl::Trim(update_->RefreshSQL()->Text()).empty();
    used[update::kRefresh] = refresh_;
    std::vector<std::string> texts;
    for (int slot = 0; slot < 4; ++slot) {
      if (!used[static_cast<size_t>(slot)]) continue;
      if (std::string why = update::WhyNotRunnable(*update_, slot, lexis_); !why.empty()) return Refuse(why);
      texts.push_back(update_->GetSQLIndex(slot)->Text());
    }
    for (const db::TCachedUpdate& u : dataSet_.PendingUpdates()) {
      TPlanned planned{update::SlotOf(u.Kind), std::make_unique<db::TParams>()};
      if (std::string stray = update::Bind(Text(planned.Slot), lexis_, fields_, u.OldRow, u.NewRow, *planned.Params);
          !stray.empty())
        return Refuse(std::string("the ") + update::SlotName(planned.Slot) + " statement's parameter :" + stray +
                      " matches no field of " + name_);
      planned_.push_back(std::move(planned));
    }
    // A statement still reading would keep the writer from committing.
    if (database_->Connected() && database_->Connection().ReadingHoldsOffWriters()) dataSet_.FetchAll();
    writer_ = database_->OpenAnother();
    if (std::string why = update::WhyNotRolledBack(*writer_, texts); !why.empty()) return Refuse(why);
    return true;
  }

  bool Refuse(const std::string& why) {
    result_.Refusal = why;
    return false;
  }

  std::string Text(int slot) const { return update_->GetSQLIndex(slot)->Text(); }

  TDVAppliedStatement& Log(int slot, const db::TParams& params) {
    TDVAppliedStatement& s = result_.Statements.emplace_back();
    s.Statement = update::SlotName(slot);
    s.Sql = Text(slot);
    for (int i = 0; i < params.Count(); ++i) s.Params.emplace_back(params.Items(i)->Name(), params.Items(i)->Value());
    return s;
  }

  // Every change in one transaction, committed only when each statement
  // touched exactly one row.
  void Write() {
    writer_->Execute("begin", {});
    for (size_t k = 0; k < planned_.size(); ++k) {
      const TPlanned& p = planned_[k];
      TDVAppliedStatement& s = Log(p.Slot, *p.Params);
      try {
        s.Rows = update::Run(*writer_, database_->DatabaseName(), s.Sql, *p.Params).RowsAffected;
      } catch (const EDVWaitExpired& e) {
        s.Problem = "waited for a lock or the server beyond the database's time-out";
        s.ServerMessage = e.what();
      } catch (const rtl::Exception& e) {
        s.Problem = "refused by the server";
        s.ServerMessage = e.what();
      }
      if (s.Problem.empty() && s.Rows == 0)
        s.Problem = std::string("expected 1: ") +
                    (p.Slot == update::kInsert ? "the insert statement added none"
                                               : "the record was changed or deleted since it was read, or the where "
                                                 "clause does not find it");
      else if (s.Problem.empty() && s.Rows > 1)
        s.Problem = "expected 1: the where clause does not pin one row";
      if (s.Problem.empty()) continue;
      RollBack();
      const std::string rows = s.Rows < 0 ? std::string()
                                           : std::to_string(s.Rows) + (s.Rows == 1 ? " row " : " rows ") +
                                                 kVerbs[p.Slot] + ", ";
      result_.Refusal = "change " + std::to_string(k + 1) + " (" + s.Statement + "): " + rows + s.Problem +
                        (s.ServerMessage.empty() ? "" : ": " + s.ServerMessage) + "; rolled back, nothing was written";
      return;
    }
    try {
      writer_->Execute("commit", {});
    } catch (const rtl::Exception& e) {
      result_.Refusal = std::string("the server did not commit the changes: ") + e.what();
      return;
    }
    result_.Committed = true;
  }

  // A rollback that fails means the connection is gone, and with it the
  // transaction.
  void RollBack() {
    try {
      writer_->Execute("rollback", {});
    } catch (const rtl::Exception&) {
    }
  }

  // Each record written reads again as the server stored it.
  void Refresh() {
    std::vector<int> records;
    const std::vector<db::TCachedUpdate>& updates = dataSet_.PendingUpdates();
    for (size_t k = 0; k < updates.size(); ++k)
      if (int record = dataSet_.CurrentRecordOf(k); record >= 0 && std::find(records.begin(), records.end(), record) == records.end())
        records.push_back(record);
    dataSet_.CommitUpdates();
    if (!refresh_) return;
    for (int record : records) {
      db::TRow values;
      for (int i = 0; i < dataSet_.FieldCount(); ++i) values.push_back(dataSet_.RecordValue(record, i));
      db::TParams params;
      update::Bind(Text(update::kRefresh), lexis_, fields_, values, values, params);
      TDVAppliedStatement& s = Log(update::kRefresh, params);
      try {
        const TDVResult r = update::Run(*writer_, database_->DatabaseName(), s.Sql, params);
        s.Rows = static_cast<int64_t>(r.Rows.size());
        if (s.Rows != 1) {
          s.Problem = "expected 1: the record shows the values written";
          continue;
        }
        for (size_t c = 0; c < r.Columns.size(); ++c)
          if (const int field = fields_.IndexOf(r.Columns[c].Name); field >= 0)
            dataSet_.SetRecordValue(record, field, r.Rows[0][c]);
      } catch (const rtl::Exception& e) {
        s.Problem = "refused by the server: the record shows the values written";
        s.ServerMessage = e.what();
      }
    }
  }

  TDVDataSet& dataSet_;
  const std::string name_;
  TDVDataSetUpdateObject* update_ = nullptr;
  TDVDatabase* database_ = nullptr;
  sql::LexicalRules lexis_;
  update::TFields fields_;
  bool refresh_ = false;
  std::vector<TPlanned> planned_;
  std::unique_ptr<TDVConnection> writer_;
  TDVApplyResult result_;
};

}  // namespace

TDVApplyResult ApplyCachedUpdates(TDVDataSet& dataSet) { return TApplier(dataSet).Run(); }

}  // namespace dralvo
