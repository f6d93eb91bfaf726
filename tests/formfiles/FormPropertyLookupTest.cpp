// Property and class look-ups while reading: names ignore case, a property
// republished by a descendant is the one used, objects of different classes
// may follow each other in any order, and objects of one class may list
// their properties in any order.
#include <gtest/gtest.h>

#include <string>

#include "FormFixture.h"
#include "rtl/objects/ClassBuilder.h"

namespace {

// The base publishes Hint read-only; the descendant republishes it writable.
class TBasePanel : public rtl::TComponent {
  RTL_CLASS(TBasePanel)
 public:
  using TComponent::TComponent;
  std::string Hint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }
  int Width() const { return width_; }
  void SetWidth(int v) { width_ = v; }

 private:
  std::string hint_;
  int width_ = 0;
};

class TDerivedPanel : public TBasePanel {
  RTL_CLASS(TDerivedPanel)
 public:
  using TBasePanel::TBasePanel;
};

const rtl::TClass& TBasePanel::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TBasePanel>("TBasePanel", &rtl::TComponent::StaticClass())
                                     .Creatable()
                                     .Str("Hint", &TBasePanel::Hint, nullptr)
                                     .Int("Width", &TBasePanel::Width, &TBasePanel::SetWidth)
                                     .Build();
  return cls;
}

const rtl::TClass& TDerivedPanel::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TDerivedPanel>("TDerivedPanel", &TBasePanel::StaticClass())
                                     .Creatable()
                                     .Str("Hint", &TDerivedPanel::Hint, &TDerivedPanel::SetHint)
                                     .Build();
  return cls;
}

class FormLookupTest : public formtest::FormFileTest {
 protected:
  void SetUp() override {
    FormFileTest::SetUp();
    rtl::RegisterClass(TBasePanel::StaticClass());
    rtl::RegisterClass(TDerivedPanel::StaticClass());
  }
};

TEST_F(FormLookupTest, RepublishedPropertyIsTheDescendantsAndWritesBackInItsPlace) {
  const std::string text =
      "object M: TTestModule\n"
      "  object P: TDerivedPanel\n"
      "    Hint = 'shown'\n"
      "    Width = 5\n"
      "  end\n"
      "end\n";
  auto root = Read(text);
  auto* panel = rtl::As<TDerivedPanel>(root->FindComponent("P"));
  EXPECT_EQ(panel->Hint(), "shown");
  EXPECT_EQ(panel->Width(), 5);
  EXPECT_EQ(rtl::WriteComponentText(*root), text);

  try {
    Read("object M: TTestModule\n  object B: TBasePanel\n    Hint = 'x'\n  end\nend\n");
    ADD_FAILURE() << "read-only property set";
  } catch (const rtl::EFormFileError& e) {
    EXPECT_EQ(e.Line(), 3);
    EXPECT_EQ(e.Column(), 5);
    EXPECT_EQ(e.Reason(), "Property Hint is read-only");
  }
}

TEST_F(FormLookupTest, ClassesAndPropertiesAreFoundIgnoringCaseInAnyOrder) {
  struct Row {
    const char* className;
    const char* property;
  };
  const Row rows[] = {{"TDerivedPanel", "WIDTH"}, {"tbasepanel", "width"}, {"TTestWidget", "count"},
                      {"TDERIVEDPANEL", "Width"}, {"TTestWidget", "COUNT"}};
  std::string text = "object M: TTestModule\n";
  for (int i = 0; i < 5; ++i) {
    text += "  object C" + std::to_string(i) + ": " + rows[i].className + "\n";
    text += std::string("    ") + rows[i].property + " = " + std::to_string(10 + i) + "\n  end\n";
  }
  text += "end\n";
  auto root = Read(text);
  ASSERT_EQ(root->ComponentCount(), 5);
  EXPECT_EQ(root->Components(0)->ClassName(), "TDerivedPanel");
  EXPECT_EQ(root->Components(1)->ClassName(), "TBasePanel");
  EXPECT_EQ(rtl::As<TBasePanel>(root->Components(0))->Width(), 10);
  EXPECT_EQ(rtl::As<TBasePanel>(root->Components(1))->Width(), 11);
  EXPECT_EQ(Widget(*root, "c2")->Count(), 12);
  EXPECT_EQ(rtl::As<TBasePanel>(root->Components(3))->Width(), 13);
  EXPECT_EQ(Widget(*root, "C4")->Count(), 14);

  try {
    Read("object M: TTestModule\n  object A: TBasePanel\n  end\n  object B: TBasePanelX\n  end\nend\n");
    ADD_FAILURE() << "unknown class accepted";
  } catch (const rtl::EFormFileError& e) {
    EXPECT_EQ(e.Line(), 4);
    EXPECT_EQ(e.Reason(), "Class TBasePanelX not found");
  }
}

// The reader guesses each property from the order the last object of the
// class used: every guess that fails, and every guess that succeeds with
// properties left out in between, must still give the property named.
TEST_F(FormLookupTest, ObjectsOfOneClassListTheirPropertiesInAnyOrder) {
  auto item = [](const rtl::TCollection& items, int i) { return static_cast<formtest::TTestItem*>(items.Items(i)); };
  const std::string text =
      "object M: TTestModule\n"
      "  object A: TTestWidget\n"
      "    Active = True\n"
      "    Count = 1\n"
      "    Caption = 'a'\n"
      "    Note = 'na'\n"
      "  end\n"
      "  object B: TTestWidget\n"
      "    Note = 'nb'\n"
      "    CAPTION = 'b'\n"
      "    count = 2\n"
      "  end\n"
      "  object C: TTestWidget\n"
      "    Caption = 'c'\n"
      "    Items = <\n"
      "      item\n"
      "        Value = 1\n"
      "        Children = <\n"
      "          item\n"
      "            Name = 'inner'\n"
      "            Value = 2\n"
      "          end>\n"
      "        Name = 'outer'\n"
      "      end\n"
      "      item\n"
      "        Name = 'second'\n"
      "      end>\n"
      "    Count = 3\n"
      "    Active = True\n"
      "  end\n"
      "end\n";
  auto root = Read(text);
  const formtest::TTestWidget* a = Widget(*root, "A");
  EXPECT_TRUE(a->Active());
  EXPECT_EQ(a->Count(), 1);
  EXPECT_EQ(a->Caption(), "a");
  EXPECT_EQ(a->Note(), "na");
  const formtest::TTestWidget* b = Widget(*root, "B");
  EXPECT_FALSE(b->Active());
  EXPECT_EQ(b->Count(), 2);
  EXPECT_EQ(b->Caption(), "b");
  EXPECT_EQ(b->Note(), "nb");
  const formtest::TTestWidget* c = Widget(*root, "C");
  EXPECT_TRUE(c->Active());
  EXPECT_EQ(c->Count(), 3);
  EXPECT_EQ(c->Caption(), "c");
  EXPECT_EQ(c->Note(), "");
  ASSERT_EQ(c->Items()->Count(), 2);
  const formtest::TTestItem* outer = item(*c->Items(), 0);
  EXPECT_EQ(outer->Name(), "outer");
  EXPECT_EQ(outer->Value(), 1);
  ASSERT_EQ(outer->Children()->Count(), 1);
  EXPECT_EQ(item(*outer->Children(), 0)->Name(), "inner");
  EXPECT_EQ(item(*outer->Children(), 0)->Value(), 2);
  EXPECT_EQ(item(*c->Items(), 1)->Name(), "second");
  EXPECT_EQ(item(*c->Items(), 1)->Value(), 0);

  // A misspelt name where a guess stands ready is still an unknown property.
  try {
    Read("object M: TTestModule\n  object A: TTestWidget\n    Count = 1\n    Caption = 'a'\n  end\n"
         "  object B: TTestWidget\n    Count = 2\n    Captoin = 'b'\n  end\nend\n");
    ADD_FAILURE() << "misspelt property accepted";
  } catch (const rtl::EFormFileError& e) {
    EXPECT_EQ(e.Line(), 8);
    EXPECT_EQ(e.Column(), 5);
    EXPECT_EQ(e.Reason(), "Unknown property Captoin of class TTestWidget");
  }
}

}  // namespace
