// Texts that are not in the writer's layout but are valid: each reads, and
// writes back in the canonical layout.
#include <string>

#include "FormFixture.h"

namespace formtest {
namespace {

struct NormalRow {
  const char* name;
  std::string input;
  std::string canonical;
};
void PrintTo(const NormalRow& row, std::ostream* os) { *os << row.name; }

std::string Module(const std::string& widgetBody) {
  return "object Module1: TTestModule\n  object E: TTestWidget\n" + widgetBody + "  end\nend\n";
}

std::vector<NormalRow> NormalRows() {
  return {
      {"PlusJoinsStrings", Module("Caption = 'x' +\n 'y' + 'z'\n"), Module("    Caption = 'xyz'\n")},
      {"DecimalAndHexCodes", Module("Caption = #$41#66'c'#$20AC\n"), Module("    Caption = 'ABc€'\n")},
      // A piece stands alone only when no doubled quote or code follows it.
      {"DoubledQuoteThenCode", Module("Caption = 'it''s'#33\n"), Module("    Caption = 'it''s!'\n")},
      {"EmptyPieceThenCodesAndPieces", Module("Caption = ''#65'b'''\n"), Module("    Caption = 'Ab'''\n")},
      {"LonePiecesJoinedWithCodes", Module("Caption = 'a' + 'b'#66 + 'c'\n"), Module("    Caption = 'abBc'\n")},
      {"CodeAboveBasicPlane", Module("Caption = #128512\n"), Module("    Caption = '\xF0\x9F\x98\x80'\n")},
      {"KeywordsIgnoreCase", Module("ACTIVE = TRUE\nalign = ALTOP\n"),
       Module("    Active = True\n    Align = alTop\n")},
      {"HexInteger", Module("Count = $1F\n"), Module("    Count = 31\n")},
      {"PublishedOrder", Module("Count = 2\nActive = True\n"), Module("    Active = True\n    Count = 2\n")},
      {"EmptySetAndListAreDefaults", Module("Font.Style = []\nLines.Strings = ()\nItems = <>\n"), Module("")},
      {"NilReference", Module("Buddy = nil\n"), Module("")},
      {"QualifiedReference",
       "object Module1: TTestModule\n  object E: TTestWidget\n    Buddy = module1.F\n  end\n"
       "  object F: TTestWidget\n  end\nend\n",
       "object Module1: TTestModule\n  object E: TTestWidget\n    Buddy = F\n  end\n"
       "  object F: TTestWidget\n  end\nend\n"},
      {"CrLfTabsAndByteOrderMark",
       "\xEF\xBB\xBFobject Module1: TTestModule\r\n\tobject E: TTestWidget\r\n\t\tCount = 1\r\n\tend\r\nend\r\n",
       Module("    Count = 1\n")},
      {"ClassNameIgnoresCase", "object Module1: ttestmodule\nend", "object Module1: TTestModule\nend\n"},
      // Non-visual components have no parent: nested objects come out at the
      // first level, owned by the root.
      {"NestedObjectsFlattened",
       "object Module1: TTestModule\n  object A: TTestWidget\n    object B: TTestWidget\n      Count = 2\n"
       "    end\n  end\nend\n",
       "object Module1: TTestModule\n  object A: TTestWidget\n  end\n  object B: TTestWidget\n    Count = 2\n"
       "  end\nend\n"},
      {"ListItemsJoinedWithPlus", Module("Lines.Strings = (\n'a' + 'b'\n'c')\n"),
       Module("    Lines.Strings = (\n      'ab'\n      'c')\n")},
      {"RootWithoutName", "object TTestModule end", "object TTestModule\nend\n"},
      {"InheritedRoot", "inherited Module1: TTestModule\nend\n", "object Module1: TTestModule\nend\n"},
      {"NonDefaultSetOnRead", Module("Font.Style = [fsItalic,fsBold]\n"),
       Module("    Font.Style = [fsBold, fsItalic]\n")},
  };
}

class NormalForm : public FormFileTest, public ::testing::WithParamInterface<NormalRow> {};

TEST_P(NormalForm, ReadsAndWritesTheCanonicalLayout) {
  EXPECT_EQ(RoundTrip(GetParam().input), GetParam().canonical);
}

INSTANTIATE_TEST_SUITE_P(Inputs, NormalForm, ::testing::ValuesIn(NormalRows()),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(FormFileTest, ReferencesAreResolvedBeforeLoadedRunsOnce) {
  auto root = Read(
      "object Module1: TTestModule\n  object A: TTestWidget\n    Buddy = B\n  end\n"
      "  object B: TTestWidget\n  end\nend\n");
  TTestWidget* a = Widget(*root, "A");
  EXPECT_EQ(a->LoadedCalls(), 1);
  EXPECT_EQ(a->BuddyAtLoaded(), "B");  // a forward reference, resolved at the end
  EXPECT_EQ(Widget(*root, "B")->LoadedCalls(), 1);
  EXPECT_FALSE(root->IsLoading());
  EXPECT_FALSE(a->IsLoading());
}

TEST_F(FormFileTest, DesignerLoadMarksEveryComponentBeforeItsProperties) {
  const std::string text = "object Module1: TTestModule\n  object A: TTestWidget\n  end\nend\n";
  rtl::TFormReadOptions designing;
  designing.Designing = true;
  auto root = Read(text, designing);
  EXPECT_TRUE(root->IsDesigning());
  EXPECT_TRUE(Widget(*root, "A")->IsDesigning());
  EXPECT_TRUE(Widget(*root, "A")->DesigningAtCreate());
  auto plain = Read(text);
  EXPECT_FALSE(plain->IsDesigning());
  EXPECT_FALSE(Widget(*plain, "A")->IsDesigning());
}

TEST_F(FormFileTest, RootIsAnnouncedBeforeItsComponentsAndAlsoWhenRefused) {
  std::vector<std::pair<rtl::TComponent*, int>> seen;  // root and its component count then
  rtl::TFormReadOptions options;
  options.OnRootCreated = [&](rtl::TComponent& root) { seen.emplace_back(&root, root.ComponentCount()); };
  auto root = Read("object M: TTestModule\n  object A: TTestWidget\n  end\nend\n", options);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].first, root.get());
  EXPECT_EQ(seen[0].second, 0);
  EXPECT_THROW(Read("object M: TTestModule\n  Bogus = 1\nend\n", options), rtl::EFormFileError);
  EXPECT_EQ(seen.size(), 2u);
}

TEST_F(FormFileTest, ReadingAListOrCollectionReplacesWhatWasThere) {
  // The second assignment wins over the first, as for any property.
  auto root = Read(Module("Lines.Strings = ('a' 'b')\nLines.Strings = ('c')\n"
                          "Items = <item Value = 1 end item end>\nItems = <item Value = 2 end>\n"));
  TTestWidget* e = Widget(*root, "E");
  EXPECT_EQ(e->Lines()->Text(), "c\n");
  ASSERT_EQ(e->Items()->Count(), 1);
  EXPECT_EQ(rtl::As<TTestItem>(e->Items()->Items(0))->Value(), 2);
}

TEST_F(FormFileTest, LoadedComponentsAreFoundByNameAfterRenameAndFree) {
  auto root = Read("object M: TTestModule\n  object A: TTestWidget\n  end\n  object B: TTestWidget\n  end\nend\n");
  TTestWidget* a = Widget(*root, "a");
  ASSERT_NE(a, nullptr);
  a->SetName("C");
  EXPECT_EQ(root->FindComponent("A"), nullptr);
  EXPECT_EQ(root->FindComponent("c"), a);
  EXPECT_THROW(Widget(*root, "B")->SetName("c"), rtl::EComponentError);
  delete a;
  EXPECT_EQ(root->FindComponent("C"), nullptr);
  EXPECT_EQ(rtl::WriteComponentText(*root), "object M: TTestModule\n  object B: TTestWidget\n  end\nend\n");
}

}  // namespace
}  // namespace formtest
