// The framework's editor base classes on real components.
#include <gtest/gtest.h>

#include "CountingDesigner.h"
#include "TestClasses.h"
#include "db/IndexDefs.h"
#include "designide/DBReg.h"
#include "designide/DSDesign.h"
#include "designide/FldLinks.h"
#include "rtl/objects/ClassBuilder.h"

namespace {

using namespace dvtest;
using namespace designide;

class EditorTest : public ::testing::Test {
 protected:
  EditorTest() : root_(nullptr), designer_(&root_) {
    a_ = new TLeaf(&root_);
    b_ = new TMid(&root_);
  }
  std::unique_ptr<TPropertyEditor> Editor(const rtl::TClass& cls, const char* property,
                                          std::vector<rtl::TPersistent*> components) {
    return CreatePropertyEditor(cls, &designer_, std::move(components),
                                *TBase::StaticClass().FindProperty(property));
  }
  rtl::TComponent root_;
  TCountingDesigner designer_;
  TLeaf* a_;
  TMid* b_;
};

TEST_F(EditorTest, StringPropertyReadsTheFirstAndWritesEveryComponent) {
  a_->SetText("one");
  b_->SetText("two");
  auto editor = Editor(TStringProperty::StaticClass(), "Text", {a_, b_});
  EXPECT_EQ(editor->GetName(), "Text");
  EXPECT_EQ(editor->GetValue(), "one");
  EXPECT_EQ(editor->PropCount(), 2);
  editor->SetValue("both");
  EXPECT_EQ(a_->Text(), "both");
  EXPECT_EQ(b_->Text(), "both");
  EXPECT_EQ(designer_.modified, 1);
  EXPECT_THROW(editor->GetComponent(2), rtl::EListError);
}

TEST_F(EditorTest, EnumPropertyOffersTheTypesNamesAndRefusesOthers) {
  auto editor = Editor(TEnumProperty::StaticClass(), "Flag", {a_});
  std::vector<std::string> values;
  editor->GetValues([&](const std::string& v) { values.push_back(v); });
  EXPECT_EQ(values, (std::vector<std::string>{"False", "True"}));
  EXPECT_EQ(editor->GetValue(), "False");
  editor->SetValue(" true ");
  EXPECT_TRUE(a_->Flag());
  EXPECT_EQ(editor->GetValue(), "True");
  EXPECT_THROW(editor->SetValue("Maybe"), rtl::EPropertyError);
  EXPECT_TRUE(a_->Flag());
  EXPECT_EQ(designer_.modified, 1);
  EXPECT_TRUE(editor->GetAttributes() & paValueList);
}

TEST_F(EditorTest, ClassPropertyShowsTheObjectsClassAndIsReadOnly) {
  auto editor = Editor(TClassProperty::StaticClass(), "Lines", {a_});
  EXPECT_EQ(editor->GetValue(), "(TStringList)");
  EXPECT_TRUE(editor->GetAttributes() & paSubProperties);
  EXPECT_TRUE(editor->GetAttributes() & paReadOnly);
  EXPECT_THROW(editor->SetValue("x"), rtl::EPropertyError);
}

TEST_F(EditorTest, CreatingEditorsChecksTheClassAndTheComponents) {
  EXPECT_THROW(Editor(TComponentEditor::StaticClass(), "Text", {a_}), rtl::EInvalidCast);
  EXPECT_THROW(Editor(TStringProperty::StaticClass(), "Text", {}), rtl::EPropertyError);
  EXPECT_THROW(CreateComponentEditor(TStringProperty::StaticClass(), a_, &designer_), rtl::EInvalidCast);
  EXPECT_THROW(CreateSprig(TStringProperty::StaticClass(), a_), rtl::EInvalidCast);
}

class TVerbEditor : public TComponentEditor {
  RTL_CLASS(TVerbEditor)
 public:
  int GetVerbCount() override { return 2; }
  std::string GetVerb(int index) override { return index == 0 ? "First" : "Second"; }
  void ExecuteVerb(int index) override { executed.push_back(index); }
  std::vector<int> executed;
};
const rtl::TClass& TVerbEditor::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TVerbEditor>("TVerbEditor", &TComponentEditor::StaticClass()).Creatable().Build();
  return cls;
}

TEST_F(EditorTest, ComponentEditorDoubleClickRunsTheFirstVerb) {
  auto editor = CreateComponentEditor(TVerbEditor::StaticClass(), a_, &designer_);
  EXPECT_EQ(editor->GetComponent(), a_);
  EXPECT_EQ(editor->GetDesigner(), &designer_);
  editor->Edit();
  EXPECT_EQ(static_cast<TVerbEditor*>(editor.get())->executed, std::vector<int>{0});

  auto plain = CreateComponentEditor(TComponentEditor::StaticClass(), a_, &designer_);
  EXPECT_EQ(plain->GetVerbCount(), 0);
  plain->Edit();  // no verbs: nothing happens
  EXPECT_EQ(plain->GetVerb(0), "");
}

class TIndexedSet : public db::TDataSet {
  RTL_CLASS(TIndexedSet)
 public:
  using TDataSet::TDataSet;
  db::TIndexDefs* Indexes() const { return defs_.get(); }

 private:
  std::unique_ptr<db::TIndexDefs> defs_ = std::make_unique<db::TIndexDefs>();
};
const rtl::TClass& TIndexedSet::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TIndexedSet>("TIndexedSet", &db::TDataSet::StaticClass())
          .Creatable()
          .Owned("IndexDefs", rtl::ClassTypeInfo(db::TIndexDefs::StaticClass()), &TIndexedSet::Indexes)
          .Str("IndexName", [](const TIndexedSet&) { return std::string(); }, [](TIndexedSet&, const std::string&) {})
          .Build();
  return cls;
}

TEST_F(EditorTest, IndexPropertiesListTheDatasetsIndexes) {
  auto* set = new TIndexedSet(&root_);
  set->Indexes()->AddIndexDef("PK_ORDERS", "ID", 0);
  set->Indexes()->AddIndexDef("BY_CUSTOMER", "CUSTOMER;DATE", 0);
  const rtl::TPropInfo& prop = *TIndexedSet::StaticClass().FindProperty("IndexName");
  for (auto [cls, expected] : {std::pair{&TIndexNameProperty::StaticClass(),
                                         std::vector<std::string>{"PK_ORDERS", "BY_CUSTOMER"}},
                               std::pair{&TIndexFieldNamesProperty::StaticClass(),
                                         std::vector<std::string>{"ID", "CUSTOMER;DATE"}}}) {
    auto editor = CreatePropertyEditor(*cls, &designer_, {set}, prop);
    std::vector<std::string> values;
    editor->GetValues([&](const std::string& v) { values.push_back(v); });
    EXPECT_EQ(values, expected) << cls->ClassName();
    EXPECT_TRUE(editor->GetAttributes() & paValueList);
  }
}

TEST_F(EditorTest, DataSetEditorOpensTheFieldsEditorThroughTheHostsHandler) {
  auto* set = new TIndexedSet(&root_);
  auto editor = CreateComponentEditor(TDataSetEditor::StaticClass(), set, &designer_);
  EXPECT_EQ(editor->GetVerbCount(), 1);
  EXPECT_EQ(editor->GetVerb(0), "Fields Editor...");
  SetShowFieldsEditorHandler(nullptr);
  EXPECT_THROW(editor->Edit(), rtl::EComponentError);

  db::TDataSet* shown = nullptr;
  const rtl::TClass* designerClass = nullptr;
  SetShowFieldsEditorHandler([&](IDesigner* d, db::TDataSet* ds, const rtl::TClass& cls) {
    EXPECT_EQ(d, &designer_);
    shown = ds;
    designerClass = &cls;
  });
  editor->Edit();
  SetShowFieldsEditorHandler(nullptr);
  EXPECT_EQ(shown, set);
  EXPECT_EQ(designerClass, &TDSDesigner::StaticClass());

  auto wrong = CreateComponentEditor(TDataSetEditor::StaticClass(), a_, &designer_);
  EXPECT_THROW(wrong->ExecuteVerb(0), rtl::EInvalidCast) << "a non-dataset is a wrong typecast";
}

TEST_F(EditorTest, FieldLinkPropertyReportsTheDesignersAnswer) {
  auto* set = new TIndexedSet(&root_);
  const rtl::TPropInfo& prop = *TIndexedSet::StaticClass().FindProperty("IndexName");
  auto editor = CreatePropertyEditor(TFieldLinkProperty::StaticClass(), &designer_, {set}, prop);
  auto* link = static_cast<TFieldLinkProperty*>(editor.get());
  EXPECT_EQ(link->GetDataSet(), set);
  EXPECT_TRUE(link->GetAttributes() & paDialog);
  for (bool answer : {false, true}) {
    SetFieldLinkDesignerHandler([&](TFieldLinkProperty& p) {
      EXPECT_EQ(&p, link);
      return answer;
    });
    link->Edit();
    EXPECT_EQ(link->Changed(), answer);
  }
  SetFieldLinkDesignerHandler(nullptr);
  EXPECT_EQ(designer_.modified, 1);
  EXPECT_THROW(link->Edit(), rtl::EComponentError);
  EXPECT_THROW(link->GetIndexDefs(), rtl::EAbstractError);
}

}  // namespace
