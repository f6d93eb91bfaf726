// Cached updates: changes kept in the dataset in order, one per record where
// edits follow each other, the place each record stands at now, and Cancel
// putting every record back where it was read.
#include <gtest/gtest.h>

#include "db/Field.h"
#include "db/MemDataSet.h"

namespace {

std::unique_ptr<db::TMemDataSet> Numbers() {
  auto ds = std::make_unique<db::TMemDataSet>();
  ds->FieldDefs()->AddFieldDef("N", db::TFieldType::ftInteger);
  for (int n = 1; n <= 4; ++n) ds->AddRecord({db::TValue(n * 10)});
  ds->Open();
  ds->SetCachedUpdates(true);
  return ds;
}

std::string Records(const db::TDataSet& ds) {
  std::string out;
  for (int r = 0; r < ds.FetchedCount(); ++r) out += (out.empty() ? "" : " ") + ds.RecordValue(r, 0).AsString();
  return out;
}

std::string Changes(const db::TDataSet& ds) {
  const char* kinds[] = {"modify", "insert", "delete"};
  std::string out;
  for (size_t i = 0; i < ds.PendingUpdates().size(); ++i) {
    const db::TCachedUpdate& u = ds.PendingUpdates()[i];
    out += std::string(out.empty() ? "" : " ") + kinds[static_cast<int>(u.Kind)] + "@" +
           std::to_string(ds.CurrentRecordOf(i)) + (u.OldRow.empty() ? "" : "<" + u.OldRow[0].AsString()) +
           (u.NewRow.empty() ? "" : ">" + u.NewRow[0].AsString());
  }
  return out;
}

void Set(db::TDataSet& ds, int record, int value) {
  ds.MoveTo(record);
  ds.Edit();
  ds.Fields(0)->SetValue(value);
  ds.Post();
}

void InsertAt(db::TDataSet& ds, int record, int value) {
  ds.MoveTo(record);
  ds.Insert();
  ds.Fields(0)->SetValue(value);
  ds.Post();
}

TEST(CachedUpdates, ChangesKeepTheirPlacesAndCancelPutsEveryRecordBack) {
  auto ds = Numbers();
  Set(*ds, 0, 11);
  Set(*ds, 0, 12);   // joins the edit before it
  InsertAt(*ds, 1, 15);
  Set(*ds, 3, 31);   // record 30, moved down by the insert
  Set(*ds, 1, 16);   // joins the insert, past the edit of another record
  ds->MoveTo(0);
  ds->Delete();      // after the insert: a change of its own, record 12 as it is now
  InsertAt(*ds, 2, 99);
  ds->MoveTo(2);
  ds->Delete();      // inserted and deleted again: never there
  EXPECT_EQ(Records(*ds), "16 20 31 40");
  EXPECT_EQ(Changes(*ds), "modify@-1<10>12 insert@0>16 modify@2<30>31 delete@-1<12");
  ds->CancelUpdates();
  EXPECT_FALSE(ds->UpdatesPending());
  EXPECT_EQ(Records(*ds), "10 20 30 40");

  Set(*ds, 3, 41);
  ds->CommitUpdates();  // written: the records keep their values
  EXPECT_EQ(Records(*ds), "10 20 30 41");
  Set(*ds, 0, 1);
  ds->Close();  // closing forgets the changes
  ds->Open();
  EXPECT_FALSE(ds->UpdatesPending());
}

}  // namespace
