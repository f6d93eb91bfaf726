// The one escaper of printed text: each kind of character in each mode.
#include <gtest/gtest.h>

#include <string>

#include "rtl/text/Escaping.h"

namespace {

using rtl::TEscapeMode;

struct TCase {
  const char* What;
  std::string Text, Item, Message, Cell;
};

TEST(Escaping, EachKindOfCharacterInEachMode) {
  const TCase cases[] = {
      {"plain text and other scripts", "Grüße, 東京 😀", "Grüße, 東京 😀", "Grüße, 東京 😀", "Grüße, 東京 😀"},
      {"backslash", "a\\b", "a\\\\b", "a\\b", "a\\b"},
      {"tab, CR", "a\tb\rc", "a\\tb\\rc", "a\\x09b\\x0dc", "a\tb\rc"},
      {"line break", "one\ntwo", "one\\ntwo", "one\n  two", "one\ntwo"},
      {"a forged line", "x\ndvdesigner data: done", "x\\ndvdesigner data: done", "x\n  dvdesigner data: done",
       "x\ndvdesigner data: done"},
      {"C0 and DEL", std::string("\x1b]0;t\x07\x7f\x00z", 9), "\\x1b]0;t\\x07\\x7f\\x00z",
       "\\x1b]0;t\\x07\\x7f\\x00z", std::string("\x1b]0;t\x07\x7f\x00z", 9)},
      {"C1 (CSI, U+0080, U+009F) but not U+00A0", "\xc2\x9b" "2J\xc2\x80\xc2\x9f\xc2\xa0", "\\x9b2J\\x80\\x9f\xc2\xa0",
       "\\x9b2J\\x80\\x9f\xc2\xa0", "\xc2\x9b" "2J\xc2\x80\xc2\x9f\xc2\xa0"},
      {"bytes that are not UTF-8", "A\xff" "B\xc3(\xe2\x82", "A\\xffB\\xc3(\\xe2\\x82", "A\\xffB\\xc3(\\xe2\\x82",
       "A\\xffB\\xc3(\\xe2\\x82"},
      {"overlong, surrogate, beyond U+10FFFF", "\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80",
       "\\xc0\\xaf\\xed\\xa0\\x80\\xf4\\x90\\x80\\x80", "\\xc0\\xaf\\xed\\xa0\\x80\\xf4\\x90\\x80\\x80",
       "\\xc0\\xaf\\xed\\xa0\\x80\\xf4\\x90\\x80\\x80"},
      {"a lone C1 byte", "\x9b", "\\x9b", "\\x9b", "\\x9b"},
      {"empty", "", "", "", ""},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(rtl::EscapeText(c.Text, TEscapeMode::Item), c.Item) << c.What;
    EXPECT_EQ(rtl::EscapeText(c.Text, TEscapeMode::Message), c.Message) << c.What;
    EXPECT_EQ(rtl::EscapeText(c.Text, TEscapeMode::Cell), c.Cell) << c.What;
  }
}

}  // namespace
