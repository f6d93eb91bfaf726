// Sorting by keys gives the order of AnsiCompareText, for ASCII lists (its
// own key) and lists with other scripts (the collator's keys) alike.
#include <gtest/gtest.h>

#include <algorithm>

#include "rtl/system/SysUtils.h"
#include "rtl/system/TextSort.h"

namespace {

std::vector<std::string> ByComparison(std::vector<std::string> texts) {
  std::stable_sort(texts.begin(), texts.end(),
                   [](const std::string& a, const std::string& b) { return rtl::AnsiCompareText(a, b) < 0; });
  return texts;
}

TEST(TextSort, KeysOrderAsAnsiCompareText) {
  std::vector<std::string> ascii = {"orders",  "Order_Lines", "order lines", "ORDERS", "t10",  "t9",   "T1",
                                    "a-b",     "a_b",         "a.b",         "ab",     "a\tb", "~x",   "",
                                    "Stock Items", "stock-items", "$price", "#tmp", "9lives", "Zeta", "zeta2"};
  std::vector<std::string> sorted = ascii;
  rtl::AnsiSortTexts(sorted);
  EXPECT_EQ(sorted, ByComparison(ascii));

  std::vector<std::string> mixed = ascii;
  for (const char* other : {"\xC3\xA9t\xC3\xA9", "Ete", "\xC3\x89T\xC3\x89", "stra\xC3\x9F" "e", "Strasse",
                            "\xD0\xB1\xD0\xB0\xD0\xB7\xD0\xB0", "\xE8\xA1\xA8"})
    mixed.push_back(other);
  sorted = mixed;
  rtl::AnsiSortTexts(sorted);
  EXPECT_EQ(sorted, ByComparison(mixed));
}

}  // namespace
