// Which table column each field of a SELECT shows, construct by construct.
#include "dralvo/SqlParser.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

#include "Render.h"

namespace {

using dralvo::sql::ParseSelect;

struct Row {
  const char* label;
  const char* sql;
  const char* fields;  // "name=value; ..."
  const char* tables;  // "alias=table; ..."
  const char* stars;   // "position:*=table; ..."
};

const Row kRows[] = {
    {"plain", "select id, name from orders", "id=orders.id; name=orders.name", "orders=orders", ""},
    {"keywords in any case", "SeLeCt Id FrOm Orders", "Id=Orders.Id", "Orders=Orders", ""},
    {"column alias with AS", "select o.id as order_id from orders o", "order_id=orders.id", "o=orders", ""},
    {"aliases without AS", "select o.id oid, o.total from orders as o", "oid=orders.id; total=orders.total",
     "o=orders", ""},
    {"quoted names", R"(select "Order Id", o."Total Sum" "Sum" from "Orders" o)",
     R"(Order Id="Orders".Order Id; Sum="Orders".Total Sum)", R"(o="Orders")", ""},
    {"doubled quote in a name", R"(select "a""b" from t)", R"(a"b=t.a"b)", "t=t", ""},
    {"owner.table with alias", "select c.name from dbo.customers c", "name=dbo.customers.name",
     "c=dbo.customers", ""},
    {"owner.table qualified by table", "select customers.name from dbo.customers", "name=dbo.customers.name",
     "dbo.customers=dbo.customers", ""},
    {"owner.table fully qualified", "select dbo.customers.name from dbo.customers", "name=dbo.customers.name",
     "dbo.customers=dbo.customers", ""},
    {"blanks between name parts", "select x.a from dbo . \"Order Lines\" x", R"(a=dbo."Order Lines".a)",
     R"(x=dbo."Order Lines")", ""},
    {"inner and left outer joins",
     "select o.id, c.name, l.qty from orders o inner join customers c on c.id = o.cust "
     "left outer join lines l on l.order_id = o.id",
     "id=orders.id; name=customers.name; qty=lines.qty", "o=orders; c=customers; l=lines", ""},
    {"right, full, cross joins and USING",
     "select a.x, b.y, c.z, d.w from a right join b on a.k=b.k full join c using (k) cross join d",
     "x=a.x; y=b.y; z=c.z; w=d.w", "a=a; b=b; c=c; d=d", ""},
    {"natural join", "select a.x from a natural join b", "x=a.x", "a=a; b=b", ""},
    {"comma join", "select a.x, b.y from t1 a, t2 b where a.k = b.k", "x=t1.x; y=t2.y", "a=t1; b=t2", ""},
    {"unqualified column among several tables", "select x, b.y from t1 a, t2 b", "x=; y=t2.y", "a=t1; b=t2", ""},
    {"unqualified column of the only table", "select id from orders o", "id=orders.id", "o=orders", ""},
    {"alias compared ignoring case", "select O.id from orders o", "id=orders.id", "o=orders", ""},
    {"quoted alias", R"(select "o".id from orders "o")", "id=orders.id", R"("o"=orders)", ""},
    {"unknown qualifier", "select x.id from orders", "id=", "orders=orders", ""},
    {"same column of two tables", "select a.id, b.id from a join b on a.k=b.k", "id=a.id; id=b.id", "a=a; b=b",
     ""},
    {"star", "select * from orders", "", "orders=orders", "0:*=orders"},
    {"star of a table among others", "select o.*, c.name from orders o join customers c on c.id=o.cust",
     "name=customers.name", "o=orders; c=customers", "0:o.*=orders"},
    {"star between columns", "select a, *, b from t", "a=t.a; b=t.b", "t=t", "1:*=t"},
    {"derived table", "select d.total, o.id from (select sum(x) total from y) d join orders o on 1=1",
     "total=; id=orders.id", "o=orders", ""},
    {"derived table with column aliases", "select d.a from (values (1)) as d(a)", "a=", "", ""},
    {"subquery in the select list", "select (select max(id) from lines) as m, o.id from orders o",
     "m=; id=orders.id", "o=orders", ""},
    {"subquery without alias", "select (select 1), id from orders", "=; id=orders.id", "orders=orders", ""},
    {"expressions and functions", "select count(*), upper(name) as uname, price * qty total, 'x' lit, 1 + 2 from t",
     "=; uname=; total=; lit=; =", "t=t", ""},
    {"CASE with alias", "select case when a>0 then 1 else 0 end flag from t", "flag=", "t=t", ""},
    {"cast is no column", "select id::text as sid, name from orders", "sid=; name=orders.name", "orders=orders",
     ""},
    {"COLLATE is no alias", "select name collate nocase from t", "=", "t=t", ""},
    {"value keywords", "select null, current_timestamp as ts, true from t", "=; ts=; =", "t=t", ""},
    {"window function", "select row_number() over (partition by a order by b) rn, a from t", "rn=; a=t.a", "t=t",
     ""},
    {"comments", "select /* c, d */ id -- , name\n , name from orders -- from x", "id=orders.id; name=orders.name",
     "orders=orders", ""},
    {"keywords inside strings", "select 'from x', id from orders where s = 'it''s from'", "=; id=orders.id",
     "orders=orders", ""},
    {"escape string", "select E'a\\'b', id from t", "=; id=t.id", "t=t", ""},
    {"dollar-quoted string", "select $$ from x, $$ as body, id from t", "body=; id=t.id", "t=t", ""},
    {"UNION: first select only", "select a.id from a union all select b.id2 from b", "id=a.id", "a=a", ""},
    {"bracketed first select", "(select id from a) union (select id from b)", "id=a.id", "a=a", ""},
    {"WITH query is no table",
     "with t as (select id from src) select t.id, o.x from t join orders o on o.id = t.id", "id=; x=orders.x",
     "o=orders", ""},
    {"recursive WITH", "WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n+1 FROM r) SELECT n FROM r", "n=", "",
     ""},
    {"several WITH queries",
     "with a as (select 1 k), b as materialized (select 2 k) select a.k, t.v from a, b, t", "k=; v=t.v", "t=t",
     ""},
    {"DISTINCT", "select distinct o.id from orders o", "id=orders.id", "o=orders", ""},
    {"DISTINCT ON", "select distinct on (o.cust) o.cust, o.id from orders o", "cust=orders.cust; id=orders.id",
     "o=orders", ""},
    {"TOP", "select top 10 id from orders", "id=orders.id", "orders=orders", ""},
    {"TOP with PERCENT and TIES", "select top (5) percent with ties id from orders", "id=orders.id",
     "orders=orders", ""},
    {"column named top", "select top from orders", "top=orders.top", "orders=orders", ""},
    {"LIMIT and OFFSET", "select id from orders limit 10 offset 5", "id=orders.id", "orders=orders", ""},
    {"select modifiers", "select sql_calc_found_rows id from t", "id=t.id", "t=t", ""},
    {"bracketed and backquoted names", "select [Order Id], `name` from [dbo].[Orders]",
     "Order Id=[dbo].[Orders].Order Id; name=[dbo].[Orders].name", "[dbo].[Orders]=[dbo].[Orders]", ""},
    {"quoted implicit alias", R"(select id "Id Alias" from orders)", "Id Alias=orders.id", "orders=orders", ""},
    {"string alias", "select id as 'x y' from orders", "x y=orders.id", "orders=orders", ""},
    {"table function", "select g.n from generate_series(1, 3) g", "n=", "", ""},
    {"bracketed join group", "select a.x, b.y from (a join b on a.k = b.k) join c on c.k = a.k", "x=a.x; y=b.y",
     "a=a; b=b; c=c", ""},
    {"SELECT INTO", "select id into newtab from orders", "id=orders.id", "orders=orders", ""},
    {"first statement only", "select id from a; select x from b", "id=a.id", "a=a", ""},
    {"table hint", "select id from orders with (nolock) where 1=1", "id=orders.id", "orders=orders", ""},
    {"INDEXED BY", "select id from orders indexed by ix where 1=1", "id=orders.id", "orders=orders", ""},
    {"ONLY", "select id from only orders", "id=orders.id", "orders=orders", ""},
    {"CROSS APPLY of a subquery", "select a.x, f.y from a cross apply (select top 1 y from b) f", "x=a.x; y=",
     "a=a", ""},
    {"LEFT function in ON", "select a.x from a join b on left(a.s, 2) = b.s join c on c.k = b.k", "x=a.x",
     "a=a; b=b; c=c", ""},
    {"parameters", "select o.id from orders o where o.id = :id and o.d > :\"from\"", "id=orders.id", "o=orders",
     ""},
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.sql; }

class SelectRows : public ::testing::TestWithParam<Row> {};

TEST_P(SelectRows, FieldsTablesAndStars) {
  const Row& row = GetParam();
  auto r = ParseSelect(row.sql);
  EXPECT_TRUE(r.ok) << row.sql;
  EXPECT_EQ(dvtest::RenderFields(r), row.fields) << row.sql;
  EXPECT_EQ(dvtest::RenderTables(r), row.tables) << row.sql;
  EXPECT_EQ(dvtest::RenderStars(r), row.stars) << row.sql;
  EXPECT_EQ(r.hasStar, !r.stars.empty());
}

std::string RowName(const ::testing::TestParamInfo<Row>& row) {
  std::string name;
  for (const char* p = row.param.label; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Constructs, SelectRows, ::testing::ValuesIn(kRows), RowName);

// Text that is no readable SELECT gives empty results.
const char* const kUnreadable[] = {
    "",
    "   ",
    "-- only a comment",
    "update t set a = 1",
    "insert into t (a) values (1)",
    "values (1), (2)",
    "select",
    "select from t",
    "select a, from t",
    "select , a from t",
    "with x as (select 1)",
    "with x (select 1) select 1",
    "(((",
    "select 'unterminated from t",
    "select \"unterminated from t",
    "select a /* open comment",
    "select (a from t",
    "select a) from t",
    "select a[1 from t",
    "select ]a from t",
};

TEST(SelectUnreadable, GivesEmptyResults) {
  for (const char* sql : kUnreadable) {
    auto r = ParseSelect(sql);
    EXPECT_FALSE(r.ok) << sql;
    EXPECT_TRUE(r.fields.empty() && r.tables.empty() && r.stars.empty()) << sql;
    EXPECT_FALSE(r.hasStar) << sql;
  }
}

}  // namespace
