// The in-memory dataset machinery: navigation, edit buffer, old values,
// data links.
#include <gtest/gtest.h>

#include "db/DataSource.h"
#include "db/Field.h"
#include "db/MemDataSet.h"
#include "rtl/text/Strings.h"

namespace {

std::unique_ptr<db::TMemDataSet> People() {
  auto ds = std::make_unique<db::TMemDataSet>();
  ds->SetName("People");
  ds->FieldDefs()->AddFieldDef("ID", db::TFieldType::ftInteger);
  ds->FieldDefs()->AddFieldDef("Name", db::TFieldType::ftString);
  ds->AddRecord({db::TValue(1), db::TValue("Ann")});
  ds->AddRecord({db::TValue(2), db::TValue("Bob")});
  ds->AddRecord({db::TValue(3)});  // short rows are padded with nulls
  return ds;
}

TEST(DataSet, NavigatesAndReports) {
  auto ds = People();
  EXPECT_THROW(ds->RecordCount(), rtl::EDatabaseError);
  ds->Open();
  EXPECT_EQ(ds->RecordCount(), 3);
  EXPECT_TRUE(ds->Bof());
  std::vector<std::string> names;
  for (ds->First(); !ds->Eof(); ds->Next()) names.push_back(ds->FieldByName("name")->AsString());
  EXPECT_EQ(names, (std::vector<std::string>{"Ann", "Bob", ""}));
  EXPECT_TRUE(ds->FieldByName("NAME")->IsNull());
  EXPECT_EQ(ds->RecNo(), 3);
  ds->Prior();
  EXPECT_EQ(ds->Fields(0)->AsInteger(), 2);
  rtl::TStringList list;
  ds->GetFieldNames(&list);
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"ID", "Name"}));
  try {
    ds->FieldByName("Missing");
    FAIL();
  } catch (const rtl::EDatabaseError& e) {
    EXPECT_NE(e.Message().find("Missing"), std::string::npos);
    EXPECT_NE(e.Message().find("People"), std::string::npos);
  }
  EXPECT_EQ(ds->FindField("missing"), nullptr);
  EXPECT_THROW(ds->Fields(5), rtl::EDatabaseError);
  ds->Close();
  EXPECT_THROW(ds->Fields(0)->AsString(), rtl::EDatabaseError);
  ds->Open();  // records are kept across open
  EXPECT_EQ(ds->RecordCount(), 3);
}

TEST(DataSet, EditInsertCancelDeleteAndOldValues) {
  auto ds = People();
  ds->Open();
  EXPECT_THROW(ds->Fields(1)->SetAsString("x"), rtl::EDatabaseError);  // not editing
  ds->Edit();
  EXPECT_EQ(ds->State(), db::TDataSetState::dsEdit);
  ds->FieldByName("Name")->SetAsString("Anna");
  EXPECT_EQ(ds->FieldByName("Name")->AsString(), "Anna");
  EXPECT_EQ(ds->FieldByName("Name")->OldValue().AsString(), "Ann");
  EXPECT_THROW(ds->Next(), rtl::EDatabaseError);  // a pending edit blocks moving
  ds->Cancel();
  EXPECT_EQ(ds->FieldByName("Name")->AsString(), "Ann");
  ds->Edit();
  ds->FieldByName("Name")->SetAsString("Anna");
  ds->Post();
  EXPECT_EQ(ds->FieldByName("Name")->OldValue().AsString(), "Anna");

  ds->Last();
  ds->Append();
  EXPECT_TRUE(ds->FieldByName("ID")->OldValue().IsNull());
  ds->FieldByName("ID")->SetAsInteger(4);
  ds->Post();
  EXPECT_EQ(ds->RecordCount(), 4);
  EXPECT_EQ(ds->Fields(0)->AsInteger(), 4);
  ds->First();
  ds->Insert();
  ds->Fields(0)->SetAsInteger(0);
  ds->Post();
  ds->First();
  EXPECT_EQ(ds->Fields(0)->AsInteger(), 0);
  ds->Delete();
  EXPECT_EQ(ds->Fields(0)->AsInteger(), 1);
  EXPECT_EQ(ds->RecordCount(), 4);
  while (!ds->IsEmpty()) ds->Delete();
  EXPECT_TRUE(ds->Eof());
  EXPECT_THROW(ds->Delete(), rtl::EDatabaseError);
  EXPECT_TRUE(ds->Fields(0)->IsNull());
}

class CountingLink : public db::TDataLink {
 public:
  void DataChanged() override { ++changes; }
  int changes = 0;
};

TEST(DataSource, LinksHearOfScrollingAndFreeing) {
  rtl::TComponent root(nullptr);
  auto* ds = new db::TMemDataSet(&root);
  ds->FieldDefs()->AddFieldDef("A", db::TFieldType::ftInteger);
  ds->AddRecord({db::TValue(1)});
  ds->AddRecord({db::TValue(2)});
  auto* source = new db::TDataSource(&root);
  CountingLink link;
  link.SetDataSource(source);
  source->SetDataSet(ds);
  EXPECT_FALSE(link.Active());
  int before = link.changes;
  ds->Open();
  ds->Next();
  EXPECT_TRUE(link.Active());
  EXPECT_GT(link.changes, before);
  source->SetEnabled(false);
  EXPECT_FALSE(link.Active());
  before = link.changes;
  ds->First();
  EXPECT_EQ(link.changes, before);
  source->SetEnabled(true);
  delete ds;
  EXPECT_EQ(source->DataSet(), nullptr);
  EXPECT_EQ(link.DataSet(), nullptr);
  delete source;
  EXPECT_EQ(link.DataSource(), nullptr);
}

TEST(DataSet, ActiveReadFromAFormWaitsForLoaded) {
  auto ds = People();
  ds->SetLoadingState(true);
  ds->SetActive(true);
  EXPECT_FALSE(ds->Active());
  ds->Loaded();
  EXPECT_TRUE(ds->Active());
}

}  // namespace
