// Text helpers: Format, trimming, the ASCII comparisons against the
// locale-aware ones, and number conversion.
#include <gtest/gtest.h>

#include "rtl/Exceptions.h"
#include "rtl/SysUtils.h"

namespace {

struct FormatRow {
  const char* Fmt;
  std::initializer_list<rtl::TVarRec> Args;
  const char* Expected;
};

TEST(Format, FormatsAsThePlatform) {
  const FormatRow rows[] = {
      {"Item%.2d", {int64_t{0}}, "Item00"},
      {"Item%.2d", {int64_t{7}}, "Item07"},
      {"Item%.2d", {int64_t{100}}, "Item100"},
      {"%.2d", {int64_t{-5}}, "-05"},
      {"%d items in %s", {int64_t{3}, std::string("list")}, "3 items in list"},
      {"[%5s]", {std::string("ab")}, "[   ab]"},
      {"[%-5s]", {std::string("ab")}, "[ab   ]"},
      {"[%.2s]", {std::string("abcdef")}, "[ab]"},
      {"%x", {int64_t{255}}, "FF"},
      {"100%%", {}, "100%"},
      {"%s", {std::string("\xC3\xBC")}, "\xC3\xBC"},
      {"%d", {int64_t{INT64_MIN}}, "-9223372036854775808"},
  };
  for (const FormatRow& row : rows) EXPECT_EQ(rtl::Format(row.Fmt, row.Args), row.Expected) << row.Fmt;
}

TEST(Format, MismatchedOrMissingArgumentsRaise) {
  const std::pair<const char*, std::initializer_list<rtl::TVarRec>> bad[] = {
      {"%d", {std::string("x")}}, {"%s", {int64_t{1}}}, {"%s %s", {std::string("x")}}, {"%", {}}, {"%q", {int64_t{1}}}};
  for (const auto& [fmt, args] : bad) {
    try {
      rtl::Format(fmt, args);
      ADD_FAILURE() << "no error for " << fmt;
    } catch (const rtl::EConvertError& e) {
      EXPECT_NE(std::string(e.what()).find(fmt), std::string::npos) << e.what();
    }
  }
}

TEST(Text, TrimRemovesBlanksAndControlCharacters) {
  EXPECT_EQ(rtl::Trim(" \t\r\n x y \x01\x1F"), "x y");
  EXPECT_EQ(rtl::TrimLeft("  x "), "x ");
  EXPECT_EQ(rtl::TrimRight("  x "), "  x");
  EXPECT_EQ(rtl::Trim("   "), "");
  EXPECT_EQ(rtl::Trim("\xC2\xA0x"), "\xC2\xA0x");  // a UTF-8 no-break space is text
}

TEST(Text, CompareTextIsAsciiOnlyWhileAnsiVariantsFoldEveryScript) {
  EXPECT_EQ(rtl::CompareText("abc", "ABC"), 0);
  EXPECT_LT(rtl::CompareText("abc", "abd"), 0);
  EXPECT_GT(rtl::CompareText("abcd", "ABC"), 0);
  EXPECT_TRUE(rtl::SameText("Dralvo", "dRALVO"));
  // ASCII comparison leaves other letters alone ...
  EXPECT_NE(rtl::CompareText("\xC3\xA4", "\xC3\x84"), 0);
  EXPECT_FALSE(rtl::SameText("\xC3\xA4rger", "\xC3\x84RGER"));
  // ... the locale-aware one does not.
  EXPECT_EQ(rtl::AnsiCompareText("\xC3\xA4rger", "\xC3\x84RGER"), 0);
  EXPECT_TRUE(rtl::AnsiSameText("\xCE\xB1\xCE\xB2", "\xCE\x91\xCE\x92"));  // Greek
  EXPECT_FALSE(rtl::AnsiSameText("resume", "r\xC3\xA9sum\xC3\xA9"));
  EXPECT_FALSE(rtl::AnsiSameText("abc", "abcd"));
  EXPECT_LT(rtl::AnsiCompareText("apple", "Banana"), 0);  // letters before case
  EXPECT_GT(rtl::AnsiCompareText("Zebra", "apple"), 0);
  EXPECT_EQ(rtl::AnsiCompareText("a", "b"), -rtl::AnsiCompareText("b", "a"));
  EXPECT_EQ(rtl::AnsiUpperCase("stra\xC3\x9F" "e \xC3\xA4"), "STRASSE \xC3\x84");
  EXPECT_EQ(rtl::UpperCase("\xC3\xA4x"), "\xC3\xA4X");
}

TEST(Text, IntegersConvertWithPlatformPrefixes) {
  const std::pair<const char*, int64_t> good[] = {{"42", 42},  {" -42 ", -42}, {"+7", 7},
                                                  {"$ff", 255}, {"0x1F", 31},  {"-9223372036854775808", INT64_MIN}};
  for (const auto& [text, value] : good) {
    int64_t v = 0;
    EXPECT_TRUE(rtl::TryStrToInt(text, v)) << text;
    EXPECT_EQ(v, value) << text;
  }
  for (const char* text : {"", "-", "1.0", "12a", "9223372036854775808", "--1", "0x", "$", "+-1"}) {
    int64_t v = 0;
    EXPECT_FALSE(rtl::TryStrToInt(text, v)) << text;
    EXPECT_EQ(rtl::StrToIntDef(text, -3), -3) << text;
  }
  EXPECT_THROW(rtl::StrToInt("x1"), rtl::EConvertError);
  EXPECT_EQ(rtl::IntToStr(-12), "-12");
}

TEST(Text, PathHelpers) {
  EXPECT_EQ(rtl::ExtractFilePath("/a/b/c.ini"), "/a/b/");
  EXPECT_EQ(rtl::ExtractFileName("/a/b/c.ini"), "c.ini");
  EXPECT_EQ(rtl::ExtractFileExt("/a.b/c"), "");
  EXPECT_EQ(rtl::ExtractFileExt("c.tar.gz"), ".gz");
  EXPECT_EQ(rtl::ChangeFileExt("/a/c.ini", ".bak"), "/a/c.bak");
  EXPECT_EQ(rtl::IncludeTrailingPathDelimiter("/a"), "/a/");
  EXPECT_EQ(rtl::IncludeTrailingPathDelimiter("/a/"), "/a/");
  EXPECT_EQ(rtl::StringReplaceAll("a.b.c", ".", "::"), "a::b::c");
  EXPECT_EQ(rtl::StringReplaceAll("aaa", "aa", "a"), "aa");
}

}  // namespace
