// What the SQL completion reads from a statement, without a window or a
// server: the kind of name wanted at the cursor, the tables and aliases of
// the statement, and the entries picked from plain name lists.
#include <gtest/gtest.h>

#include <map>

#include "MariaDbFixtures.h"
#include "dralvo/Database.h"
#include "dralvo/NameRules.h"
#include "dralvo/Servers.h"
#include "model/DatabaseCatalog.h"
#include "model/SqlCatalog.h"
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
  names.Quote = [](const std::string& name) { return dralvo::TDVNameRules().Quote(name); };
  EXPECT_EQ(CompletionEntries(At("select * from b|"), names), (Names{"Beta", "beta2"}));
  EXPECT_EQ(CompletionEntries(At("select * from \"M|"), names), (Names{"\"Mixed Case\""}));
  EXPECT_EQ(CompletionEntries(At("select * from \"b|"), names), (Names{"\"beta2\""}));
  EXPECT_EQ(CompletionEntries(At("select a.| from alpha a"), names), (Names{"id", "Name", "\"select\""}));
  EXPECT_EQ(CompletionEntries(At("select | from alpha, Beta"), names),
            (Names{"amount", "and", "id", "Name", "\"select\"", "select", "where"}));
  EXPECT_TRUE(CompletionEntries(At("select 'a|"), names).empty());
}

// The server's own reading: a backtick, a bracket or a $$ string is what
// the server takes it for, and MariaDB's "#" opens a comment.
TEST(SqlCompletion, TheStatementIsReadByItsServersRules) {
  auto at = [](std::string text, dralvo::TDVServerType server) {
    const size_t cursor = text.find('|');
    text.erase(cursor, 1);
    return AnalyseSql(text, cursor, dralvo::ServerLexicalRules(server));
  };
  using dralvo::TDVServerType;
  const auto backtick = at("select * from `Order L|", TDVServerType::stMariaDB);
  EXPECT_TRUE(backtick.Quoted);
  EXPECT_EQ(backtick.Prefix, "Order L");
  EXPECT_EQ(backtick.WordStart, 14u);
  EXPECT_EQ(at("select x.| from `a b` x", TDVServerType::stMariaDB).Tables.at(0).Name, "a b");
  EXPECT_EQ(at("select * from [My T|", TDVServerType::stSQLite).Prefix, "My T");
  EXPECT_EQ(at("select 1 # from |", TDVServerType::stMariaDB).Kind, TCompletionKind::None);
  EXPECT_EQ(at("select 1 # from |", TDVServerType::stPostgreSQL).Kind, TCompletionKind::Tables);
  EXPECT_EQ(at("select $$ from |", TDVServerType::stPostgreSQL).Kind, TCompletionKind::None);
  EXPECT_EQ(at("select * from a; select $$; from |", TDVServerType::stPostgreSQL).Kind, TCompletionKind::None);
}

// On the real server: a name that needs quotes is inserted in backticks,
// which MariaDB reads as a name (double quotes would make it a string).
TEST(SqlCompletion, MariaDbNamesAreInsertedAsTheServerReadsThem) {
  DV_REQUIRE_MARIADB();
  dvtest::MariaDbDatabase server("create table `Order Lines`(`Line No` int, qty int); create table orders(id int)");
  dralvo::TDVDatabase database(nullptr);
  database.SetServerType(dralvo::TDVServerType::stMariaDB);
  database.SetRemoteDatabase(server.Url());
  designer::TSqlCatalog catalog(designer::CatalogSourceOf(database), {});
  catalog.WaitUntilSettled();
  ASSERT_EQ(catalog.State(), designer::TCatalogState::Ready) << catalog.Error();
  auto offered = [&](std::string text) {
    const size_t cursor = text.find('|');
    text.erase(cursor, 1);
    const auto context = AnalyseSql(text, cursor, database.LexicalRules());
    CompletionEntries(context, catalog.Names());  // asks for the columns wanted
    catalog.WaitUntilSettled();
    return CompletionEntries(context, catalog.Names());
  };
  EXPECT_EQ(offered("select * from Ord|"), (Names{"`Order Lines`", "orders"}));
  EXPECT_EQ(offered("select * from `Ord|"), Names{"`Order Lines`"});
  EXPECT_EQ(offered("select l.| from `Order Lines` l"), (Names{"`Line No`", "qty"}));
}

}  // namespace
}  // namespace windowtest
