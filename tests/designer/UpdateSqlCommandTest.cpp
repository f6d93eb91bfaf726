// dvdesigner updatesql: the package's UpdateSQL editor driven on the
// example's update object, as the command line's user sees it.
#include <string>
#include <vector>

#include "DesignerFixture.h"

namespace designertest {
namespace {

// The statement printed under "-- <name>".
std::string Statement(const std::string& out, const std::string& name) {
  const std::string head = "-- " + name + "\n";
  size_t start = out.find(head);
  if (start == std::string::npos) return "(missing)";
  start += head.size();
  size_t end = out.find("\n-- ", start);
  return out.substr(start, end == std::string::npos ? std::string::npos : end + 1 - start);
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(DesignerTest, GeneratesTheFourStatementsFromTheQueryAndTheTableKey) {
  const std::string before = Module();
  auto r = Designer({"updatesql", "Shop.dfm", "OrdersUpdate", "--table-fields", "--primary-keys", "--generate",
                     "--print"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  size_t refresh = r.Out.find("-- refresh\n"), modify = r.Out.find("-- modify\n"),
         insert = r.Out.find("-- insert\n"), remove = r.Out.find("-- delete\n");
  ASSERT_EQ(refresh, 0u) << r.Out;
  EXPECT_LT(refresh, modify);
  EXPECT_LT(modify, insert);
  EXPECT_LT(insert, remove);
  const std::string modifySql = Statement(r.Out, "modify");
  EXPECT_TRUE(Has(modifySql, "update orders")) << modifySql;
  // The aliased column of the query's SQL keeps its alias as parameter.
  EXPECT_TRUE(Has(modifySql, "order_date = :ordered_on")) << modifySql;
  EXPECT_TRUE(Has(modifySql, "order_id = :OLD_order_id")) << modifySql;
  EXPECT_FALSE(Has(modifySql, "customer_id = :OLD_customer_id")) << "only the primary key identifies a row";
  EXPECT_TRUE(Has(Statement(r.Out, "insert"), "insert into orders")) << r.Out;
  EXPECT_TRUE(Has(Statement(r.Out, "delete"), "delete from orders")) << r.Out;
  EXPECT_TRUE(Has(Statement(r.Out, "refresh"), "from orders")) << r.Out;
  EXPECT_TRUE(Has(r.Err, "Connecting to database shop")) << r.Err;
  EXPECT_TRUE(Has(r.Err, "Fetching the columns of orders")) << r.Err;
  // Standard error carries the program's own lines only, not the toolkit's.
  EXPECT_FALSE(Has(r.Err, "QStandardPaths")) << r.Err;
  EXPECT_FALSE(Has(r.Err, "propagateSizeHints")) << r.Err;
  EXPECT_EQ(Module(), before) << "nothing is saved without --save";
}

// A typed name reaches the terminal with its control characters escaped.
TEST_F(DesignerTest, TheTableWorkedOnReachesTheTerminalEscaped) {
  auto escaped = Designer({"updatesql", "Shop.dfm", "OrdersUpdate", "--table", "\x1b]0;owned\x07orders", "--table-fields"});
  EXPECT_EQ(escaped.Err.find('\x1b'), std::string::npos) << escaped.Err;
  EXPECT_TRUE(Has(escaped.Err, "Fetching the columns of \\x1b]0;owned\\x07orders ...")) << escaped.Err;
}

TEST_F(DesignerTest, TakesExactlyTheListedKeyAndUpdateFields) {
  auto r = Designer({"updatesql", "Shop.dfm", "OrdersUpdate", "--table-fields", "--keys", "order_id, customer_id",
                     "--update", "status,total", "--generate", "--print"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  const std::string modifySql = Statement(r.Out, "modify");
  EXPECT_TRUE(Has(modifySql, "status = :status")) << modifySql;
  EXPECT_TRUE(Has(modifySql, "total = :total")) << modifySql;
  EXPECT_FALSE(Has(modifySql, "order_date")) << modifySql;
  EXPECT_TRUE(Has(modifySql, "customer_id = :OLD_customer_id")) << modifySql;
  EXPECT_TRUE(Has(modifySql, "order_id = :OLD_order_id")) << modifySql;
}

TEST_F(DesignerTest, CompositeKeyOfAnotherTable) {
  auto r = Designer({"updatesql", "Shop.dfm", "OrdersUpdate", "--table", "order_lines", "--table-fields",
                     "--primary-keys", "--generate", "--print"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  const std::string deleteSql = Statement(r.Out, "delete");
  EXPECT_TRUE(Has(deleteSql, "delete from order_lines")) << deleteSql;
  EXPECT_TRUE(Has(deleteSql, "order_id = :OLD_order_id")) << deleteSql;
  EXPECT_TRUE(Has(deleteSql, "line_no = :OLD_line_no")) << deleteSql;
  EXPECT_FALSE(Has(deleteSql, "product")) << deleteSql;
}

TEST_F(DesignerTest, QuotedNamesForAMixedCaseTable) {
  auto r = Designer({"updatesql", "Shop.dfm", "OrdersUpdate", "--table", "\"Stock Items\"", "--table-fields",
                     "--primary-keys", "--quote", "--generate", "--print"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  const std::string modifySql = Statement(r.Out, "modify");
  EXPECT_TRUE(Has(modifySql, "update \"Stock Items\"")) << modifySql;
  EXPECT_TRUE(Has(modifySql, "\"OnHand\" = ")) << modifySql;
}

// Generating builds the statements from the lists alone: a server that
// cannot be reached is not needed (its type's reserved words still get
// quotes), and nothing but the four statements reaches the module.
TEST_F(DesignerTest, GeneratingWithoutQuotesNeverConnects) {
  const std::string module =
      "object M: TDataModule\n"
      "  object Gone: TDVDatabase\n    DatabaseName = 'gone'\n    DesignOptions = [ddoStoreConnected]\n"
      "    LoginPrompt = False\n    RemoteDatabase = 'host=127.0.0.1 port=1 dbname=x connect_timeout=2'\n"
      "    ServerType = stPostgreSQL\n  end\n"
      "  object Q: TDVQuery\n    DatabaseName = 'gone'\n    UpdateObject = U\n"
      "    SQL.Strings = (\n      'select order_id, \"order\", note from orders')\n  end\n"
      "  object U: TDVUpdateSQL\n  end\n"
      "end\n";
  WriteModule(module);
  auto r = Designer({"updatesql", "Shop.dfm", "U", "--keys", "order_id", "--update", "order,note", "--generate",
                     "--save"});
  ASSERT_EQ(r.ExitCode, 0) << r.Out << r.Err;
  const std::string saved = Module();
  EXPECT_TRUE(Has(saved, "      '  \"order\" = :\"order\",'\n")) << saved;
  EXPECT_TRUE(Has(saved, "      '  note = :note'\n")) << saved;
  EXPECT_FALSE(Has(saved, "Connected = ")) << saved;
  // Taken apart again, the saved module is the old one plus the statements.
  std::string rest = saved;
  for (const char* list : {"    ModifySQL.Strings = (", "    InsertSQL.Strings = (", "    DeleteSQL.Strings = (",
                           "    RefreshSQL.Strings = ("}) {
    const size_t at = rest.find(list);
    ASSERT_NE(at, std::string::npos) << list << "\n" << saved;
    rest.erase(at, rest.find(")\n", at) + 2 - at);
  }
  EXPECT_EQ(rest, module);
}

TEST_F(DesignerTest, SaveWritesTheStatementsAndAnUnchangedSaveKeepsTheBytes) {
  auto r = Designer({"updatesql", "Shop.dfm", "OrdersUpdate", "--table-fields", "--primary-keys", "--generate",
                     "--save"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  EXPECT_TRUE(Has(r.Err, "Saved Shop.dfm")) << r.Err;
  const std::string saved = Module();
  EXPECT_TRUE(Has(saved, "    ModifySQL.Strings = (\n      'update orders'\n")) << saved;
  EXPECT_TRUE(Has(saved, "    DeleteSQL.Strings = (\n      'delete from orders'\n")) << saved;
  EXPECT_TRUE(Has(saved, "    UpdateObject = OrdersUpdate\n")) << saved;
  // OK again without a change: the module holds the same, so the file does.
  auto again = Designer({"updatesql", "Shop.dfm", "OrdersUpdate", "--save"});
  ASSERT_EQ(again.ExitCode, 0) << again.Err;
  EXPECT_EQ(Module(), saved);
  // And the editor finds the saved statements there.
  auto printed = Designer({"updatesql", "Shop.dfm", "OrdersUpdate", "--print"});
  ASSERT_EQ(printed.ExitCode, 0) << printed.Err;
  EXPECT_TRUE(Has(Statement(printed.Out, "modify"), "order_date = :ordered_on")) << printed.Out;
}

TEST_F(DesignerTest, SaveWithoutAModifyStatementIsRefusedAndWritesNothing) {
  const std::string before = Module();
  auto r = Designer({"updatesql", "Shop.dfm", "OrdersUpdate", "--save"});
  EXPECT_EQ(r.ExitCode, 1);
  EXPECT_TRUE(Has(r.Err, "Confirm: Update SQL statements not generated")) << r.Err;
  EXPECT_TRUE(Has(r.Err, "the module was not saved")) << r.Err;
  EXPECT_EQ(Module(), before);
}

TEST_F(DesignerTest, MessageBoxOfTheEditorIsShownAndFails) {
  auto r = Designer({"updatesql", "Shop.dfm", "OrdersUpdate", "--table", "no_such_table", "--table-fields"});
  EXPECT_EQ(r.ExitCode, 1);
  EXPECT_TRUE(Has(r.Err, "Error: ")) << r.Err;
  EXPECT_TRUE(Has(r.Err, "no_such_table")) << r.Err;
}

// Two queries name one update object: it serves the one read last, and the
// user is told that the other is saved without it.
TEST_F(DesignerTest, AnUpdateObjectNamedTwiceIsToldNotDroppedSilently) {
  std::string text = Module();
  const std::string end = "  object OrdersUpdate: TDVUpdateSQL";
  text.insert(text.find(end),
              "  object RecentOrders: TDVQuery\n    DatabaseName = 'shop'\n    UpdateObject = OrdersUpdate\n"
              "    SQL.Strings = (\n      'select * from orders')\n  end\n");
  WriteModule(text);
  auto r = Designer({"updatesql", "Shop.dfm", "OrdersUpdate", "--table-fields", "--primary-keys", "--generate",
                     "--save"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  EXPECT_TRUE(Has(r.Err, "Note: OrdersUpdate serves one dataset: it is now the UpdateObject of RecentOrders, and "
                         "OrdersQuery has none (so a save writes it without one)"))
      << r.Err;
  const std::string saved = Module();
  EXPECT_EQ(saved.find("UpdateObject"), saved.rfind("UpdateObject")) << saved;
  EXPECT_TRUE(Has(saved, "  object RecentOrders: TDVQuery\n    DatabaseName = 'shop'\n    UpdateObject = OrdersUpdate\n"))
      << saved;
}

struct BadCall {
  const char* name;
  std::vector<std::string> args;
  const char* message;
  int exitCode;  // 2: bad usage or input; 1: the editor's steps failed
};
void PrintTo(const BadCall& row, std::ostream* os) { *os << row.name; }

std::vector<BadCall> BadCalls() {
  return {
      {"UnknownObject", {"updatesql", "Shop.dfm", "Nobody"}, "has no component named \"Nobody\"", 2},
      {"NotAnUpdateObject", {"updatesql", "Shop.dfm", "OrdersQuery"}, "OrdersQuery is a TDVQuery, not an update object", 2},
      {"UnknownKeyField",
       {"updatesql", "Shop.dfm", "OrdersUpdate", "--table-fields", "--keys", "order_id,nope", "--generate", "--save"},
       "no key field \"nope\" to select; the list offers: order_id, customer_id", 1},
      {"UnknownUpdateField", {"updatesql", "Shop.dfm", "OrdersUpdate", "--update", "colour", "--save"},
       "no update field \"colour\"", 1},
      {"EmptyFieldName", {"updatesql", "Shop.dfm", "OrdersUpdate", "--keys", "order_id,,status"}, "empty field name", 2},
      {"MissingObject", {"updatesql", "Shop.dfm"}, "needs the data module file and the update object's name", 2},
      {"UnknownOption", {"updatesql", "Shop.dfm", "OrdersUpdate", "--frobnicate"}, "Unknown option for updatesql", 2},
      {"RepeatedFlag", {"updatesql", "Shop.dfm", "OrdersUpdate", "--print", "--print"}, "Option --print given twice", 2},
      {"RepeatedOption", {"updatesql", "Shop.dfm", "OrdersUpdate", "--table", "orders", "--table", "customers"},
       "Option --table given twice", 2},
      {"MissingModule", {"updatesql", "Nowhere.dfm", "OrdersUpdate"}, "Nowhere.dfm", 2},
      {"BlankTable", {"updatesql", "Shop.dfm", "OrdersUpdate", "--table", " ", "--table-fields"},
       "The editor names no table (its table box is empty); give one with --table", 1},
  };
}

class UpdateSqlRefuses : public DesignerTest, public ::testing::WithParamInterface<BadCall> {};

TEST_P(UpdateSqlRefuses, WithAClearMessageAndTheModuleUntouched) {
  const std::string before = Module();
  auto r = Designer(GetParam().args);
  EXPECT_EQ(r.ExitCode, GetParam().exitCode) << r.Err;
  EXPECT_TRUE(Has(r.Err, GetParam().message)) << r.Err;
  EXPECT_EQ(Module(), before);
}

INSTANTIATE_TEST_SUITE_P(Rows, UpdateSqlRefuses, ::testing::ValuesIn(BadCalls()),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace designertest
