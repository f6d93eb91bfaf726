// Registration look-ups: which registration answers, table-driven.
#include <gtest/gtest.h>

#include <functional>

#include "TestClasses.h"
#include "designide/Registration.h"

namespace {

using namespace dvtest;
using designide::FindPropertyEditorClass;

// Registrations made by the test program itself belong to no package.
class LookupTest : public ::testing::Test {
 protected:
  void SetUp() override { designide::UnregisterPackage(nullptr); }
  void TearDown() override { designide::UnregisterPackage(nullptr); }
};

const rtl::TTypeInfo& Str() { return rtl::TypeInfoString(); }
const rtl::TTypeInfo& Strings() { return rtl::ClassTypeInfo(rtl::TStrings::StaticClass()); }

struct TPropertyRow {
  const char* Name;
  std::function<void()> Register;   // registers editors E1, E2, ...
  const rtl::TClass& Component;     // the component asked about
  std::function<const rtl::TTypeInfo&()> Type;
  const char* Property;
  int Expected;                     // the editor number, 0 for none
};

TEST_F(LookupTest, PropertyEditorPrecedence) {
  using designide::RegisterPropertyEditor;
  auto E = [](int n) -> const rtl::TClass& { return PropertyEditorClass(n); };
  const TPropertyRow rows[] = {
      {"type only", [&] { RegisterPropertyEditor(Str(), nullptr, "", E(1)); }, TLeaf::StaticClass(), Str, "Text", 1},
      {"name and class beat class beat type, registered best first",
       [&] {
         RegisterPropertyEditor(Str(), &TBase::StaticClass(), "Text", E(1));
         RegisterPropertyEditor(Str(), &TBase::StaticClass(), "", E(2));
         RegisterPropertyEditor(Str(), nullptr, "", E(3));
       },
       TLeaf::StaticClass(), Str, "Text", 1},
      {"name and class beat class beat type, registered best last",
       [&] {
         RegisterPropertyEditor(Str(), nullptr, "", E(3));
         RegisterPropertyEditor(Str(), &TBase::StaticClass(), "", E(2));
         RegisterPropertyEditor(Str(), &TBase::StaticClass(), "Text", E(1));
       },
       TLeaf::StaticClass(), Str, "Text", 1},
      {"class only beats type only",
       [&] {
         RegisterPropertyEditor(Str(), &TBase::StaticClass(), "", E(1));
         RegisterPropertyEditor(Str(), nullptr, "", E(2));
       },
       TMid::StaticClass(), Str, "Text", 1},
      {"name without class beats class without name",
       [&] {
         RegisterPropertyEditor(Str(), nullptr, "Text", E(1));
         RegisterPropertyEditor(Str(), &TLeaf::StaticClass(), "", E(2));
       },
       TLeaf::StaticClass(), Str, "Text", 1},
      {"nearer class beats farther ancestor whatever the order",
       [&] {
         RegisterPropertyEditor(Str(), &TMid::StaticClass(), "Text", E(1));
         RegisterPropertyEditor(Str(), &TBase::StaticClass(), "Text", E(2));
       },
       TLeaf::StaticClass(), Str, "Text", 1},
      {"later wins among equals",
       [&] {
         RegisterPropertyEditor(Str(), &TMid::StaticClass(), "Text", E(1));
         RegisterPropertyEditor(Str(), &TMid::StaticClass(), "TEXT", E(2));
       },
       TLeaf::StaticClass(), Str, "Text", 2},
      {"name ignores case", [&] { RegisterPropertyEditor(Str(), &TBase::StaticClass(), "tExT", E(1)); },
       TBase::StaticClass(), Str, "Text", 1},
      {"other name does not match", [&] { RegisterPropertyEditor(Str(), &TBase::StaticClass(), "Caption", E(1)); },
       TBase::StaticClass(), Str, "Text", 0},
      {"descendant registration does not serve the ancestor",
       [&] { RegisterPropertyEditor(Str(), &TLeaf::StaticClass(), "Text", E(1)); }, TMid::StaticClass(), Str, "Text",
       0},
      {"unrelated class does not match", [&] { RegisterPropertyEditor(Str(), &TOther::StaticClass(), "", E(1)); },
       TBase::StaticClass(), Str, "Text", 0},
      {"other type does not match", [&] { RegisterPropertyEditor(rtl::TypeInfoBoolean(), nullptr, "Text", E(1)); },
       TBase::StaticClass(), Str, "Text", 0},
      {"editor for TStrings serves a TStringList property",
       [&] { RegisterPropertyEditor(Strings(), nullptr, "", E(1)); }, TBase::StaticClass(), StringListType, "Lines",
       1},
      {"exact class type beats ancestor class type",
       [&] {
         RegisterPropertyEditor(StringListType(), nullptr, "", E(1));
         RegisterPropertyEditor(Strings(), nullptr, "", E(2));
       },
       TBase::StaticClass(), StringListType, "Lines", 1},
      {"class-type registration does not serve its ancestor type",
       [&] { RegisterPropertyEditor(StringListType(), nullptr, "", E(1)); }, TBase::StaticClass(), Strings, "Lines",
       0},
      {"component class outranks type nearness",
       [&] {
         RegisterPropertyEditor(Strings(), &TLeaf::StaticClass(), "", E(1));
         RegisterPropertyEditor(StringListType(), &TBase::StaticClass(), "", E(2));
       },
       TLeaf::StaticClass(), StringListType, "Lines", 1},
      {"nothing registered", [] {}, TBase::StaticClass(), Str, "Text", 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    designide::UnregisterPackage(nullptr);
    row.Register();
    const rtl::TClass* found = FindPropertyEditorClass(row.Component, row.Type(), row.Property);
    if (row.Expected == 0)
      EXPECT_EQ(found, nullptr) << found->ClassName();
    else
      EXPECT_EQ(found, &PropertyEditorClass(row.Expected)) << (found ? found->ClassName() : "null");
  }
}

TEST_F(LookupTest, ComponentEditorOfTheNearestRegisteredAncestorLaterWinsForTheSameClass) {
  designide::RegisterComponentEditor(TBase::StaticClass(), ComponentEditorClass(1));
  designide::RegisterComponentEditor(TMid::StaticClass(), ComponentEditorClass(2));
  designide::RegisterComponentEditor(TBase::StaticClass(), ComponentEditorClass(3));
  struct TRow {
    const rtl::TClass& Component;
    const rtl::TClass* Expected;
  };
  const TRow rows[] = {{TBase::StaticClass(), &ComponentEditorClass(3)},
                       {TMid::StaticClass(), &ComponentEditorClass(2)},
                       {TLeaf::StaticClass(), &ComponentEditorClass(2)},
                       {TOther::StaticClass(), nullptr}};
  for (const auto& row : rows)
    EXPECT_EQ(designide::FindComponentEditorClass(row.Component), row.Expected) << row.Component.ClassName();
}

TEST_F(LookupTest, SprigOfTheNearestRegisteredAncestor) {
  designide::RegisterSprigType(TBase::StaticClass(), SprigClass(1));
  designide::RegisterSprigType(TLeaf::StaticClass(), SprigClass(2));
  EXPECT_EQ(designide::FindSprigClass(TMid::StaticClass()), &SprigClass(1));
  EXPECT_EQ(designide::FindSprigClass(TLeaf::StaticClass()), &SprigClass(2));
  EXPECT_EQ(designide::FindSprigClass(TOther::StaticClass()), nullptr);
}

TEST_F(LookupTest, RegistrationsRefuseClassesOfTheWrongRole) {
  EXPECT_THROW(designide::RegisterComponentEditor(TBase::StaticClass(), PropertyEditorClass(1)), rtl::EComponentError);
  EXPECT_THROW(designide::RegisterPropertyEditor(Str(), nullptr, "", ComponentEditorClass(1)), rtl::EComponentError);
  EXPECT_THROW(designide::RegisterSprigType(TBase::StaticClass(), TOther::StaticClass()), rtl::EComponentError);
  EXPECT_THROW(designide::RegisterComponents("", {&TBase::StaticClass()}), rtl::EComponentError);
  EXPECT_THROW(designide::RegisterComponents("Page", {nullptr}), rtl::EComponentError);
  EXPECT_TRUE(designide::AllRegistrations().empty());
}

TEST_F(LookupTest, CategoryPatternsMatchNamesIgnoringCase) {
  struct TRow {
    const char* Pattern;
    const char* Name;
    bool Match;
  };
  const TRow rows[] = {{"*SQL", "ModifySQL", true}, {"*SQL", "refreshsql", true}, {"*SQL", "SQL", true},
                       {"*SQL", "SQLText", false},  {"*SQL", "MySQLx", false},    {"Data*Name", "DatabaseName", true},
                       {"*", "", true},             {"Name", "name", true},       {"Name", "Names", false},
                       {"a*b*c", "aXbYbZc", true},  {"a*b*c", "aXc", false},      {"**x", "x", true}};
  for (const auto& row : rows)
    EXPECT_EQ(designide::MatchPropertyPattern(row.Pattern, row.Name), row.Match) << row.Pattern << " ~ " << row.Name;
}

TEST_F(LookupTest, CategoriesFollowClassInheritanceAndAreListedOnce) {
  designide::RegisterPropertiesInCategory("Database", TMid::StaticClass(), {"Text", "*SQL"});
  designide::RegisterPropertiesInCategory("Visual", TBase::StaticClass(), {"Flag", "text"});
  designide::RegisterPropertiesInCategory("Database", TLeaf::StaticClass(), {"Te*"});
  EXPECT_EQ(designide::GetPropertyCategories(TLeaf::StaticClass(), "Text"),
            (std::vector<std::string>{"Database", "Visual"}));
  EXPECT_EQ(designide::GetPropertyCategories(TBase::StaticClass(), "Text"), std::vector<std::string>{"Visual"});
  EXPECT_TRUE(designide::IsPropertyInCategory("Database", TMid::StaticClass(), "DeleteSQL"));
  EXPECT_FALSE(designide::IsPropertyInCategory("Database", TBase::StaticClass(), "DeleteSQL"));
  EXPECT_FALSE(designide::IsPropertyInCategory("Database", TOther::StaticClass(), "Text"));
}

TEST_F(LookupTest, PaletteKeepsPageAndClassOrder) {
  designide::RegisterComponents("Second", {&TLeaf::StaticClass()});
  designide::RegisterComponents("First", {&TMid::StaticClass(), &TBase::StaticClass()});
  designide::RegisterComponents("second", {&TOther::StaticClass(), &TLeaf::StaticClass()});
  EXPECT_EQ(designide::PalettePages(), (std::vector<std::string>{"Second", "First"}));
  EXPECT_EQ(designide::PaletteComponents("SECOND"),
            (std::vector<const rtl::TClass*>{&TLeaf::StaticClass(), &TOther::StaticClass()}));
  EXPECT_EQ(designide::FindPalettePage(TBase::StaticClass()), "First");
  EXPECT_EQ(designide::FindPalettePage(TLeaf::StaticClass()), "Second");
}

TEST_F(LookupTest, RegistrationsAreListedInOrderAndDescribed) {
  designide::RegisterComponents("Page", {&TBase::StaticClass(), &TLeaf::StaticClass()});
  designide::RegisterPropertyEditor(Str(), &TBase::StaticClass(), "", PropertyEditorClass(1));
  designide::RegisterPropertiesInCategory("Database", TMid::StaticClass(), {"*SQL"});
  auto list = designide::Registrations(nullptr);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(designide::DescribeRegistration(list[0]), "Components \"Page\": TBase, TLeaf");
  EXPECT_EQ(designide::DescribeRegistration(list[1]), "PropertyEditor string TBase.(any) -> E1");
  EXPECT_EQ(designide::DescribeRegistration(list[2]), "PropertiesInCategory \"Database\" TMid: \"*SQL\"");
  EXPECT_EQ(designide::sDatabaseCategoryName(), "Database");
}

}  // namespace
