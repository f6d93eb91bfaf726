// Quoting of names in generated statements, and dropping of owner prefixes.
#include "dralvo/Common.h"

#include <gtest/gtest.h>

namespace {

struct QuoteRow {
  const char* name;
  bool quote;
  const char* expected;
};

const QuoteRow kQuoteRows[] = {
    {"Name", false, "Name"},
    {"Order Id", false, "Order Id"},
    {R"(a"b)", false, R"(a"b)"},
    {"", false, ""},
    {"Name", true, R"("Name")"},
    {"OLD_Order Id", true, R"("OLD_Order Id")"},
    {R"(a"b)", true, R"("a""b")"},
    {R"("Name")", true, R"("Name")"},
    {R"("a""b")", true, R"("a""b")"},
    {R"("")", true, R"("")"},
    // Enclosed in quotes but not one quoted name: quoted as a whole, so the
    // statement cannot be broken open by the name.
    {R"("a"b")", true, R"("""a""b""")"},
    {R"("a" "b")", true, R"("""a"" ""b""")"},
    {R"(")", true, R"("""")"},
    {"", true, R"("")"},
    {"dbo.orders", true, R"("dbo.orders")"},
    {" lead", true, R"(" lead")"},
};

TEST(QuoteIdentifier, Rows) {
  for (const QuoteRow& row : kQuoteRows)
    EXPECT_EQ(dralvo::QuoteIdentifier(row.name, row.quote), row.expected) << row.name << " quote=" << row.quote;
}

TEST(QuoteIdentifier, QuotingTwiceChangesNothing) {
  for (const QuoteRow& row : kQuoteRows) {
    std::string once = dralvo::QuoteIdentifier(row.name, true);
    EXPECT_EQ(dralvo::QuoteIdentifier(once, true), once) << row.name;
  }
}

struct ObjNameRow {
  const char* name;
  bool dropOwner;
  const char* expected;
};

const ObjNameRow kObjNameRows[] = {
    {"dbo.orders", false, "dbo.orders"},
    {" dbo . orders ", false, " dbo . orders "},
    {"dbo.orders", true, "orders"},
    {"orders", true, "orders"},
    {"db.dbo.orders", true, "orders"},
    {R"(dbo."Order.Lines")", true, R"("Order.Lines")"},
    {R"("my.schema".orders)", true, "orders"},
    {R"("x.y")", true, R"("x.y")"},
    {R"("a"".")", true, R"("a"".")"},
    {R"("a"".".b)", true, "b"},
    {" dbo . orders ", true, " orders "},
    {"[a.b].c", true, "c"},
    {"[a.b]", true, "[a.b]"},
    {"`a.b`", true, "`a.b`"},
    {"dbo.", true, ""},
    {"", true, ""},
    {R"("open.x)", true, R"("open.x)"},
};

TEST(GetValidObjName, Rows) {
  for (const ObjNameRow& row : kObjNameRows)
    EXPECT_EQ(dralvo::GetValidObjName(row.name, row.dropOwner), row.expected)
        << row.name << " dropOwner=" << row.dropOwner;
}

TEST(QuoteObjectName, EachOwnerPartQuotedOnItsOwn) {
  const QuoteRow rows[] = {
      {"public.orders", false, "public.orders"},
      {"orders", true, R"("orders")"},
      {"public.orders", true, R"("public"."orders")"},
      {"db.dbo.orders", true, R"("db"."dbo"."orders")"},
      {R"("My Schema".orders)", true, R"("My Schema"."orders")"},
      {R"("a.b")", true, R"("a.b")"},              // one quoted name with a dot
      {R"(own."x""y")", true, R"("own"."x""y")"},  // quoted parts stay as they are
      {"dbo.", true, R"("dbo.")"},                 // no owner syntax: quoted whole
      {".x", true, R"(".x")"},
      {"", true, R"("")"},
  };
  for (const QuoteRow& row : rows)
    EXPECT_EQ(dralvo::QuoteObjectName(row.name, row.quote), row.expected) << row.name << " quote=" << row.quote;
}

}  // namespace
