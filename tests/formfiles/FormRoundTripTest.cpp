// Texts in the writer's layout read and write back byte for byte, and the
// values they carry arrive in the components.
#include <string>

#include "FormFixture.h"

namespace formtest {
namespace {

struct RoundTripRow {
  const char* name;
  std::string text;
};
void PrintTo(const RoundTripRow& row, std::ostream* os) { *os << row.name; }

const std::string kLong64(64, 'a');

std::vector<RoundTripRow> RoundTripRows() {
  return {
      {"EmptyRoot", "object Module1: TTestModule\nend\n"},
      {"UnnamedComponent", "object Module1: TTestModule\n  object TTestWidget\n  end\nend\n"},
      {"EveryValueKind",
       "object Module1: TTestModule\n"
       "  object Edit1: TTestWidget\n"
       "    Tag = 5\n"
       "    Active = True\n"
       "    Count = -42\n"
       "    Caption = 'It''s'\n"
       "    Align = alClient\n"
       "    Lines.Strings = (\n"
       "      'first'\n"
       "      ''\n"
       "      'third')\n"
       "    Items = <\n"
       "      item\n"
       "        Name = 'a'\n"
       "        Value = 1\n"
       "        Children = <\n"
       "          item\n"
       "            Name = 'a.1'\n"
       "          end>\n"
       "      end\n"
       "      item\n"
       "      end>\n"
       "    Font.Name = 'Mono'\n"
       "    Font.Size = 10\n"
       "    Font.Style = [fsBold, fsUnderline]\n"
       "    Buddy = Edit2\n"
       "    OnChange = Edit1Change\n"
       "  end\n"
       "  object Edit2: TTestWidget\n"
       "    Count = -2147483648\n"
       "    Font.Size = 0\n"
       "    Buddy = Edit1\n"
       "  end\n"
       "end\n"},
      {"ControlCharacters",
       "object Module1: TTestModule\n  object E: TTestWidget\n    Caption = #9'x'#1'y'#127\n  end\nend\n"},
      {"OnlyCodes", "object Module1: TTestModule\n  object E: TTestWidget\n    Caption = #0#27\n  end\nend\n"},
      {"Utf8Text",
       "object Module1: TTestModule\n  object E: TTestWidget\n    Caption = 'Grüße, 東京 €'\n  end\nend\n"},
      {"LineBreaksSplitTheString",
       "object Module1: TTestModule\n  object E: TTestWidget\n    Caption =\n      'a'#9'b'#13#10 +\n"
       "      'c'\n  end\nend\n"},
      {"LongStringInPieces",
       "object Module1: TTestModule\n  object E: TTestWidget\n    Caption =\n      '" + kLong64 + "' +\n      '" +
           kLong64 + "' +\n      'zz'\n  end\nend\n"},
      {"LongListItem",
       "object Module1: TTestModule\n  object E: TTestWidget\n    Lines.Strings = (\n      'short'\n      '" +
           kLong64 + "' +\n      'tail'\n      'last')\n  end\nend\n"},
      {"InheritedChild",
       "object Module1: TTestInheritedModule\n  inherited Header: TTestWidget\n    Caption = 'Top'\n  end\n"
       "  object Edit1: TTestWidget\n    Buddy = Header\n  end\nend\n"},
      {"DesignPositionAfterTheProperties",
       "object Module1: TTestModule\n  object E: TTestWidget\n    Caption = 'x'\n    Left = 48\n    Top = -8\n"
       "  end\n  object F: TTestWidget\n    Top = 16\n  end\nend\n"},
  };
}

class CanonicalText : public FormFileTest, public ::testing::WithParamInterface<RoundTripRow> {};

TEST_P(CanonicalText, WritesBackTheSameBytes) {
  const std::string& text = GetParam().text;
  EXPECT_EQ(RoundTrip(text), text);
}

INSTANTIATE_TEST_SUITE_P(Layout, CanonicalText, ::testing::ValuesIn(RoundTripRows()),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(FormFileTest, EveryValueKindArrivesInTheComponents) {
  auto root = Read(RoundTripRows()[2].text);
  ASSERT_EQ(root->ComponentCount(), 2);
  EXPECT_EQ(root->Name(), "Module1");
  TTestWidget* e1 = Widget(*root, "Edit1");
  TTestWidget* e2 = Widget(*root, "Edit2");
  EXPECT_EQ(e1->Tag(), 5);
  EXPECT_TRUE(e1->Active());
  EXPECT_EQ(e1->Count(), -42);
  EXPECT_EQ(e1->Caption(), "It's");
  EXPECT_EQ(e1->Align(), TAlign::alClient);
  EXPECT_EQ(e1->Lines()->Text(), "first\n\nthird\n");
  ASSERT_EQ(e1->Items()->Count(), 2);
  auto* item = rtl::As<TTestItem>(e1->Items()->Items(0));
  EXPECT_EQ(item->Name(), "a");
  EXPECT_EQ(item->Value(), 1);
  ASSERT_EQ(item->Children()->Count(), 1);
  EXPECT_EQ(rtl::As<TTestItem>(item->Children()->Items(0))->Name(), "a.1");
  EXPECT_EQ(e1->Font()->Name(), "Mono");
  EXPECT_EQ(e1->Font()->Size(), 10);
  EXPECT_EQ(e1->Font()->Style(), 0b101);
  EXPECT_EQ(e1->Buddy(), e2);
  EXPECT_EQ(e2->Buddy(), e1);
  EXPECT_EQ(e1->OnChange(), "Edit1Change");
  EXPECT_EQ(e2->Count(), -2147483648LL);
  EXPECT_EQ(e2->Font()->Name(), "Sans");
  EXPECT_EQ(e2->Font()->Size(), 0);
}

TEST_F(FormFileTest, DesignPositionIsReadIntoTheComponentInAnyOrder) {
  auto root = Read("object Module1: TTestModule\n  object E: TTestWidget\n    top = 7\n    Caption = 'x'\n"
                   "    LEFT = 300\n  end\nend\n");
  EXPECT_EQ(Widget(*root, "E")->DesignLeft(), 300);
  EXPECT_EQ(Widget(*root, "E")->DesignTop(), 7);
  EXPECT_EQ(rtl::WriteComponentText(*root),
            "object Module1: TTestModule\n  object E: TTestWidget\n    Caption = 'x'\n    Left = 300\n    Top = 7\n"
            "  end\nend\n");
}

TEST_F(FormFileTest, EscapedStringsDecodeToUtf8) {
  auto root = Read(RoundTripRows()[3].text);
  EXPECT_EQ(Widget(*root, "E")->Caption(), "\tx\x01y\x7f");
  root = Read(RoundTripRows()[4].text);
  EXPECT_EQ(Widget(*root, "E")->Caption(), std::string("\0\x1b", 2));
  root = Read(RoundTripRows()[6].text);
  EXPECT_EQ(Widget(*root, "E")->Caption(), "a\tb\r\nc");
  root = Read(RoundTripRows()[7].text);
  EXPECT_EQ(Widget(*root, "E")->Caption(), kLong64 + kLong64 + "zz");
}

TEST_F(FormFileTest, InheritedComponentIsTheOneTheConstructorMade) {
  auto root = Read(RoundTripRows()[9].text);
  ASSERT_EQ(root->ComponentCount(), 2);
  TTestWidget* header = Widget(*root, "Header");
  EXPECT_EQ(root->Components(0), header);
  EXPECT_EQ(header->Caption(), "Top");
  EXPECT_EQ(Widget(*root, "Edit1")->Buddy(), header);
}

TEST_F(FormFileTest, ValuesEqualToDefaultsAreLeftOut) {
  TTestModule root(nullptr);
  root.SetName("Module1");
  auto* w = new TTestWidget(&root);
  w->SetName("W");
  w->SetCount(3);
  w->SetCount(0);
  w->Font()->SetName("Sans");
  w->Lines()->Add("x");
  w->Lines()->Clear();
  EXPECT_EQ(rtl::WriteComponentText(root), "object Module1: TTestModule\n  object W: TTestWidget\n  end\nend\n");
}

TEST_F(FormFileTest, PropertiesStoredConditionallyAreWrittenOnlyThen) {
  TTestModule root(nullptr);
  auto* w = new TTestWidget(&root);
  w->SetName("W");
  w->SetNote("kept");
  EXPECT_EQ(rtl::WriteComponentText(root), "object TTestModule\n  object W: TTestWidget\n  end\nend\n");
  w->SetActive(true);
  EXPECT_EQ(rtl::WriteComponentText(root),
            "object TTestModule\n  object W: TTestWidget\n    Active = True\n    Note = 'kept'\n  end\nend\n");
}

TEST_F(FormFileTest, LongStringsAreCutBetweenCharactersNotInsideThem) {
  TTestModule root(nullptr);
  auto* w = new TTestWidget(&root);
  w->SetName("W");
  // 63 ASCII bytes, then a three-byte character that would straddle byte 64.
  std::string caption = std::string(63, 'x') + "€" + "end";
  w->SetCaption(caption);
  std::string text = rtl::WriteComponentText(root);
  EXPECT_NE(text.find("'" + std::string(63, 'x') + "' +\n      '€end'"), std::string::npos) << text;
  auto back = Read(text);
  EXPECT_EQ(Widget(*back, "W")->Caption(), caption);
}

// The writer finds the quotes and control characters of a string a word at
// a time. Each is tried at every place in strings of every length around
// the word size, beside the bytes that look like them to word arithmetic
// ('&' is a quote with its low bit flipped, a blank is the first byte past
// the control characters), and each string must come back as it went out.
TEST_F(FormFileTest, QuotesAndControlCharactersAreSpelledWhereverTheyStand) {
  auto spell = [](const std::string& caption) {
    TTestModule root(nullptr);
    auto* w = new TTestWidget(&root);
    w->SetName("W");
    w->SetCaption(caption);
    return rtl::WriteComponentText(root);
  };
  const std::string specials[] = {"'", "\x01", "\x7f", "\x1f", "'&", "\x1f ", "'''", "\xc3\xa9'"};
  for (size_t length = 1; length <= 20; ++length) {
    for (const std::string& special : specials) {
      for (size_t at = 0; at + special.size() <= length; ++at) {
        std::string caption(length, 'x');
        caption.replace(at, special.size(), special);
        const std::string text = spell(caption);
        auto back = Read(text);
        ASSERT_EQ(Widget(*back, "W")->Caption(), caption) << text;
      }
    }
  }
  EXPECT_NE(spell("abcdefg'&hij").find("Caption = 'abcdefg''&hij'"), std::string::npos);
  EXPECT_NE(spell("abcdefgh\x1f jk").find("Caption = 'abcdefgh'#31' jk'"), std::string::npos);
}

}  // namespace
}  // namespace formtest
