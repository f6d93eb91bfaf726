// Cached updates of TDataSet: changes kept in order with the record's place
// at the time, so that undoing them from the last to the first puts every
// record back where it was; a change joins an earlier one of its record only
// where that keeps every place right.
#include "db/DataSet.h"
#include "db/Exceptions.h"

namespace db {

void TDataSet::SetCachedUpdates(bool on) {
  if (!on && UpdatesPending()) CancelUpdates();
  cachedUpdates_ = on;
}

void TDataSet::KeepUpdate(TUpdateKind kind, int record, const TRow& oldRow, const TRow& newRow) {
  if (kind == TUpdateKind::ukModify) {
    // Edits of other records move no record, so the record's own latest
    // change behind them still names its place: the edit joins it.
    for (auto it = updates_.rbegin(); it != updates_.rend(); ++it) {
      if (it->Kind == TUpdateKind::ukModify && it->Record != record) continue;
      if (it->Record == record && it->Kind != TUpdateKind::ukDelete) {
        it->NewRow = newRow;
        return;
      }
      break;
    }
  }
  // A delete joins only the last change: dropping an earlier one would
  // move the records that later changes name.
  TCachedUpdate* last = updates_.empty() || updates_.back().Record != record ? nullptr : &updates_.back();
  if (kind == TUpdateKind::ukDelete && last != nullptr && last->Kind != TUpdateKind::ukDelete) {
    // A record inserted and deleted again was never there; one edited and
    // then deleted is deleted as it was read.
    if (last->Kind == TUpdateKind::ukInsert) {
      updates_.pop_back();
    } else {
      last->Kind = TUpdateKind::ukDelete;
      last->NewRow.clear();
    }
    return;
  }
  updates_.push_back({kind, record, oldRow, newRow});
}

void TDataSet::CancelUpdates() {
  if (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert) Cancel();
  for (auto it = updates_.rbegin(); it != updates_.rend(); ++it) {
    const auto at = rows_.begin() + it->Record;
    switch (it->Kind) {
      case TUpdateKind::ukModify: *at = it->OldRow; break;
      case TUpdateKind::ukInsert: rows_.erase(at); break;
      case TUpdateKind::ukDelete: rows_.insert(at, it->OldRow); break;
    }
  }
  updates_.clear();
  if (current_ >= static_cast<int>(rows_.size())) current_ = static_cast<int>(rows_.size()) - 1;
  if (current_ < 0 && !rows_.empty()) current_ = 0;
  eof_ = rows_.empty();
  bof_ = current_ <= 0;
  DataEvent();
}

void TDataSet::CommitUpdates() { updates_.clear(); }

int TDataSet::CurrentRecordOf(size_t update) const {
  if (update >= updates_.size() || updates_[update].Kind == TUpdateKind::ukDelete) return -1;
  int record = updates_[update].Record;
  for (size_t later = update + 1; later < updates_.size(); ++later) {
    const TCachedUpdate& u = updates_[later];
    if (u.Kind == TUpdateKind::ukInsert && u.Record <= record) ++record;
    if (u.Kind == TUpdateKind::ukDelete && u.Record == record) return -1;
    if (u.Kind == TUpdateKind::ukDelete && u.Record < record) --record;
  }
  return record;
}

void TDataSet::MoveTo(int record) {
  CheckBrowse();
  if (record < 0 || record >= FetchedCount()) DatabaseError(DisplayNameForErrors() + ": Record index out of range");
  current_ = record;
  eof_ = bof_ = false;
  DataEvent();
}

void TDataSet::SetRecordValue(int record, int field, const TValue& value) {
  if (record < 0 || record >= FetchedCount() || field < 0 || field >= FieldCount())
    DatabaseError(DisplayNameForErrors() + ": Record or field index out of range");
  TRow& row = rows_[static_cast<size_t>(record)];
  if (static_cast<size_t>(field) < row.size()) row[static_cast<size_t>(field)] = value;
}

}  // namespace db
