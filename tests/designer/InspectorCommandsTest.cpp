// dvdesigner properties, values and set: the Object Inspector of the
// package's registered editors on the example module, SQLite and PostgreSQL.
#include <cstdlib>
#include <filesystem>

#include "DesignerFixture.h"
#include "SqlFixtures.h"
#include "rtl/system/SysUtils.h"

namespace designertest {
namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(DesignerTest, PropertiesShowTheRowsWithTheirEditors) {
  auto r = Designer({"properties", "Shop.dfm", "ShopDatabase"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  EXPECT_TRUE(Has(r.Out, "\nRemoteDatabase\tshop.db\tValueList,Dialog\tTDVDatabaseProperty\tDatabase\n")) << r.Out;
  EXPECT_TRUE(Has(r.Out, "\nConnected\tFalse\tValueList,SortList,MultiSelect\tTDVDatabaseConnectedProperty\t")) << r.Out;
  EXPECT_TRUE(Has(r.Out, "\nParamsFileName\t\tDialog\tTDVFileNameProperty\tMiscellaneous\n")) << r.Out;
  EXPECT_TRUE(Has(r.Out, "\tMultiSelect,Dialog,ReadOnly\tTDVDatabaseParamsProperty\t")) << r.Out;
  EXPECT_TRUE(Has(r.Out, "\nDesignOptions.ddoStoreConnected\tFalse\t")) << "sub-properties under their path";
  auto query = Designer({"properties", "Shop.dfm", "OrdersQuery"});
  EXPECT_TRUE(Has(query.Out, "\nParams\t(TParams)\tMultiSelect,Dialog,ReadOnly\tTDVQueryParamsProperty\t")) << query.Out;
  EXPECT_TRUE(Has(query.Out, "\tTDVQuerySQLProperty\t")) << query.Out;
  // A string list the package registers nothing for: the framework's editor.
  auto update = Designer({"properties", "Shop.dfm", "OrdersUpdate"});
  EXPECT_TRUE(Has(update.Out, "\nModifySQL\t(TStringList)\tMultiSelect,Dialog,ReadOnly\tTStringListProperty\t"))
      << update.Out;

  EXPECT_EQ(Designer({"properties", "Shop.dfm"}).ExitCode, 2);
  EXPECT_EQ(Designer({"properties", "Shop.dfm", "NoSuch"}).ExitCode, 2);
  EXPECT_EQ(Designer({"properties", "Missing.dfm", "ShopDatabase"}).ExitCode, 2);
}

TEST_F(DesignerTest, ConnectedSetTrueRecordsTheRemoteDatabaseOnlyWhenItConnects) {
  auto history = Designer({"values", "Shop.dfm", "ShopDatabase", "RemoteDatabase"});
  ASSERT_EQ(history.ExitCode, 0) << history.Err;
  EXPECT_EQ(history.Out, "<history list>\n");
  auto tables = Designer({"values", "Shop.dfm", "CustomersTable", "TableName"});
  ASSERT_EQ(tables.ExitCode, 0) << tables.Err;
  EXPECT_TRUE(Has("\n" + tables.Out, "\ncustomers\n")) << tables.Out;
  EXPECT_TRUE(Has(tables.Out, "\nStock Items\n")) << tables.Out;

  auto indexes = Designer({"values", "Shop.dfm", "CustomersTable", "IndexName"});
  ASSERT_EQ(indexes.ExitCode, 0) << indexes.Err;
  EXPECT_TRUE(Has("\n" + indexes.Out, "\ncustomers_email\n")) << indexes.Out;
  EXPECT_TRUE(Has("\n" + Designer({"values", "Shop.dfm", "CustomersTable", "IndexFieldNames"}).Out, "\nemail\n"));

  auto refused = Designer({"set", "Shop.dfm", "ShopDatabase", "Connected", "Yes"});
  EXPECT_EQ(refused.ExitCode, 1);
  EXPECT_TRUE(Has(refused.Err, "ShopDatabase.Connected")) << refused.Err;
  EXPECT_TRUE(Has(refused.Err, "\"Yes\"")) << refused.Err;
  WriteModule(rtl::StringReplaceAll(Module(), "'shop.db'", "'gone/shop.db'"));
  EXPECT_EQ(Designer({"set", "Shop.dfm", "ShopDatabase", "Connected", "True"}).ExitCode, 1);
  EXPECT_EQ(Designer({"values", "Shop.dfm", "ShopDatabase", "RemoteDatabase"}).Out, "<history list>\n");

  WriteModule(rtl::StringReplaceAll(Module(), "'gone/shop.db'", "'shop.db'"));
  auto set = Designer({"set", "Shop.dfm", "ShopDatabase", "Connected", "true"});
  ASSERT_EQ(set.ExitCode, 0) << set.Err;
  EXPECT_EQ(set.Out, "Connected = True\n");
  EXPECT_EQ(Designer({"values", "Shop.dfm", "ShopDatabase", "RemoteDatabase"}).Out, "shop.db\n");

  const std::string before = Module();
  EXPECT_EQ(Designer({"set", "Shop.dfm", "CustomersTable", "TableName", "orders"}).ExitCode, 0);
  EXPECT_EQ(Module(), before) << "saved only with --save";
  EXPECT_EQ(Designer({"set", "Shop.dfm", "CustomersTable", "TableName", "orders", "--save"}).ExitCode, 0);
  EXPECT_TRUE(Has(Module(), "TableName = 'orders'"));
  EXPECT_EQ(Designer({"values", "Shop.dfm", "CustomersTable", "IndexFieldNames"}).ExitCode, 0);
  EXPECT_EQ(Designer({"values", "Shop.dfm", "ShopDatabase", "DatabaseName"}).ExitCode, 1) << "no value list";
  EXPECT_EQ(Designer({"set", "Shop.dfm", "ShopDatabase", "NoSuch", "1"}).ExitCode, 2);
  const std::string stored = Module();
  EXPECT_EQ(Designer({"set", "Shop.dfm", "ShopDatabase", "Tag", "2147483648", "--save"}).ExitCode, 1);
  EXPECT_EQ(Module(), stored);
  EXPECT_EQ(Designer({"set", "Shop.dfm", "ShopDatabase", "Tag", "-2147483648", "--save"}).ExitCode, 0);
  EXPECT_TRUE(Has(Module(), "Tag = -2147483648")) << Module();
}

// A value cannot pass for a row of its own, nor for a column separator.
TEST_F(DesignerTest, ControlCharactersInNamesAndValuesAreEscaped) {
  dvtest::MakeSQLiteFile(dir_.File("shop.db"), "create table \"evil\ninjected_table\"(id int);");
  auto tables = Designer({"values", "Shop.dfm", "CustomersTable", "TableName"});
  ASSERT_EQ(tables.ExitCode, 0) << tables.Err;
  EXPECT_TRUE(Has("\n" + tables.Out, "\nevil\\ninjected_table\n")) << tables.Out;
  EXPECT_FALSE(Has("\n" + tables.Out, "\ninjected_table")) << tables.Out;

  WriteModule(rtl::StringReplaceAll(
      rtl::StringReplaceAll(Module(), "TableName = 'customers'", "TableName = 'cu'#13'st\\'#27'[1m'"),
      "DatabaseName = 'shop'\n    LoginPrompt", "DatabaseName = 'shop'#9'FakeRow'#10'x'\n    LoginPrompt"));
  auto rows = Designer({"properties", "Shop.dfm", "ShopDatabase"});
  ASSERT_EQ(rows.ExitCode, 0) << rows.Err;
  EXPECT_TRUE(Has(rows.Out, "\nDatabaseName\tshop\\tFakeRow\\nx\t")) << rows.Out;
  EXPECT_FALSE(Has(rows.Out, "\nx\t")) << rows.Out;
  auto tree = Designer({"structure", "Shop.dfm"});
  EXPECT_TRUE(Has(tree.Out, "CustomersTable (cu\\rst\\\\\\x1b[1m)")) << tree.Out;
}

// A source that would close a circle of master links is not offered.
TEST_F(DesignerTest, MasterSourceOffersNoSourceThatWouldCircle) {
  WriteModule("object M: TDataModule\n"
              "  object Orders: TDVTable\n  end\n"
              "  object OrdersSource: TDataSource\n    DataSet = Orders\n  end\n"
              "  object Lines: TDVTable\n    MasterSource = OrdersSource\n  end\n"
              "  object LinesSource: TDataSource\n    DataSet = Lines\n  end\n"
              "  object Notes: TDVTable\n  end\n"
              "  object NotesSource: TDataSource\n    DataSet = Notes\n  end\n"
              "  object Spare: TDataSource\n  end\n"
              "end\n");
  EXPECT_EQ(Designer({"values", "Shop.dfm", "Orders", "MasterSource"}).Out, "NotesSource\nSpare\n");
  EXPECT_EQ(Designer({"values", "Shop.dfm", "Lines", "MasterSource"}).Out, "NotesSource\nOrdersSource\nSpare\n");
}

TEST_F(DesignerTest, ValuesOfPostgreSQLTablesAndAnUnreachableServer) {
  DV_REQUIRE_PG();
  dvtest::PgSchema schema(
      "create table invoices(id int primary key, no text, day date); create table lines(id int);"
      "create unique index invoices_no on invoices(no, day);");
  WriteModule("object M: TDataModule\n"
              "  object Pg: TDVDatabase\n    DatabaseName = 'pg'\n    LoginPrompt = False\n"
              "    RemoteDatabase = '" + schema.SearchPath() + "'\n    ServerType = stPostgreSQL\n  end\n"
              "  object Gone: TDVDatabase\n    DatabaseName = 'gone'\n    LoginPrompt = False\n"
              "    RemoteDatabase = 'host=127.0.0.1 port=1 dbname=x connect_timeout=2'\n"
              "    ServerType = stPostgreSQL\n  end\n"
              "  object Invoices: TDVTable\n    DatabaseName = 'pg'\n    TableName = 'invoices'\n  end\n"
              "  object Lost: TDVTable\n    DatabaseName = 'gone'\n  end\n"
              "end\n");
  auto tables = Designer({"values", "Shop.dfm", "Invoices", "TableName"});
  ASSERT_EQ(tables.ExitCode, 0) << tables.Err;
  // Tables in the schemas of other tests running at the same time come
  // qualified by their schema; every other line counts.
  std::string visible;
  for (size_t at = 0, end; at < tables.Out.size(); at = end + 1) {
    end = tables.Out.find('\n', at);
    if (end == std::string::npos) end = tables.Out.size();
    const std::string line = tables.Out.substr(at, end - at);
    if (line.rfind("dvt_", 0) != 0) visible += line + "\n";
  }
  EXPECT_EQ(visible, "invoices\nlines\n") << tables.Out;
  EXPECT_TRUE(Has(Designer({"values", "Shop.dfm", "Invoices", "IndexName"}).Out, "invoices_no\n"));
  EXPECT_TRUE(Has(Designer({"values", "Shop.dfm", "Invoices", "IndexFieldNames"}).Out, "no;day\n"));
  auto lost = Designer({"values", "Shop.dfm", "Lost", "TableName"});
  EXPECT_EQ(lost.ExitCode, 1);
  EXPECT_TRUE(Has(lost.Err, "Lost.TableName")) << lost.Err;
  EXPECT_EQ(Designer({"set", "Shop.dfm", "Pg", "Connected", "True"}).ExitCode, 0);
  EXPECT_EQ(Designer({"values", "Shop.dfm", "Pg", "RemoteDatabase"}).Out, schema.SearchPath() + "\n");
}

// Connecting records the target in the settings file at once: without its
// password, in a file only its owner reads; a target the file cannot hold
// refuses the whole change.
TEST_F(DesignerTest, ConnectedSetTrueStoresTheHistoryPrivatelyOrRefuses) {
  DV_REQUIRE_PG();
  dvtest::PgSchema schema("create table t(id int);");
  const char* env = std::getenv("PGPASSWORD");
  const std::string password = env != nullptr && *env != '\0' ? env : "RealPw9";
  auto module = [&](const std::string& target) {
    return "object M: TDataModule\n  object Pg: TDVDatabase\n    DatabaseName = 'pg'\n    LoginPrompt = False\n"
           "    RemoteDatabase = '" + target + "'\n    ServerType = stPostgreSQL\n  end\nend\n";
  };
  WriteModule(module(schema.SearchPath() + " password=" + password));
  auto set = Designer({"set", "Shop.dfm", "Pg", "Connected", "True"});
  ASSERT_EQ(set.ExitCode, 0) << set.Err;
  const std::string ini = dir_.File("dralvo.ini");
  EXPECT_EQ(rtl::ReadFileToString(ini), "[RecentDatabases]\nItem00=" + schema.SearchPath() + "\n");
  EXPECT_EQ(std::filesystem::status(ini).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

  // #13#10 in a form file: a line break the settings file cannot hold.
  WriteModule(module(schema.SearchPath() + "'#13#10' connect_timeout=9 password=" + password));
  const std::string stored = Module();
  auto refused = Designer({"set", "Shop.dfm", "Pg", "Connected", "True", "--save"});
  EXPECT_EQ(refused.ExitCode, 1);
  EXPECT_TRUE(Has(refused.Err, "Pg.Connected")) << refused.Err;
  EXPECT_TRUE(Has(refused.Err, "dralvo.ini")) << refused.Err;
  EXPECT_EQ(refused.Out, "");
  EXPECT_EQ(Module(), stored);
  EXPECT_EQ(rtl::ReadFileToString(ini), "[RecentDatabases]\nItem00=" + schema.SearchPath() + "\n");
}

}  // namespace
}  // namespace designertest
