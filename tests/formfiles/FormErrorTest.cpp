// Bad input is refused with the file, line and column and what was
// expected, and leaves nothing behind (the fixture checks that every object
// made while reading is freed).
#include <string>

#include "FormFixture.h"
#include "rtl/system/SysUtils.h"

namespace formtest {
namespace {

struct ErrorRow {
  const char* name;
  std::string text;
  int line;
  int column;
  const char* reason;  // part of the reason
};
void PrintTo(const ErrorRow& row, std::ostream* os) { *os << row.name; }

// Line 3 of these texts is the widget's first property line.
std::string Module(const std::string& widgetBody) {
  return "object Module1: TTestModule\n  object E: TTestWidget\n" + widgetBody + "  end\nend\n";
}

std::vector<ErrorRow> ErrorRows() {
  return {
      {"EmptyText", "", 1, 1, "Expected \"object\", found end of file"},
      {"UnknownRootClass", "object M: TNoSuch\nend\n", 1, 11, "Class TNoSuch not found"},
      {"UnknownChildClass", "object M: TTestModule\n  object X: TNoSuch\n  end\nend\n", 2, 13,
       "Class TNoSuch not found"},
      {"RootNotAComponent", "object M: TTestFont\nend\n", 1, 11, "cannot be the root"},
      {"ChildNotAComponent", "object M: TTestModule\n  object F: TTestFont\n  end\nend\n", 2, 13,
       "not a component class"},
      {"UnknownProperty", Module("    Bogus = 1\n"), 3, 5, "Unknown property Bogus of class TTestWidget"},
      {"UnknownSubProperty", Module("    Font.Bogus = 1\n"), 3, 10, "Unknown property Bogus of class TTestFont"},
      {"PathThroughAString", Module("    Caption.Length = 1\n"), 3, 5, "has no sub-properties"},
      {"UnterminatedString", Module("    Caption = 'abc\n"), 3, 15, "Unterminated string"},
      {"MissingEquals", Module("    Caption 'x'\n"), 3, 13, "Expected \"=\", found a string"},
      {"UnknownEnumValue", Module("    Align = alLeft\n"), 3, 13, "Invalid value alLeft for property Align"},
      {"NumberForBoolean", Module("    Active = 1\n"), 3, 14, "Expected True or False"},
      {"StringForInteger", Module("    Count = 'x'\n"), 3, 13, "Expected an integer, found a string"},
      {"IdentifierForString", Module("    Caption = Foo\n"), 3, 15, "Expected a string for property Caption"},
      {"IntegerBeyond32Bits", Module("    Count = 2147483648\n"), 3, 13, "Value out of range"},
      {"IntegerBeyond64Bits", Module("    Count = 99999999999999999999\n"), 3, 13, "Integer value out of range"},
      {"FloatingPoint", Module("    Count = 1.5\n"), 3, 13, "Floating-point values are not supported"},
      {"LetterInNumber", Module("    Count = 12ab\n"), 3, 15, "Invalid character in number"},
      {"MissingEnd", "object M: TTestModule\n  object E: TTestWidget\n  end\n", 4, 1,
       "Expected \"object\" or \"end\", found end of file"},
      {"TextAfterRoot", "object M: TTestModule\nend\nobject N: TTestModule\nend\n", 3, 1, "Expected end of file"},
      {"DuplicateName", "object M: TTestModule\n  object A: TTestWidget\n  end\n  object a: TTestWidget\n  end\nend\n",
       4, 3, "already exists"},
      {"UnknownReference", Module("    Buddy = Nobody\n"), 3, 13, "Unknown component Nobody"},
      {"ReferenceToOtherModule", Module("    Buddy = Other.E\n"), 3, 13, "Unknown component Other.E"},
      {"ReferenceOfWrongClass", Module("    Buddy = Module1\n"), 3, 13, "Cannot set property Buddy"},
      {"SetterRefuses", Module("    Buddy = E\n"), 3, 13, "A widget cannot be its own buddy"},
      {"ReadOnlyProperty", Module("    Revision = 3\n"), 3, 5, "Property Revision is read-only"},
      {"LoneSurrogateCode", Module("    Caption = #55296\n"), 3, 15, "lone surrogate"},
      {"CodeBeyondUnicode", Module("    Caption = 'a'#1114112\n"), 3, 18, "Character code out of range"},
      {"HashWithoutDigits", Module("    Caption = #x\n"), 3, 15, "Expected a character code"},
      {"UnexpectedCharacter", Module("    Count = @\n"), 3, 13, "Unexpected character \"@\""},
      {"NonAsciiIdentifier", Module("    Cäption = 'x'\n"), 3, 6, "Unexpected character byte 0xC3"},
      {"UnknownSetElement", Module("    Font.Style = [fsBold, fsStrike]\n"), 3, 27, "Invalid element fsStrike"},
      {"SetWithoutComma", Module("    Font.Style = [fsBold fsItalic]\n"), 3, 26, "Expected \",\""},
      {"PlusWithoutString", Module("    Caption = 'a' + 1\n"), 3, 21, "Expected a string after \"+\""},
      // Columns count characters, not bytes.
      {"ColumnsCountCharacters", Module("    Caption = 'äöü' + 1\n"), 3, 23, "Expected a string after \"+\""},
      {"ListWithoutStrings", Module("    Lines = ('a')\n"), 3, 5, "Expected Lines.Strings"},
      {"ObjectGivenAValue", Module("    Font = 'x'\n"), 3, 5, "Property Font is an object"},
      {"ListItemNotAString", Module("    Lines.Strings = (\n      'a'\n      12)\n"), 5, 7, "Expected a string"},
      {"CollectionNotClosed", Module("    Items = <\n      item\n      end\n"), 6, 3, "Expected \"item\" or \">\""},
      {"CollectionItemBadProperty", Module("    Items = <\n      item\n        Colour = 1\n      end>\n"), 5, 9,
       "Unknown property Colour of class TTestItem"},
      {"PropertyAfterChild",
       "object M: TTestModule\n  object A: TTestWidget\n  end\n  Tag = 1\nend\n", 4, 3,
       "Expected \"object\" or \"end\", found \"Tag\""},
      {"InheritedNotThere", "object M: TTestModule\n  inherited Header: TTestWidget\n  end\nend\n", 2, 3,
       "Inherited component Header not found"},
      {"InheritedOfOtherClass", "object M: TTestInheritedModule\n  inherited Header: TTestModule\n  end\nend\n", 2, 21,
       "is a TTestWidget, not a TTestModule"},
      {"InlineFrame", "object M: TTestModule\n  inline F: TTestWidget\n  end\nend\n", 2, 3, "not supported"},
      {"LoadedFails", Module("    Caption = 'fail in Loaded'\n"), 2, 3, "Loading E failed: cannot start"},
      {"MethodNotAnIdentifier", Module("    OnChange = 'x'\n"), 3, 16, "the name of an event handler"},
      // The reader scans up to the NUL after the text; a NUL byte within it
      // is a character like any other, and the text's end is still its end.
      {"NulByteOutsideQuotes", Module(std::string("    Count = 1\0\n", 15)), 3, 14, "Unexpected character byte 0x00"},
      {"NulByteThenLineBreakInQuotes", Module(std::string("    Caption = 'a\0b\n", 19)), 3, 15, "Unterminated string"},
      {"TextEndsInsideQuotes", "object M: TTestModule\n  Name = 'abc", 2, 10, "Unterminated string"},
      {"TextEndsAfterName", "object M: TTestModule\n  Tag", 2, 6, "Expected \"=\", found end of file"},
      {"TextEndsAfterBlanks", "object M: TTestModule\n  Tag = 1\n   \t ", 3, 6,
       "Expected \"object\" or \"end\", found end of file"},
  };
}

class BadInput : public FormFileTest, public ::testing::WithParamInterface<ErrorRow> {
 protected:
  void ExpectRefusedAtItsPlace(const std::string& text) {
    const ErrorRow& row = GetParam();
    try {
      Read(text);
      ADD_FAILURE() << "accepted";
    } catch (const rtl::EFormFileError& e) {
      EXPECT_EQ(e.Source(), "test.dfm");
      EXPECT_EQ(e.Line(), row.line) << e.what();
      EXPECT_EQ(e.Column(), row.column) << e.what();
      EXPECT_NE(e.Reason().find(row.reason), std::string::npos) << e.what();
      std::string place = "test.dfm:" + std::to_string(row.line) + ":" + std::to_string(row.column) + ": ";
      EXPECT_EQ(std::string(e.what()).rfind(place, 0), 0u) << e.what();
    }
  }
};

TEST_P(BadInput, IsRefusedWithItsPlace) { ExpectRefusedAtItsPlace(GetParam().text); }

// Lines that end with CR alone or with CR LF count the same.
TEST_P(BadInput, IsRefusedWithItsPlaceAfterCrAndCrLfLineBreaks) {
  for (const char* lineBreak : {"\r", "\r\n"}) {
    SCOPED_TRACE(lineBreak[1] == 0 ? "CR" : "CR LF");
    ExpectRefusedAtItsPlace(rtl::StringReplaceAll(GetParam().text, "\n", lineBreak));
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, BadInput, ::testing::ValuesIn(ErrorRows()),
                         [](const auto& row) { return std::string(row.param.name); });

// Objects nested `levels` deep counting the root.
std::string NestedObjects(int levels) {
  std::string text = "object M: TTestModule\n";
  for (int i = 1; i < levels; ++i) text += "object W" + std::to_string(i) + ": TTestWidget\n";
  for (int i = 0; i < levels; ++i) text += "end\n";
  return text;
}

// Collections nested inside one widget: root (1), widget (2), then `levels`.
std::string NestedCollections(int levels) {
  std::string text = "object M: TTestModule\nobject W: TTestWidget\nItems = <\n";
  for (int i = 1; i < levels; ++i) text += "item\nChildren = <\n";
  text += "item\nend\n";
  for (int i = 1; i < levels; ++i) text += ">\nend\n";
  return text + ">\nend\nend\n";
}

TEST_F(FormFileTest, NulByteInsideQuotesIsText) {
  auto root = Read(Module(std::string("    Caption = 'a\0b'\n", 20)));
  EXPECT_EQ(Widget(*root, "E")->Caption(), std::string("a\0b", 3));
  root = Read("object M: TTestModule\n  Tag = 7\nend");  // no line break after the last line
  EXPECT_EQ(root->Tag(), 7);
}

// The end of a quoted run is looked for many bytes at a time: a quote, a NUL
// or a line break is found at every place in runs shorter and longer than
// one stride, and a run cut off by the end of the text is refused.
TEST_F(FormFileTest, EveryStopInLongQuotedRunsIsFound) {
  for (size_t length = 1; length <= 40; ++length) {
    for (size_t at = 0; at < length; ++at) {
      SCOPED_TRACE("length " + std::to_string(length) + ", at " + std::to_string(at));
      std::string plain(length, 'x');
      auto with = [&](std::string_view stop) { return plain.substr(0, at) + std::string(stop) + plain.substr(at + 1); };
      auto caption = [&](const std::string& quoted) {
        return Widget(*Read(Module("    Caption = '" + quoted + "'\n")), "E")->Caption();
      };
      EXPECT_EQ(caption(with("''")), with("'"));
      EXPECT_EQ(caption(with(std::string(1, '\0'))), with(std::string(1, '\0')));
      for (const char* lineBreak : {"\n", "\r"}) {
        try {
          Read(Module("    Caption = '" + with(lineBreak) + "'\n"));
          ADD_FAILURE() << "a line break inside quotes was read";
        } catch (const rtl::EFormFileError& e) {
          EXPECT_EQ(e.Line(), 3);
          EXPECT_EQ(e.Column(), 15);
          EXPECT_EQ(e.Reason(), "Unterminated string");
        }
      }
    }
    EXPECT_THROW(Read("object M: TTestModule\n  Name = '" + std::string(length, 'x')), rtl::EFormFileError);
  }
}

TEST_F(FormFileTest, NestingUpToTheLimitIsRead) {
  EXPECT_EQ(Read(NestedObjects(64))->ComponentCount(), 63);
  EXPECT_NO_THROW(Read(NestedCollections(62)));
}

TEST_F(FormFileTest, NestingBeyondTheLimitIsRefused) {
  EXPECT_THROW(Read(NestedObjects(65)), rtl::EFormFileError);
  EXPECT_THROW(Read(NestedCollections(63)), rtl::EFormFileError);
  try {
    Read(NestedObjects(65));
  } catch (const rtl::EFormFileError& e) {
    EXPECT_EQ(e.Line(), 65);
    EXPECT_NE(e.Reason().find("Nesting deeper than 64 levels"), std::string::npos);
  }
  // Far beyond: refused the same way, without exhausting the stack.
  EXPECT_THROW(Read(NestedObjects(100000)), rtl::EFormFileError);
}

TEST_F(FormFileTest, LimitCanBeLowered) {
  rtl::TFormReadOptions options;
  options.MaxDepth = 2;
  EXPECT_NO_THROW(Read(NestedObjects(2), options));
  EXPECT_THROW(Read(NestedObjects(3), options), rtl::EFormFileError);
}

}  // namespace
}  // namespace formtest
