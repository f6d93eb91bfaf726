// What the SQL completion reads from a statement, without a window or a
// server: the kind of name wanted at the cursor, the tables and aliases of
// the statement, and the entries picked from plain name lists.
#include <gtest/gtest.h>

#include <map>

#include "model/SqlCompletion.h"

namespace windowtest {
namespace {

using designer::AnalyseSql;
using designer::TCompletionKind;
using Names = std::vector<std::string>;

// The context with the cursor where "|" is written.
designer::TCompletionContext At(std::string text) {
  const size_t cursor = text.find('|');
  text.erase(cursor, 1);
  return AnalyseSql(text, cursor);
}

TEST(SqlCompletion, TheCursorsPlaceDecidesTheKindOfName) {
  EXPECT_EQ(At("select * from |").Kind, TCompletionKind::Tables);
  EXPECT_EQ(At("SELECT * FROM a JOIN |").Kind, TCompletionKind::Tables);
  EXPECT_EQ(At("insert into |").Kind, TCompletionKind::Tables);
  EXPECT_EQ(At("update ord|").Kind, TCompletionKind::Tables);
  EXPECT_EQ(At("select * from a x, |").Kind, TCompletionKind::Tables);
  EXPECT_EQ(At("select a, | from t").Kind, TCompletionKind::Anything);
  EXPECT_EQ(At("select * from t where a = 1 and |").Kind, TCompletionKind::Anything);
  EXPECT_EQ(At("select 'from |").Kind, TCompletionKind::None);
  EXPECT_EQ(At("select 1 -- from |").Kind, TCompletionKind::None);
  // Another statement's FROM does not count.
  EXPECT_EQ(At("select * from a; select |").Kind, TCompletionKind::Anything);

  const auto columns = At("select o.st| from orders o");
  EXPECT_EQ(columns.Kind, TCompletionKind::Columns);
  EXPECT_EQ(columns.Qualifier, "o");
  EXPECT_EQ(columns.Prefix, "st");
  EXPECT_EQ(columns.WordStart, 9u);
  const auto quoted = At("select * from \"My \"\"T|");
  EXPECT_TRUE(quoted.Quoted);
  EXPECT_EQ(quoted.Prefix, "My \"T");
  EXPECT_EQ(quoted.WordStart, 14u);
}

TEST(SqlCompletion, AliasesResolveToTheirTablesBareIgnoringCaseQuotedExactly) {
  auto context = At("select X.| from public.orders AS x, \"Stock Items\" \"S\" join customers c on 1=1");
  ASSERT_EQ(context.Tables.size(), 3u);
  EXPECT_EQ(context.Tables[0].Written, "public.orders");
  EXPECT_EQ(context.Tables[1].Name, "Stock Items");
  EXPECT_EQ(designer::ResolveQualifier(context), "public.orders");
  context.Qualifier = "S";
  context.QualifierQuoted = true;
  EXPECT_EQ(designer::ResolveQualifier(context), "\"Stock Items\"");
  context.Qualifier = "s";
  EXPECT_EQ(designer::ResolveQualifier(context), "");
  context.Qualifier = "CUSTOMERS";
  context.QualifierQuoted = false;
  EXPECT_EQ(designer::ResolveQualifier(context), "customers");
  // A clause word after a table is no alias.
  EXPECT_EQ(At("update orders set |").Tables.at(0).Alias, "");
}

TEST(SqlCompletion, EntriesAreFilteredSortedQuotedAndKeywordsStayBare) {
  const Names tables = {"alpha", "Beta", "beta2", "Mixed Case"};
  const std::map<std::string, Names> columns = {{"alpha", {"id", "Name", "select"}}, {"Beta", {"id", "amount"}}};
  const Names keywords = {"and", "select", "where"};
  designer::TCatalogNames names;
  names.Tables = [&]() -> const Names& { return tables; };
  names.Columns = [&](const std::string& table) -> const Names& {
    static const Names none;
    auto found = columns.find(table);
    return found == columns.end() ? none : found->second;
  };
  names.Keywords = [&]() -> const Names& { return keywords; };
  names.NeedsQuotes = [](const std::string& name) { return name == "select" || name == "Mixed Case"; };
  EXPECT_EQ(CompletionEntries(At("select * from b|"), names), (Names{"Beta", "beta2"}));
  EXPECT_EQ(CompletionEntries(At("select * from \"M|"), names), (Names{"\"Mixed Case\""}));
  EXPECT_EQ(CompletionEntries(At("select * from \"b|"), names), (Names{"\"beta2\""}));
  EXPECT_EQ(CompletionEntries(At("select a.| from alpha a"), names), (Names{"id", "Name", "\"select\""}));
  EXPECT_EQ(CompletionEntries(At("select | from alpha, Beta"), names),
            (Names{"amount", "and", "id", "Name", "\"select\"", "select", "where"}));
  EXPECT_TRUE(CompletionEntries(At("select 'a|"), names).empty());
}

}  // namespace
}  // namespace windowtest
