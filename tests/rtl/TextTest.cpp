// Text helpers: Format, trimming, the ASCII comparisons against the
// locale-aware ones, and number conversion.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include <functional>

#include "rtl/system/Exceptions.h"
#include "rtl/system/SysUtils.h"

namespace {

TEST(Format, FormatsAsThePlatform) {
  EXPECT_EQ(rtl::Format("Item%.2d", {int64_t{0}}), "Item00");
  EXPECT_EQ(rtl::Format("Item%.2d", {int64_t{7}}), "Item07");
  EXPECT_EQ(rtl::Format("Item%.2d", {int64_t{100}}), "Item100");
  EXPECT_EQ(rtl::Format("%.2d", {int64_t{-5}}), "-05");
  EXPECT_EQ(rtl::Format("%d items in %s", {int64_t{3}, std::string("list")}), "3 items in list");
  EXPECT_EQ(rtl::Format("[%5s]", {std::string("ab")}), "[   ab]");
  EXPECT_EQ(rtl::Format("[%-5s]", {std::string("ab")}), "[ab   ]");
  EXPECT_EQ(rtl::Format("[%.2s]", {std::string("abcdef")}), "[ab]");
  EXPECT_EQ(rtl::Format("%x", {int64_t{255}}), "FF");
  EXPECT_EQ(rtl::Format("100%%", {}), "100%");
  EXPECT_EQ(rtl::Format("%s", {std::string("\xC3\xBC")}), "\xC3\xBC");
  EXPECT_EQ(rtl::Format("%d", {int64_t{INT64_MIN}}), "-9223372036854775808");
}

// Raises EConvertError naming the format, or reports why not.
::testing::AssertionResult RaisesNamingFormat(const std::function<std::string()>& format, const std::string& fmt) {
  try {
    std::string out = format();
    return ::testing::AssertionFailure() << "no error for " << fmt << ", gave " << out;
  } catch (const rtl::EConvertError& e) {
    if (std::string(e.what()).find(fmt) == std::string::npos)
      return ::testing::AssertionFailure() << "message does not name " << fmt << ": " << e.what();
    return ::testing::AssertionSuccess();
  }
}

TEST(Format, MismatchedOrMissingArgumentsRaise) {
  EXPECT_TRUE(RaisesNamingFormat([] { return rtl::Format("%d", {std::string("x")}); }, "%d"));
  EXPECT_TRUE(RaisesNamingFormat([] { return rtl::Format("%s", {int64_t{1}}); }, "%s"));
  EXPECT_TRUE(RaisesNamingFormat([] { return rtl::Format("%s %s", {std::string("x")}); }, "%s %s"));
  EXPECT_TRUE(RaisesNamingFormat([] { return rtl::Format("%", {}); }, "%"));
  EXPECT_TRUE(RaisesNamingFormat([] { return rtl::Format("%q", {int64_t{1}}); }, "%q"));
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

TEST(Text, FoldedFormsAreEqualExactlyForAnsiSameTexts) {
  // Pairs that mix ASCII and other scripts, special foldings and near misses.
  const std::vector<std::pair<std::string, std::string>> pairs{
      {"ORDER_ID", "order_id"},
      {"SS", "\xC3\x9F"},                                // sharp s folds to "ss"
      {"STRASSE", "stra\xC3\x9F" "e"},
      {"\xCE\xA3\xCE\x91\xCE\xA3", "\xCF\x83\xCE\xB1\xCF\x82"},  // final sigma
      {"K", "\xE2\x84\xAA"},                            // Kelvin sign
      {"I", "\xC4\xB1"},                                 // dotless i stays apart
      {"resume", "r\xC3\xA9sum\xC3\xA9"},
      {"abc", "abcd"},
      {"", ""},
  };
  for (const auto& [a, b] : pairs)
    EXPECT_EQ(rtl::AnsiSameText(a, b), rtl::AnsiFoldCase(a) == rtl::AnsiFoldCase(b)) << a << " / " << b;
  EXPECT_EQ(rtl::AnsiFoldCase("SS"), rtl::AnsiFoldCase("\xC3\x9F"));
  EXPECT_NE(rtl::AnsiFoldCase("I"), rtl::AnsiFoldCase("\xC4\xB1"));
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
