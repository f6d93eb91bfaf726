// String lists: look-ups that ignore case in every script, name=value
// entries, text in and out, and the list operations editors rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "rtl/system/Exceptions.h"
#include "rtl/text/LineText.h"
#include "rtl/text/Strings.h"

namespace {

using Lines = std::vector<std::string>;

struct LookupRow {
  Lines Items;
  const char* Wanted;
  int Expected;
};

TEST(StringList, IndexOfIgnoresCaseInEveryScript) {
  const LookupRow rows[] = {
      {{"alpha", "Beta", "gamma"}, "BETA", 1},
      {{"alpha", "Beta", "BETA"}, "beta", 1},  // the first match counts
      {{"\xC3\x84rger", "\xC3\xB6l"}, "\xC3\x96L", 1},  // Ärger, öl / ÖL
      {{"\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0"}, "\xD0\xBC\xD0\x9E\xD0\xA1\xD0\x9A\xD0\x92\xD0\x90", 0},
      {{"resume"}, "r\xC3\xA9sum\xC3\xA9", -1},  // accents still count
      {{"a b"}, "a  b", -1},
      {{}, "x", -1},
  };
  for (const LookupRow& row : rows) {
    rtl::TStringList list;
    for (const auto& s : row.Items) list.Add(s);
    EXPECT_EQ(list.IndexOf(row.Wanted), row.Expected) << row.Wanted;
  }
}

TEST(StringList, NamesAndValuesSplitAtTheFirstEquals) {
  rtl::TStringList list{"User=sa", "Path=a=b", "NoValue", "=empty name", "\xC3\x9C" "ber=1", "user=second"};
  EXPECT_EQ(list.Names(0), "User");
  EXPECT_EQ(list.ValueFromIndex(1), "a=b");
  EXPECT_EQ(list.Names(2), "");
  EXPECT_EQ(list.ValueFromIndex(2), "");
  EXPECT_EQ(list.Names(3), "");
  EXPECT_EQ(list.IndexOfName("USER"), 0);
  EXPECT_EQ(list.Values("user"), "sa");
  EXPECT_EQ(list.IndexOfName("\xC3\xBC" "BER"), 4);
  EXPECT_EQ(list.IndexOfName("NoValue"), -1);
  EXPECT_EQ(list.Values("Missing"), "");

  list.SetValue("PATH", "c");
  EXPECT_EQ(list[1], "PATH=c");
  list.SetValue("New", "1");
  EXPECT_EQ(list[list.Count() - 1], "New=1");
  list.SetValue("user", "");  // an empty value removes the first entry
  EXPECT_EQ(list.IndexOfName("user"), 4);
}

TEST(StringList, TextReadsEveryLineBreakAndWritesItsOwn) {
  rtl::TStringList list;
  list.SetText("a\r\nb\nc\rd");
  EXPECT_EQ(list.ToVector(), (Lines{"a", "b", "c", "d"}));
  list.SetText("a\n\nb\n");
  EXPECT_EQ(list.ToVector(), (Lines{"a", "", "b"}));
  EXPECT_EQ(list.Text(), "a\n\nb\n");
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
  list.SetText("\r\n");
  EXPECT_EQ(list.ToVector(), (Lines{""}));
  rtl::TStringList quoted{"plain", "with space", "", "say \"hi\"", "a,b"};
  EXPECT_EQ(quoted.CommaText(), "plain,\"with space\",\"\",\"say \"\"hi\"\"\",\"a,b\"");
}

TEST(StringList, MoveInsertDeleteKeepObjectsWithTheirEntries) {
  rtl::TStringList owner;
  rtl::TStringList list{"a", "b", "c", "d"};
  list.PutObject(3, &owner);
  list.Move(3, 0);
  EXPECT_EQ(list.ToVector(), (Lines{"d", "a", "b", "c"}));
  EXPECT_EQ(list.GetObject(0), &owner);
  list.Move(0, 3);
  EXPECT_EQ(list.ToVector(), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(list.IndexOfObject(&owner), 3);
  list.Insert(0, "first");
  list.Insert(list.Count(), "last");
  EXPECT_EQ(list.ToVector(), (Lines{"first", "a", "b", "c", "d", "last"}));
  list.Delete(1);
  EXPECT_EQ(list.ToVector(), (Lines{"first", "b", "c", "d", "last"}));
  list.Exchange(0, 4);
  EXPECT_EQ(list.ToVector(), (Lines{"last", "b", "c", "d", "first"}));
  EXPECT_THROW(list.Insert(7, "x"), rtl::EListError);
  EXPECT_THROW(list.Delete(5), rtl::EListError);
  EXPECT_THROW(list.Get(-1), rtl::EListError);
  EXPECT_THROW(list.Move(0, 5), rtl::EListError);
}

TEST(StringList, AssignAndAddStringsCopyEntriesAndObjects) {
  rtl::TStringList marker;
  rtl::TStringList source{"x=1", "y=2"};
  source.PutObject(1, &marker);
  rtl::TStringList target{"old"};
  int changes = 0;
  target.OnChange = [&](rtl::TStringList&) { ++changes; };
  target.Assign(source);
  EXPECT_EQ(target.ToVector(), source.ToVector());
  EXPECT_EQ(target.GetObject(1), &marker);
  EXPECT_EQ(changes, 1);  // one notification for the whole assignment
  target.AddStrings(source);
  EXPECT_EQ(target.ToVector(), (Lines{"x=1", "y=2", "x=1", "y=2"}));
  target.Assign(target);
  EXPECT_EQ(target.Count(), 4);
  EXPECT_TRUE(target.Equals(target));
  EXPECT_FALSE(target.Equals(source));
}

TEST(StringList, SortedListsFindAndRefuseAsConfigured) {
  rtl::TStringList list{"pear", "Apple", "banana"};
  list.SetSorted(true);
  EXPECT_EQ(list.ToVector(), (Lines{"Apple", "banana", "pear"}));
  list.Add("APPLE");  // duplicates ignored by default
  EXPECT_EQ(list.Count(), 3);
  list.Add("cherry");
  EXPECT_EQ(list.IndexOf("CHERRY"), 2);
  EXPECT_THROW(list.Put(0, "x"), rtl::EListError);
  list.SetDuplicates(rtl::TDuplicates::dupError);
  EXPECT_THROW(list.Add("Pear"), rtl::EListError);
  list.SetDuplicates(rtl::TDuplicates::dupAccept);
  list.Add("Pear");
  EXPECT_EQ(list.Count(), 5);
  list.SetDuplicates(rtl::TDuplicates::dupIgnore);
  for (const char* line : {"date", "apple", "Avocado"}) list.Add(line);  // each placed in order
  EXPECT_EQ(list.ToVector(), (Lines{"Apple", "Avocado", "banana", "cherry", "date", "Pear", "pear"}));
  rtl::TLineText replacement;
  replacement.AddLine("plum");
  replacement.AddLine("fig");
  list.SetLines(replacement);  // still placed in order
  EXPECT_EQ(list.ToVector(), (Lines{"fig", "plum"}));
}

rtl::TLineText LinesOf(std::initializer_list<std::string_view> lines) {
  rtl::TLineText text;
  for (std::string_view line : lines) text.AddLine(line);
  return text;
}

TEST(LineText, EntriesKeepTheirOwnLineBreaksAndAppendWholeTexts) {
  rtl::TLineText text;
  text.Current().append("select a\r\nfrom t");
  text.EndLine();
  text.AddLine("");
  text.AddLines(LinesOf({"where", "  a = :OLD_a"}));
  ASSERT_EQ(text.Count(), 4u);
  EXPECT_EQ(text.Line(0), "select a\r\nfrom t");
  EXPECT_EQ(text.Line(1), "");
  EXPECT_EQ(text.Line(2), "where");
  EXPECT_EQ(text.Line(3), "  a = :OLD_a");
}

TEST(StringList, SetLinesOverwritesEveryEntryInOneChange) {
  rtl::TStringList owned{"a", "b", "c"};
  owned.SetOwnsObjects(true);
  owned.PutObject(0, new rtl::TStringList);  // freed by the overwrite (the leak checker watches)
  int changes = 0;
  owned.OnChange = [&](rtl::TStringList&) { ++changes; };
  owned.SetLines(LinesOf({"a long line that does not fit in a short string", "x"}));
  EXPECT_EQ(owned.ToVector(), (Lines{"a long line that does not fit in a short string", "x"}));
  EXPECT_EQ(owned.GetObject(0), nullptr);
  EXPECT_EQ(changes, 1);
  owned.SetLines(LinesOf({"1", "2", "3", "4"}));  // grows again
  EXPECT_EQ(owned.ToVector(), (Lines{"1", "2", "3", "4"}));
  owned.BeginUpdate();
  owned.SetLines(rtl::TLineText());
  EXPECT_EQ(changes, 2);  // told once the update ends
  owned.EndUpdate();
  EXPECT_EQ(owned.Count(), 0);
  EXPECT_EQ(changes, 3);
}

}  // namespace

// Entries share one block of text: rewriting them shorter or longer,
// inserting, moving and deleting (until the block is packed again) leaves
// every entry as a list of separate strings would have it.
TEST(StringList, EntriesSharingOneBlockStayApartThroughEveryChange) {
  rtl::TStringList list;
  Lines model;
  uint32_t seed = 12345;
  auto next = [&](uint32_t below) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % below;
  };
  for (int step = 0; step < 3000; ++step) {
    const std::string text(next(40), static_cast<char>('a' + step % 26));
    const int count = static_cast<int>(model.size());
    switch (count == 0 ? 0 : next(5)) {
      case 0: {
        const int at = static_cast<int>(next(static_cast<uint32_t>(count) + 1));
        list.Insert(at, text);
        model.insert(model.begin() + at, text);
        break;
      }
      case 1:
      case 2: {
        const int at = static_cast<int>(next(static_cast<uint32_t>(count)));
        list.Put(at, text);
        model[static_cast<size_t>(at)] = text;
        break;
      }
      case 3: {
        const int at = static_cast<int>(next(static_cast<uint32_t>(count)));
        list.Delete(at);
        model.erase(model.begin() + at);
        break;
      }
      default: {
        const int from = static_cast<int>(next(static_cast<uint32_t>(count)));
        const int to = static_cast<int>(next(static_cast<uint32_t>(count)));
        list.Move(from, to);
        std::string moved = model[static_cast<size_t>(from)];
        model.erase(model.begin() + from);
        model.insert(model.begin() + to, moved);
      }
    }
    ASSERT_EQ(list.ToVector(), model) << "after step " << step;
  }
  list.SetSorted(true);
  std::stable_sort(model.begin(), model.end());
  EXPECT_EQ(list.ToVector(), model);
}
