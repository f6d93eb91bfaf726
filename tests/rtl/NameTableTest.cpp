// The case-blind name table: names equal but for ASCII letter case find each
// other; names that only hash alike (their bytes equal once the 0x20 bit is
// cleared, as '@' and '`') stay apart; removing keeps every other name
// reachable, whatever runs of neighbours the table holds.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "rtl/objects/NameTable.h"

namespace {

struct TNamed {
  std::string Name;
};
struct TNameOf {
  static std::string_view Get(const TNamed& n) { return n.Name; }
};
using TTable = rtl::TNameTable<TNamed, TNameOf>;

std::vector<std::unique_ptr<TNamed>> Names(const std::vector<std::string>& names) {
  std::vector<std::unique_ptr<TNamed>> out;
  for (const std::string& n : names) out.push_back(std::make_unique<TNamed>(TNamed{n}));
  return out;
}

TEST(NameTable, FindsIgnoringLetterCaseOnly) {
  auto items = Names({"Widget1", "Query_Customers2", "a", "", "Ünïcode", "Name@", "Name[x]", "LongerThanEightBytes"});
  TTable table;
  for (auto& item : items) table.Insert(item.get());
  EXPECT_EQ(table.Size(), items.size());
  EXPECT_EQ(table.Find("WIDGET1"), items[0].get());
  EXPECT_EQ(table.Find("query_customers2"), items[1].get());
  EXPECT_EQ(table.Find("A"), items[2].get());
  EXPECT_EQ(table.Find(""), items[3].get());
  EXPECT_EQ(table.Find("longerthaneightBYTES"), items[7].get());
  // Bytes that differ in the 0x20 bit but are not letters are different names.
  EXPECT_EQ(table.Find("Name`"), nullptr);
  EXPECT_EQ(table.Find("Name{x}"), nullptr);
  EXPECT_EQ(table.Find("Name[X]"), items[6].get());
  EXPECT_EQ(table.Find("Widget1\x7f"), nullptr);
  EXPECT_EQ(table.Find("Widget"), nullptr);
  // Only ASCII letters fold: other bytes must match exactly.
  EXPECT_EQ(table.Find("üNïCODE"), nullptr);
  EXPECT_EQ(table.Find("ÜNÏCODE"), nullptr);
  EXPECT_EQ(table.Find("ÜnïCODE"), items[4].get());
}

TEST(NameTable, ManyNamesSurviveGrowthAndRemoval) {
  std::vector<std::string> names;
  for (int i = 0; i < 5000; ++i) names.push_back("Widget" + std::to_string(i));
  for (int i = 0; i < 500; ++i) names.push_back("W" + std::string(static_cast<size_t>(i % 40), 'x') + std::to_string(i));
  auto items = Names(names);
  TTable table;
  for (auto& item : items) table.Insert(item.get());
  ASSERT_EQ(table.Size(), items.size());
  // Every other name goes; the rest are still found, the gone ones not.
  for (size_t i = 0; i < items.size(); i += 2) table.Erase(items[i]->Name, items[i].get());
  for (size_t i = 0; i < items.size(); ++i) {
    const std::string upper = rtl::UpperCase(items[i]->Name);
    EXPECT_EQ(table.Find(upper), i % 2 == 0 ? nullptr : items[i].get()) << items[i]->Name;
  }
  // A name inserted again replaces the entry of that name.
  TNamed again{"WIDGET1"};
  table.Insert(&again);
  EXPECT_EQ(table.Find("widget1"), &again);
  EXPECT_EQ(table.Size(), items.size() / 2);
}

}  // namespace
