// Values, parameters and index definitions.
#include <gtest/gtest.h>

#include <cmath>

#include "db/IndexDefs.h"
#include "db/Params.h"
#include "db/Value.h"

namespace {

TEST(Value, Conversions) {
  struct Row {
    db::TValue value;
    std::string text;
    int64_t integer;
    double real;
  };
  const Row rows[] = {
      {db::TValue(), "", 0, 0.0},
      {db::TValue(int64_t{-42}), "-42", -42, -42.0},
      {db::TValue(2.5), "2.5", 3, 2.5},
      {db::TValue(" 17 "), " 17 ", 17, 17.0},
      {db::TValue(true), "1", 1, 1.0},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(r.value.AsString(), r.text);
    EXPECT_EQ(r.value.AsInteger(), r.integer) << r.text;
    EXPECT_DOUBLE_EQ(r.value.AsFloat(), r.real) << r.text;
  }
  EXPECT_THROW(db::TValue("abc").AsInteger(), rtl::EConvertError);
  EXPECT_THROW(db::TValue("1.5x").AsFloat(), rtl::EConvertError);
  EXPECT_THROW(db::TValue("maybe").AsBoolean(), rtl::EConvertError);
  EXPECT_TRUE(db::TValue("TRUE").AsBoolean());
  EXPECT_FALSE(db::TValue("f").AsBoolean());
  EXPECT_EQ(db::TValue(0.1).AsString(), "0.1");
  EXPECT_EQ(db::TValue(1e300).AsFloat(), 1e300);
}

TEST(Params, BoundValuesFollowTheDataType) {
  db::TParams params;
  db::TParam* id = params.CreateParam(db::TFieldType::ftInteger, "ID", db::TParamType::ptInput);
  id->SetValue(db::TValue("12"));
  EXPECT_TRUE(id->BoundValue().IsInteger());
  EXPECT_EQ(id->BoundValue().AsInteger(), 12);
  db::TParam* amount = params.CreateParam(db::TFieldType::ftFloat, "Amount", db::TParamType::ptInput);
  amount->SetValue(db::TValue("x"));
  try {
    amount->BoundValue();
    FAIL();
  } catch (const rtl::EDatabaseError& e) {
    EXPECT_NE(e.Message().find("Amount"), std::string::npos);
  }
  db::TParam* untyped = params.CreateParam(db::TFieldType::ftUnknown, "Note", db::TParamType::ptInput);
  untyped->SetAsInteger(5);
  EXPECT_EQ(untyped->DataType(), db::TFieldType::ftInteger);
  EXPECT_EQ(params.FindParam("note"), untyped);
  EXPECT_THROW(params.ParamByName("nothing"), rtl::EDatabaseError);

  db::TParams other;
  other.CreateParam(db::TFieldType::ftUnknown, "id", db::TParamType::ptInput);
  other.CreateParam(db::TFieldType::ftUnknown, "extra", db::TParamType::ptInput);
  other.AssignValues(params);
  EXPECT_EQ(other.ParamByName("ID")->AsInteger(), 12);
  EXPECT_EQ(other.ParamByName("ID")->DataType(), db::TFieldType::ftInteger);
  EXPECT_TRUE(other.ParamByName("extra")->IsNull());
  // The published Value is the text form streamed in form files.
  const rtl::TPropInfo* value = db::TParam::StaticClass().FindProperty("Value");
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->GetStr(*id), "12");
}

TEST(IndexDefs, FieldListsAndLookUps) {
  EXPECT_EQ(db::SplitFieldNames(" A; B ;;C"), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_TRUE(db::SplitFieldNames("").empty());
  db::TIndexDefs defs;
  defs.AddIndexDef("ByName", "Name;ID", db::ixUnique);
  defs.AddIndexDef("PK", "ID", db::ixPrimary | db::ixUnique);
  EXPECT_EQ(defs.GetPrimary()->Name(), "PK");
  EXPECT_EQ(defs.IndexOf("byname"), 0);
  EXPECT_EQ(defs.FindIndexForFields("name")->Name(), "ByName");
  EXPECT_EQ(defs.FindIndexForFields("ID")->Name(), "PK");
  EXPECT_EQ(defs.FindIndexForFields("ID;Name"), nullptr);
}

}  // namespace
