// Property and class look-ups while reading: names ignore case, a property
// republished by a descendant is the one used, and objects of different
// classes may follow each other in any order.
#include <gtest/gtest.h>

#include <string>

#include "FormFixture.h"
#include "rtl/ClassBuilder.h"

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

}  // namespace
