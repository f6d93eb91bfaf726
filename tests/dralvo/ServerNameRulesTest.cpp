// The naming rules of each server type, known without connecting: the
// generated PostgreSQL list against the test server's own keywords, and
// SQLite's from the linked library, in every letter case.
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include "Fixture.h"
#include "dralvo/Database.h"
#include "dralvo/Servers.h"

namespace {

using dralvo::TDVServerType;

TEST(ServerNameRules, PostgreSQLListMatchesTheServersKeywords) {
  DV_REQUIRE_PG();
  PGconn* conn = PQconnectdb("");
  ASSERT_EQ(PQstatus(conn), CONNECTION_OK) << PQerrorMessage(conn);
  PGresult* res = PQexec(conn, "select word, catcode from pg_get_keywords()");
  ASSERT_EQ(PQresultStatus(res), PGRES_TUPLES_OK) << PQerrorMessage(conn);
  auto rules = dralvo::ServerNameRules(TDVServerType::stPostgreSQL);
  int reserved = 0;
  // Reserved words and type or function names cannot stand bare; unreserved
  // words and column-name keywords can.
  for (int r = 0; r < PQntuples(res); ++r) {
    const std::string word = PQgetvalue(res, r, 0);
    const char cat = PQgetvalue(res, r, 1)[0];
    const bool mustQuote = cat == 'R' || cat == 'T';
    reserved += mustQuote ? 1 : 0;
    EXPECT_EQ(rules->NeedsQuotes(word), mustQuote) << word << " (" << cat << ")";
  }
  PQclear(res);
  PQfinish(conn);
  EXPECT_GT(reserved, 50);
  // Bare names fold to lower case there.
  EXPECT_TRUE(rules->NeedsQuotes("Total"));
  EXPECT_FALSE(rules->NeedsQuotes("total"));
}

TEST(ServerNameRules, SQLiteKeywordsInAnyCaseAndNoFolding) {
  auto rules = dralvo::ServerNameRules(TDVServerType::stSQLite);
  for (int i = 0; i < sqlite3_keyword_count(); ++i) {
    const char* word = nullptr;
    int size = 0;
    ASSERT_EQ(sqlite3_keyword_name(i, &word, &size), SQLITE_OK);
    std::string upper(word, static_cast<size_t>(size)), mixed = upper;
    for (size_t c = 1; c < mixed.size(); ++c) mixed[c] = static_cast<char>(std::tolower(mixed[c]));
    EXPECT_TRUE(rules->NeedsQuotes(upper)) << upper;
    EXPECT_TRUE(rules->NeedsQuotes(mixed)) << mixed;
  }
  EXPECT_FALSE(rules->NeedsQuotes("Total"));
  EXPECT_FALSE(rules->NeedsQuotes("between_dates"));
}

// A database that is not connected answers from its server type and stays
// disconnected, even when its server cannot be reached.
TEST(ServerNameRules, ADatabaseAnswersWithoutConnecting) {
  dvtest::TestForm form;
  dralvo::TDVDatabase* db =
      form.AddDatabase("Gone", TDVServerType::stPostgreSQL, "host=127.0.0.1 port=1 dbname=x connect_timeout=2");
  EXPECT_TRUE(db->NameRules()->NeedsQuotes("order"));
  EXPECT_TRUE(db->NameRules()->NeedsQuotes("Total"));
  EXPECT_FALSE(db->NameRules()->NeedsQuotes("values"));
  EXPECT_EQ(db->QuoteName("a\"b"), "\"a\"\"b\"");
  EXPECT_FALSE(db->Connected());
}

}  // namespace
