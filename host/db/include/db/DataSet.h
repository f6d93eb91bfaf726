#pragma once
// TDataSet: a set of records with a current position, fields reading the
// current record, and an edit buffer. Records are held in memory as far as
// they were fetched: a descendant defines the columns in InternalOpen and
// hands over records a packet at a time in InternalFetch (or all at once
// in InternalOpen); it writes changes in InternalPost and InternalDelete.
#include <memory>
#include <string>
#include <vector>

#include "db/FieldDefs.h"
#include "db/FieldType.h"
#include "db/Value.h"
#include "rtl/objects/Component.h"

namespace rtl {
class TStrings;
}

namespace db {

class TIndexDefs;

class TField;
class TDataSource;
using TRow = std::vector<TValue>;

// One change that cached updates keep (see TDataSet::SetCachedUpdates).
struct TCachedUpdate {
  TUpdateKind Kind;
  int Record;   // where the record stood when it was changed (0-based)
  TRow OldRow;  // the record before the change; empty for an insert
  TRow NewRow;  // the record after it; empty for a delete
};

class TDataSet : public rtl::TComponent {
  RTL_CLASS(TDataSet)
 public:
  explicit TDataSet(rtl::TComponent* owner);
  ~TDataSet() override;

  void Open();
  void Close();
  bool Active() const { return state_ != TDataSetState::dsInactive; }
  // While loading, what the form file says; opened once loading ends,
  // except while designing. False: closes, and forgets a stored Active.
  void SetActive(bool active);
  // Active as the module states it: open, or read for design with Active
  // set and not opened (reading a module for design runs no statement; a
  // designer opens the dataset to look at its rows, and a save writes
  // Active back as it was read).
  bool StoredActive() const { return Active() || activeUnopened_; }
  TDataSetState State() const { return state_; }

  void First();
  void Next();
  void Prior();
  void Last();
  bool Eof() const { return eof_; }
  bool Bof() const { return bof_; }
  bool IsEmpty() const { return rows_.empty(); }
  // Fetches every record left, then counts them.
  int RecordCount();
  int RecNo() const { return current_ + 1; }  // 1-based; 0 when empty

  // Records fetched a packet at a time: opening fetches one packet, moving
  // past the last fetched record fetches the next. Below 1: all at open.
  int PacketRecords() const { return packetRecords_; }
  void SetPacketRecords(int count) { packetRecords_ = count; }
  int FetchedCount() const { return static_cast<int>(rows_.size()); }
  bool AllFetched() const { return allFetched_; }
  // Fetches the next packet; false when nothing was left.
  bool FetchMore();
  void FetchAll();
  // A field of any fetched record (0-based), without moving to it or
  // copying it: valid until more records are fetched or the dataset closes.
  const TValue& RecordValue(int record, int field) const;

  int FieldCount() const { return static_cast<int>(fields_.size()); }
  TField* Fields(int index) const;  // raises EListError-style EDatabaseError
  TField* FindField(const std::string& name) const;  // ignores case; null when absent
  // Raises EDatabaseError "DataSet1: Field 'X' not found".
  TField* FieldByName(const std::string& name) const;
  TFieldDefs* FieldDefs() const { return fieldDefs_.get(); }
  void GetFieldNames(rtl::TStrings* list) const;
  // Fields owned by the module rather than made by the dataset (their
  // DataSet names this one), in the order they were attached. When there
  // are any, an open dataset shows exactly these columns.
  const std::vector<TField*>& PersistentFields() const { return persistentFields_; }
  // Fills FieldDefs with the columns the dataset would give, without
  // reading a record where the server allows. Default: keeps FieldDefs.
  virtual void UpdateFieldDefs() {}
  // The dataset's index definitions, which the designer offers for its
  // index properties; null for a dataset without indexes (the default).
  virtual TIndexDefs* IndexDefs() const { return nullptr; }

  void Edit();
  void Insert();
  void Append();
  void Post();
  void Cancel();
  void Delete();

  // Cached updates: while on, Post and Delete keep each change in the
  // dataset, in order, instead of writing it; whoever writes them reads
  // PendingUpdates and then calls CommitUpdates, and CancelUpdates puts the
  // records back as they were. Edits of one record that follow each other
  // make one change. Closing forgets the changes; turning the mode off
  // cancels them.
  bool CachedUpdates() const { return cachedUpdates_; }
  void SetCachedUpdates(bool on);
  bool UpdatesPending() const { return !updates_.empty(); }
  const std::vector<TCachedUpdate>& PendingUpdates() const { return updates_; }
  void CancelUpdates();
  // The changes were written: forgotten, the records keep their values.
  void CommitUpdates();
  // Where the record that pending change `update` touched stands now
  // (0-based); -1 for a record deleted since.
  int CurrentRecordOf(size_t update) const;
  // Makes a fetched record (0-based) the current one.
  void MoveTo(int record);
  // Replaces a field of a fetched record with its value as read again
  // (a refresh after writing): no change of the person's.
  void SetRecordValue(int record, int field, const TValue& value);

  // Used by TField.
  TValue GetFieldValue(int index) const;
  void SetFieldValue(int index, const TValue& value);
  TValue GetOldFieldValue(int index) const;

  void Loaded() override;

 protected:
  // Fills FieldDefs() and perhaps every record (AppendRow). Default: keeps
  // what is there (FieldDefs as defined, no records).
  virtual void InternalOpen() {}
  // Appends up to `count` more records (count below 1: all of them);
  // false once the last one has been handed over. Default: none left.
  virtual bool InternalFetch(int count);
  virtual void InternalClose() {}
  // Writes one change; raise to refuse it (the edit stays pending).
  virtual void InternalPost(TUpdateKind kind, const TRow& oldRow, const TRow& newRow);
  virtual void InternalDelete(const TRow& row);
  // Tells linked data sources that the current record or state changed.
  void DataEvent();

  // Keeps the persistent fields' columns of a record fetched after opening.
  void AppendRow(TRow row);
  // Creates TField objects from FieldDefs (closed datasets too), or binds
  // the persistent fields to their columns.
  void CreateFields();
  void DestroyFields();
  void CheckActive() const;
  void CheckInactive() const;
  // "DataSet1" or the class name when unnamed, for messages.
  std::string DisplayNameForErrors() const;

 private:
  friend class TDataSource;
  friend class TField;
  void CheckBrowse() const;
  // Keeps a change of cached updates (CachedUpdates.cpp).
  void KeepUpdate(TUpdateKind kind, int record, const TRow& oldRow, const TRow& newRow);
  void BindPersistentFields();
  void AttachField(TField* field);
  void DetachField(TField* field);
  const TRow* CurrentRow() const;

  std::unique_ptr<TFieldDefs> fieldDefs_;
  std::vector<TField*> fields_;  // the default or the persistent ones
  std::vector<std::unique_ptr<TField>> defaultFields_;
  std::vector<TField*> persistentFields_;  // owned by the module
  std::vector<TRow> rows_;
  // Columns of a fetched record that the persistent fields take, in their
  // order; empty when the dataset's own fields show every column.
  std::vector<size_t> projection_;
  int packetRecords_ = 100;
  bool allFetched_ = true;
  TRow buffer_;  // the record being edited or inserted
  int current_ = -1;
  int insertAt_ = -1;
  bool eof_ = true;
  bool bof_ = true;
  bool streamedActive_ = false;
  bool activeUnopened_ = false;  // see StoredActive
  bool cachedUpdates_ = false;
  std::vector<TCachedUpdate> updates_;
  TDataSetState state_ = TDataSetState::dsInactive;
  std::vector<TDataSource*> sources_;
};

}  // namespace db
