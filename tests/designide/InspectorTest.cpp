// The Object Inspector model on real components: rows, editors by the
// framework's precedence, multi-select, value lists, sub-properties, sets,
// references and categories.
#include <gtest/gtest.h>

#include "CountingDesigner.h"
#include "TestClasses.h"
#include "designide/ComponentProperties.h"
#include "designide/ObjectInspector.h"
#include "designide/StringListProperty.h"
#include "designide/Registration.h"
#include "designide/SetProperties.h"
#include "rtl/objects/ClassBuilder.h"

namespace {

using namespace dvtest;
using namespace designide;

// Offers an unsorted list; with paSortList when Sorted is set.
class TListEditor : public TStringProperty {
  RTL_CLASS(TListEditor)
 public:
  static inline bool Sorted = false;
  TPropertyAttributes GetAttributes() override { return paValueList | paMultiSelect | (Sorted ? TPropertyAttributes{paSortList} : 0u); }
  void GetValues(const TGetStrProc& proc) override {
    for (const char* v : {"beta", "Alpha", "gamma", "alpha"}) proc(v);
  }
};
const rtl::TClass& TListEditor::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TListEditor>("TListEditor", &TStringProperty::StaticClass()).Creatable().Build();
  return cls;
}

std::vector<std::string> Names(const std::vector<std::unique_ptr<TInspectorRow>>& rows) {
  std::vector<std::string> names;
  for (const auto& r : rows) names.push_back(r->Name());
  return names;
}

class InspectorTest : public ::testing::Test {
 protected:
  InspectorTest() : root_(nullptr), designer_(&root_) {
    root_.SetName("Form1");
    a_ = new TLeaf(&root_);
    a_->SetName("A");
    b_ = new TMid(&root_);
    b_->SetName("B");
    other_ = new TOther(&root_);
    other_->SetName("Other");
  }
  ~InspectorTest() override { UnregisterPackage(nullptr); }
  rtl::TComponent root_;
  TCountingDesigner designer_;
  TLeaf* a_;
  TMid* b_;
  TOther* other_;
};

TEST_F(InspectorTest, OneComponentShowsEveryPropertyWithItsEditor) {
  RegisterPropertyEditor(rtl::TypeInfoString(), &TMid::StaticClass(), "Text", TListEditor::StaticClass());
  TObjectInspector inspector(&designer_, {a_});
  EXPECT_EQ(Names(inspector.Rows()),
            (std::vector<std::string>{"Name", "Tag", "Text", "Flag", "Lines", "Options", "Buddy"}));
  const std::vector<const rtl::TClass*> editors{
      &TComponentNameProperty::StaticClass(), &TIntegerProperty::StaticClass(), &TListEditor::StaticClass(),
      &TEnumProperty::StaticClass(),          &TStringListProperty::StaticClass(), &TSetProperty::StaticClass(),
      &TComponentProperty::StaticClass()};
  for (size_t i = 0; i < editors.size(); ++i) EXPECT_EQ(&inspector.Rows()[i]->EditorClass(), editors[i]) << i;
  EXPECT_EQ(inspector.FindRow("lines")->Value(), "(TStringList)");
  // A string list no package edits: the framework's dialog, not sub-rows.
  EXPECT_EQ(inspector.FindRow("Lines")->Attributes() & (paReadOnly | paDialog | paSubProperties), paReadOnly | paDialog);
  EXPECT_EQ(inspector.FindRow("Nope"), nullptr);
}

TEST_F(InspectorTest, SeveralComponentsShareRowsAndTakeOneValue) {
  a_->SetText("x");
  b_->SetText("y");
  TObjectInspector inspector(&designer_, {a_, b_});
  EXPECT_EQ(inspector.FindRow("Name"), nullptr) << "a name is one component's";
  TInspectorRow* text = inspector.FindRow("Text");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->Value(), "") << "values differ";
  text->SetValue("same");
  EXPECT_EQ(a_->Text(), "same");
  EXPECT_EQ(b_->Text(), "same");
  EXPECT_EQ(text->Value(), "same");
  EXPECT_EQ(designer_.modified, 1);

  // Only what every selected class has.
  TObjectInspector mixed(&designer_, {a_, other_});
  EXPECT_EQ(Names(mixed.Rows()), std::vector<std::string>{"Tag"});
  // Editors registered differently for the two classes leave the row out.
  RegisterPropertyEditor(rtl::TypeInfoString(), &TLeaf::StaticClass(), "Text", TListEditor::StaticClass());
  TObjectInspector split(&designer_, {a_, b_});
  EXPECT_EQ(split.FindRow("Text"), nullptr);
}

TEST_F(InspectorTest, ValueListsAreSortedOnlyWhenTheEditorSaysSo) {
  RegisterPropertyEditor(rtl::TypeInfoString(), &TBase::StaticClass(), "Text", TListEditor::StaticClass());
  TObjectInspector inspector(&designer_, {a_});
  TListEditor::Sorted = false;
  EXPECT_EQ(inspector.FindRow("Text")->Values(), (std::vector<std::string>{"beta", "Alpha", "gamma", "alpha"}));
  TListEditor::Sorted = true;
  EXPECT_EQ(inspector.FindRow("Text")->Values(), (std::vector<std::string>{"Alpha", "alpha", "beta", "gamma"}));
  TListEditor::Sorted = false;
  EXPECT_TRUE(inspector.FindRow("Text")->AutoFill());
}

TEST_F(InspectorTest, BadValuesAreRefusedAndChangeNothing) {
  a_->SetTag(7);
  TObjectInspector inspector(&designer_, {a_});
  EXPECT_THROW(inspector.FindRow("Tag")->SetValue("seven"), rtl::EPropertyError);
  EXPECT_THROW(inspector.FindRow("Tag")->SetValue("2147483648"), rtl::EPropertyError) << "32 bits, as form files";
  EXPECT_THROW(inspector.FindRow("Tag")->SetValue("-2147483649"), rtl::EPropertyError);
  EXPECT_THROW(inspector.FindRow("Flag")->SetValue("Maybe"), rtl::EPropertyError);
  EXPECT_THROW(inspector.FindRow("Options")->SetValue("[soRed,soPink]"), rtl::EPropertyError);
  EXPECT_THROW(inspector.FindRow("Buddy")->SetValue("A"), rtl::EPropertyError) << "not of the referenced class";
  EXPECT_THROW(inspector.FindRow("Lines")->SetValue("x"), rtl::EPropertyError);
  EXPECT_THROW(inspector.FindRow("Text")->Edit(), rtl::EPropertyError) << "no dialog";
  EXPECT_EQ(a_->Tag(), 7);
  EXPECT_FALSE(a_->Flag());
  EXPECT_EQ(a_->Options(), 0u);
  EXPECT_EQ(designer_.modified, 0);
}

TEST_F(InspectorTest, SetsExpandIntoElementsAndReferencesNameComponents) {
  b_->SetOptions(1u << 2);
  TObjectInspector inspector(&designer_, {a_, b_});
  TInspectorRow* options = inspector.FindRow("Options");
  EXPECT_EQ(options->Value(), "");
  options->SetValue("[soRed, soBlue]");
  EXPECT_EQ(options->Value(), "[soRed,soBlue]");
  EXPECT_EQ(Names(options->SubRows()), (std::vector<std::string>{"soRed", "soGreen", "soBlue"}));
  // One element changes in each set, whatever else it holds.
  a_->SetOptions(0);
  TInspectorRow* blue = inspector.FindRow("Options.soBlue");
  EXPECT_EQ(blue->Path(), "Options.soBlue");
  EXPECT_EQ(blue->Value(), "");
  blue->SetValue("true");
  EXPECT_EQ(a_->Options(), 4u);
  EXPECT_EQ(b_->Options(), 5u);
  EXPECT_EQ(blue->Value(), "True");

  TInspectorRow* buddy = inspector.FindRow("Buddy");
  EXPECT_EQ(buddy->Values(), std::vector<std::string>{"Other"});
  buddy->SetValue("other");
  EXPECT_EQ(a_->Buddy(), other_);
  EXPECT_EQ(b_->Buddy(), other_);
  EXPECT_EQ(buddy->Value(), "Other");
  buddy->SetValue("");
  EXPECT_EQ(a_->Buddy(), nullptr);
  EXPECT_EQ(designer_.modified, 4);
}

TEST_F(InspectorTest, CategoriesGroupTheRows) {
  RegisterPropertiesInCategory(sDatabaseCategoryName(), TMid::StaticClass(), {"T*", "Flag"});
  TObjectInspector inspector(&designer_, {a_});
  EXPECT_EQ(inspector.CategoryNames(), (std::vector<std::string>{sDatabaseCategoryName(), "Miscellaneous"}));
  std::vector<std::string> database;
  for (TInspectorRow* r : inspector.RowsInCategory(sDatabaseCategoryName())) database.push_back(r->Name());
  EXPECT_EQ(database, (std::vector<std::string>{"Tag", "Text", "Flag"}));
  EXPECT_EQ(inspector.RowsInCategory("Miscellaneous").size(), 4u);
  EXPECT_EQ(inspector.FindRow("Options.soRed")->Categories(), std::vector<std::string>{}) << "as its top row";
}

}  // namespace
