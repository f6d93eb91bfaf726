// Update objects: attaching to datasets, and generated-style statements
// run for the current record against a real SQLite file.
#include <gtest/gtest.h>

#include "Fixture.h"
#include "db/Field.h"

namespace {

using dralvo::TDVServerType;

TEST(UpdateObject, AttachDetachAndFreeNotification) {
  dvtest::TestForm form;
  auto* q1 = new dralvo::TDVQuery(form.root.get());
  auto* q2 = new dralvo::TDVQuery(form.root.get());
  auto* u = new dralvo::TDVUpdateSQL(form.root.get());
  EXPECT_EQ(u->DataSet(), nullptr);
  q1->SetUpdateObject(u);
  EXPECT_EQ(u->DataSet(), q1);
  // One update object serves one dataset.
  q2->SetUpdateObject(u);
  EXPECT_EQ(u->DataSet(), q2);
  EXPECT_EQ(q1->UpdateObject(), nullptr);
  delete q2;
  EXPECT_EQ(u->DataSet(), nullptr);
  q1->SetUpdateObject(u);
  delete u;
  EXPECT_EQ(q1->UpdateObject(), nullptr);

  auto* u2 = new dralvo::TDVUpdateSQL(form.root.get());
  u2->SetDataSet(q1);
  EXPECT_EQ(q1->UpdateObject(), u2);
  u2->SetDataSet(nullptr);
  EXPECT_EQ(q1->UpdateObject(), nullptr);
  // The published reference property goes through the same setter.
  const rtl::TPropInfo* prop = dralvo::TDVQuery::StaticClass().FindProperty("UpdateObject");
  ASSERT_NE(prop, nullptr);
  prop->SetObj(*q1, u2);
  EXPECT_EQ(u2->DataSet(), q1);
  EXPECT_THROW(prop->SetObj(*q1, q1), rtl::EInvalidCast);
}

TEST(UpdateObject, StatementIndexes) {
  dvtest::TestForm form;
  auto* u = new dralvo::TDVUpdateSQL(form.root.get());
  EXPECT_EQ(u->GetSQLIndex(0), u->RefreshSQL());
  EXPECT_EQ(u->GetSQLIndex(1), u->ModifySQL());
  EXPECT_EQ(u->GetSQLIndex(2), u->InsertSQL());
  EXPECT_EQ(u->GetSQLIndex(3), u->DeleteSQL());
  EXPECT_EQ(u->GetSQLIndex(4), nullptr);
  EXPECT_EQ(u->GetSQLIndex(-1), nullptr);
}

class SQLiteRoundTrip : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = dir_.File("rt.db");
    dvtest::MakeSQLiteFile(file_,
                           "create table \"Order Lines\"(\"Order\" int, \"Line\" int, \"Qty\" int, \"Note\" text,"
                           " primary key(\"Order\", \"Line\"));"
                           "insert into \"Order Lines\" values (1, 1, 5, 'a'), (1, 2, 6, 'b'), (2, 1, 7, 'c');");
    form_.AddDatabase("RT", TDVServerType::stSQLite, file_);
    q_ = new dralvo::TDVQuery(form_.root.get());
    q_->SetDatabaseName("RT");
    q_->SQL()->SetText("select * from \"Order Lines\" order by \"Order\", \"Line\"");
    u_ = new dralvo::TDVUpdateSQL(form_.root.get());
    u_->SetName("UpdateSQL1");
    u_->ModifySQL()->SetText(
        "update \"Order Lines\"\nset\n  \"Order\" = :\"Order\",\n  \"Line\" = :Line,\n  Qty = :Qty,\n  Note = :Note\n"
        "where\n  \"Order\" = :\"OLD_Order\" and\n  Line = :OLD_Line");
    u_->InsertSQL()->SetText(
        "insert into \"Order Lines\"\n  (\"Order\", Line, Qty, Note)\nvalues\n  (:\"Order\", :Line, :Qty, :Note)");
    u_->DeleteSQL()->SetText("delete from \"Order Lines\"\nwhere\n  \"Order\" = :\"OLD_Order\" and\n  Line = :OLD_Line");
    q_->SetUpdateObject(u_);
    q_->Open();
  }
  std::vector<std::string> Rows() {
    return dvtest::SQLiteColumn(file_,
                                "select \"Order\" || '/' || Line || '/' || Qty || '/' || coalesce(Note, '-') from "
                                "\"Order Lines\" order by 1");
  }
  dvtest::TempDir dir_;
  std::string file_;
  dvtest::TestForm form_;
  dralvo::TDVQuery* q_ = nullptr;
  dralvo::TDVUpdateSQL* u_ = nullptr;
};

TEST_F(SQLiteRoundTrip, ModifyChangingTheKeyUsesOldValues) {
  q_->Next();  // 1/2
  q_->Edit();
  q_->FieldByName("Line")->SetAsInteger(9);
  q_->FieldByName("Note")->SetAsString("it's changed");
  EXPECT_EQ(q_->FieldByName("Line")->OldValue().AsInteger(), 2);
  q_->Post();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1/1/5/a", "1/9/6/it's changed", "2/1/7/c"}));
}

TEST_F(SQLiteRoundTrip, InsertAndDelete) {
  q_->Append();
  q_->FieldByName("Order")->SetAsInteger(3);
  q_->FieldByName("Line")->SetAsInteger(1);
  q_->FieldByName("Qty")->SetAsInteger(1);
  q_->Post();
  q_->First();
  q_->Delete();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1/2/6/b", "2/1/7/c", "3/1/1/-"}));
  EXPECT_EQ(q_->RecordCount(), 3);
}

TEST_F(SQLiteRoundTrip, ApplyForTheCurrentRecordAndFailuresKeepTheEdit) {
  // Apply runs a statement for the current record outside Post as well.
  q_->Last();
  u_->Apply(db::TUpdateKind::ukDelete);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1/1/5/a", "1/2/6/b"}));
  // The record is gone on the server: its update affects nothing and fails.
  q_->Edit();
  q_->FieldByName("Qty")->SetAsInteger(70);
  try {
    q_->Post();
    FAIL() << "an update that matched no row passed";
  } catch (const rtl::EDatabaseError& e) {
    EXPECT_NE(e.Message().find("UpdateSQL1"), std::string::npos);
  }
  EXPECT_EQ(q_->State(), db::TDataSetState::dsEdit);
  q_->Cancel();
  // A missing statement and a parameter naming no field are clear errors.
  u_->DeleteSQL()->Clear();
  EXPECT_THROW(q_->Delete(), rtl::EDatabaseError);
  u_->ModifySQL()->SetText("update \"Order Lines\" set Qty = :NoSuchField");
  q_->First();
  q_->Edit();
  try {
    q_->Post();
    FAIL();
  } catch (const rtl::EDatabaseError& e) {
    EXPECT_NE(e.Message().find("NoSuchField"), std::string::npos);
  }
  q_->Cancel();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1/1/5/a", "1/2/6/b"}));
}

}  // namespace
