// Statement generation: the worked example line by line, and the edge cases
// of field info, aliases, quoting and owners.
#include <gtest/gtest.h>

#include <ostream>

#include "DVUpdSEd/SQLGenerator.h"

namespace {

using Lines = std::vector<std::string>;

struct Generated {
  Lines modify, insert, remove, refresh;
};

Generated Generate(const dv::TSQLGenChoice& choice, const Lines& fieldInfo) {
  rtl::TStringList info;
  for (const std::string& e : fieldInfo) info.Add(e);
  dv::TSQLGenerator generator(choice, info);
  rtl::TStringList m, i, d, r;
  // Former contents never survive, however many lines they had.
  for (rtl::TStringList* list : {&m, &i, &d, &r})
    for (int n = 0; n < 12; ++n) list->Add("an old line, longer than any generated here " + std::to_string(n));
  generator.GenerateModifySQL(m);
  generator.GenerateInsertSQL(i);
  generator.GenerateDeleteSQL(d);
  generator.GenerateRefreshSQL(r);
  return {m.ToVector(), i.ToVector(), d.ToVector(), r.ToVector()};
}

dv::TSQLGenChoice Choice(std::string table, Lines keys, Lines updates, bool quote = false, bool owners = false) {
  dv::TSQLGenChoice c;
  c.TableText = std::move(table);
  c.KeyFields = std::move(keys);
  c.UpdateFields = std::move(updates);
  c.QuoteNames = quote;
  c.ObjOwnerSupported = owners;
  return c;
}

const Lines kOrdersInfo{"ORDER_ID=ORDERS.ORDER_ID", "CUSTOMER=ORDERS.CUSTOMER", "TOTAL=ORDERS.AMOUNT"};

TEST(Generator, WorkedExample) {
  Generated g =
      Generate(Choice("ORDERS", {"ORDER_ID", "CUSTOMER"}, {"ORDER_ID", "CUSTOMER", "AMOUNT"}), kOrdersInfo);
  EXPECT_EQ(g.modify, (Lines{"update ORDERS", "set", "  ORDER_ID = :ORDER_ID,", "  CUSTOMER = :CUSTOMER,",
                             "  AMOUNT = :TOTAL", "where", "  ORDER_ID = :OLD_ORDER_ID and",
                             "  CUSTOMER = :OLD_CUSTOMER"}));
  EXPECT_EQ(g.insert, (Lines{"insert into ORDERS", "  (ORDER_ID, CUSTOMER, AMOUNT)", "values",
                             "  (:ORDER_ID, :CUSTOMER, :TOTAL)"}));
  EXPECT_EQ(g.remove, (Lines{"delete from ORDERS", "where", "  ORDER_ID = :OLD_ORDER_ID and",
                             "  CUSTOMER = :OLD_CUSTOMER"}));
  // The select line and the from line are one entry, joined by CR LF.
  EXPECT_EQ(g.refresh, (Lines{"select ORDER_ID, CUSTOMER, AMOUNT as TOTAL\r\nfrom ORDERS", "where",
                              "  ORDER_ID = :OLD_ORDER_ID and", "  CUSTOMER = :OLD_CUSTOMER"}));
}

TEST(Generator, WorkedExampleQuotedThroughTheRuntime) {
  Generated g =
      Generate(Choice("ORDERS", {"ORDER_ID", "CUSTOMER"}, {"ORDER_ID", "CUSTOMER", "AMOUNT"}, true), kOrdersInfo);
  EXPECT_EQ(g.modify.back(), "  \"CUSTOMER\" = :\"OLD_CUSTOMER\"");
  EXPECT_EQ(g.modify.front(), "update \"ORDERS\"");
  EXPECT_EQ(g.insert[3], "  (:\"ORDER_ID\", :\"CUSTOMER\", :\"TOTAL\")");
  EXPECT_EQ(g.refresh[0], "select \"ORDER_ID\", \"CUSTOMER\", \"AMOUNT\" as \"TOTAL\"\r\nfrom \"ORDERS\"");
  // A name already quoted is not quoted twice; quotes inside are doubled.
  Generated q = Generate(Choice("\"Order Lines\"", {"a\"b"}, {"a\"b"}, true), {});
  EXPECT_EQ(q.remove, (Lines{"delete from \"Order Lines\"", "where", "  \"a\"\"b\" = :\"OLD_a\"\"b\""}));
}

// Quoting unasked: the table text's bare parts only for what cannot stand
// bare at all (the query's own text was folded alike), the columns also for
// case on a folding server; names that need nothing stay byte for byte.
TEST(Generator, NamesTheServerWouldMisreadAreQuotedUnasked) {
  const Lines columns{"order", "Total", "größe", "plain", "2nd"};
  for (bool folds : {true, false}) {
    dv::TSQLGenChoice c = Choice("Sales.Order Lines", {"Order Id"}, columns, false, true);
    c.NameRules = std::make_shared<const dralvo::TDVNameRules>(folds, std::vector<std::string>{"ORDER"});
    Generated g = Generate(c, {"Sum=Sales.Order Lines.Total"});
    const std::string total = folds ? "\"Total\" = :\"Sum\"," : "Total = :Sum,";
    EXPECT_EQ(g.modify, (Lines{"update Sales.\"Order Lines\"", "set", "  \"order\" = :\"order\",", "  " + total,
                               "  größe = :größe,", "  plain = :plain,", "  \"2nd\" = :\"2nd\"", "where",
                               "  \"Order Id\" = :\"OLD_Order Id\""}))
        << folds;
  }
}

// A reserved word is one in any letter case, whatever case the server's
// list gives it in.
TEST(Generator, ReservedWordsInCapitalsOrMixedCaseAreQuotedUnasked) {
  dv::TSQLGenChoice c = Choice("Order", {"SELECT"}, {"Order", "select", "Selected"});
  c.NameRules = std::make_shared<const dralvo::TDVNameRules>(false, std::vector<std::string>{"select", "ORDER"});
  EXPECT_EQ(Generate(c, {}).modify, (Lines{"update \"Order\"", "set", "  \"Order\" = :\"Order\",",
                                          "  \"select\" = :\"select\",", "  Selected = :Selected", "where",
                                          "  \"SELECT\" = :\"OLD_SELECT\""}));
}

struct EdgeRow {
  const char* what;
  dv::TSQLGenChoice choice;
  Lines fieldInfo;
  Lines modify;
  Lines refresh;
};

// Test listings name a row by what it checks.
void PrintTo(const EdgeRow& row, std::ostream* out) { *out << row.what; }

class GeneratorEdges : public ::testing::TestWithParam<EdgeRow> {};

TEST_P(GeneratorEdges, Statements) {
  const EdgeRow& row = GetParam();
  Generated g = Generate(row.choice, row.fieldInfo);
  EXPECT_EQ(g.modify, row.modify) << row.what;
  EXPECT_EQ(g.refresh, row.refresh) << row.what;
  // Generating twice gives the same lists.
  Generated again = Generate(row.choice, row.fieldInfo);
  EXPECT_EQ(again.modify, g.modify);
  EXPECT_EQ(again.insert, g.insert);
  EXPECT_EQ(again.remove, g.remove);
  EXPECT_EQ(again.refresh, g.refresh);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GeneratorEdges,
    ::testing::Values(
        EdgeRow{"one field: no separators", Choice("T", {"ID"}, {"ID"}), {},
                {"update T", "set", "  ID = :ID", "where", "  ID = :OLD_ID"},
                {"select ID\r\nfrom T", "where", "  ID = :OLD_ID"}},
        EdgeRow{"key also an update field", Choice("T", {"A"}, {"A", "B"}), {},
                {"update T", "set", "  A = :A,", "  B = :B", "where", "  A = :OLD_A"},
                {"select A, B\r\nfrom T", "where", "  A = :OLD_A"}},
        EdgeRow{"alias differing only in case gets an as", Choice("T", {"ID"}, {"ID", "NAME"}),
                {"ID=T.ID", "name=T.NAME"},
                {"update T", "set", "  ID = :ID,", "  NAME = :name", "where", "  ID = :OLD_ID"},
                {"select ID, NAME as name\r\nfrom T", "where", "  ID = :OLD_ID"}},
        EdgeRow{"owner kept when the server has owners", Choice("own.T", {"K"}, {"C"}, false, true),
                {"KF=own.T.K", "CF=own.T.C"},
                {"update own.T", "set", "  C = :CF", "where", "  K = :OLD_KF"},
                {"select C as CF\r\nfrom own.T", "where", "  K = :OLD_KF"}},
        EdgeRow{"quoted owner and table apart", Choice("own.T", {"K"}, {"C"}, true, true),
                {"KF=own.T.K", "CF=own.T.C"},
                {"update \"own\".\"T\"", "set", "  \"C\" = :\"CF\"", "where", "  \"K\" = :\"OLD_KF\""},
                {"select \"C\" as \"CF\"\r\nfrom \"own\".\"T\"", "where", "  \"K\" = :\"OLD_KF\""}},
        EdgeRow{"owner dropped otherwise, aliases still found by the typed table",
                Choice("own.T", {"K"}, {"C"}), {"KF=own.T.K", "CF=own.T.C"},
                {"update T", "set", "  C = :CF", "where", "  K = :OLD_KF"},
                {"select C as CF\r\nfrom T", "where", "  K = :OLD_KF"}},
        EdgeRow{"table named differently in field info: no alias", Choice("t", {"K"}, {"C"}), {"CF=T.C", "KF=T.K"},
                {"update t", "set", "  C = :C", "where", "  K = :OLD_K"},
                {"select C\r\nfrom t", "where", "  K = :OLD_K"}},
        EdgeRow{"duplicate field info: the first gives the alias", Choice("T", {"A"}, {"A"}), {"X=T.A", "Y=T.A"},
                {"update T", "set", "  A = :X", "where", "  A = :OLD_X"},
                {"select A as X\r\nfrom T", "where", "  A = :OLD_X"}},
        EdgeRow{"a field keeping its column's name wins over a later one renaming it",
                Choice("T", {"A"}, {"A", "B"}), {"A=T.A", "Y=T.A", "Z=T.B"},
                {"update T", "set", "  A = :A,", "  B = :Z", "where", "  A = :OLD_A"},
                {"select A, B as Z\r\nfrom T", "where", "  A = :OLD_A"}},
        EdgeRow{"another table's renames do not reach this one", Choice("T", {"A"}, {"A", "B"}),
                {"A=T.A", "B=T.B", "X=U.A"},
                {"update T", "set", "  A = :A,", "  B = :B", "where", "  A = :OLD_A"},
                {"select A, B\r\nfrom T", "where", "  A = :OLD_A"}},
        EdgeRow{"a repeated name reads the first entry's value", Choice("T", {"A"}, {"B"}), {"X=T.A", "x=T.B"},
                {"update T", "set", "  B = :B", "where", "  A = :OLD_X"},
                {"select B\r\nfrom T", "where", "  A = :OLD_X"}},
        EdgeRow{"an entry without a name takes the first empty-named value, even a later one",
                Choice("T", {"C"}, {"C"}), {"X", "A=T.C", "=T.C"},
                {"update T", "set", "  C = :", "where", "  C = :OLD_"},
                {"select C as \r\nfrom T", "where", "  C = :OLD_"}},
        EdgeRow{"trailing dot belongs to the column", Choice("T", {"C."}, {"C"}), {"F=T.C.", "G=T."},
                {"update T", "set", "  C = :C", "where", "  C. = :OLD_F"},
                {"select C\r\nfrom T", "where", "  C. = :OLD_F"}},
        EdgeRow{"value without a usable dot never matches", Choice("T", {"TC"}, {"TC"}), {"F=TC", "G=.", "H="},
                {"update T", "set", "  TC = :TC", "where", "  TC = :OLD_TC"},
                {"select TC\r\nfrom T", "where", "  TC = :OLD_TC"}},
        EdgeRow{"several keys and update fields: separators on all but the last",
                Choice("T", {"K1", "K2", "K3"}, {"A", "B", "C"}), {},
                {"update T", "set", "  A = :A,", "  B = :B,", "  C = :C", "where", "  K1 = :OLD_K1 and",
                 "  K2 = :OLD_K2 and", "  K3 = :OLD_K3"},
                {"select A, B, C\r\nfrom T", "where", "  K1 = :OLD_K1 and", "  K2 = :OLD_K2 and",
                 "  K3 = :OLD_K3"}}),
    [](const ::testing::TestParamInfo<EdgeRow>& row) { return "Row" + std::to_string(row.index); });

TEST(Generator, InsertAndDeleteUseOnlyTheirFields) {
  Generated g = Generate(Choice("T", {"K"}, {"A", "B"}), {"AF=T.A"});
  EXPECT_EQ(g.insert, (Lines{"insert into T", "  (A, B)", "values", "  (:AF, :B)"}));
  EXPECT_EQ(g.remove, (Lines{"delete from T", "where", "  K = :OLD_K"}));
  for (const std::string& line : g.insert) EXPECT_EQ(line.find("OLD_"), std::string::npos);
}

TEST(Generator, FindFieldAliasComparesExactly) {
  rtl::TStringList info{"Total=ORDERS.AMOUNT", "Cust=own.ORDERS.CUSTOMER"};
  dv::TSQLGenerator g(Choice("ORDERS", {}, {}), info);
  EXPECT_EQ(g.FindFieldAlias("ORDERS", "AMOUNT"), "Total");
  EXPECT_EQ(g.FindFieldAlias("orders", "AMOUNT"), "AMOUNT");
  EXPECT_EQ(g.FindFieldAlias("ORDERS", "amount"), "amount");
  EXPECT_EQ(g.FindFieldAlias("own.ORDERS", "CUSTOMER"), "Cust");
  EXPECT_EQ(g.QuoteName("X"), "X");
}

}  // namespace
