// dvdesigner on a module whose database is a file of Firebird's embedded
// engine beside it: the editor generates and saves, check holds and then
// finds the drift, the Structure view, the value lists and data work, and
// data changes nothing; a missing file gets a clear error and the module
// stays as it was.
#include <string>

#include "DesignerFixture.h"
#include "FirebirdFixtures.h"

namespace designertest {
namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string ModuleOn(const std::string& remote) {
  return "object ShopModule: TDataModule\n"
         "  object ShopDatabase: TDVDatabase\n"
         "    DatabaseName = 'shop'\n"
         "    RemoteDatabase = '" + remote + "'\n"
         "    ServerType = stFirebird\n"
         "  end\n"
         "  object OrdersQuery: TDVQuery\n"
         "    DatabaseName = 'shop'\n"
         "    UpdateObject = OrdersUpdate\n"
         "    SQL.Strings = (\n"
         "      'select * from \"Order Lines\" order by 1, 2')\n"
         "  end\n"
         "  object OrdersUpdate: TDVUpdateSQL\n"
         "  end\n"
         "  object LinesTable: TDVTable\n"
         "    DatabaseName = 'shop'\n"
         "  end\n"
         "  object AddingQuery: TDVQuery\n"
         "    DatabaseName = 'shop'\n"
         "    SQL.Strings = (\n"
         "      'insert into notes values (8) returning id')\n"
         "  end\n"
         "end\n";
}

class FirebirdCommands : public DesignerTest {
 protected:
  void SetUp() override {
    DesignerTest::SetUp();
    dvtest::FirebirdAttachment(File(), true)
        .Run({"create table \"Order Lines\"(\"Order\" int not null, line int not null, qty int,"
              " primary key (\"Order\", line))",
              "create table notes(id int)", "insert into \"Order Lines\" values (1, 1, null)",
              "insert into \"Order Lines\" values (1, 2, 5)", "insert into notes values (7)"});
  }
  std::string File() const { return dir_.File("shop.fdb"); }
};

// The module names its file relative to its own folder, as for SQLite.
TEST_F(FirebirdCommands, GenerateCheckStructureValuesAndData) {
  WriteModule(ModuleOn("shop.fdb"));
  auto gen = Designer({"updatesql", "Shop.dfm", "OrdersUpdate", "--table", "\"Order Lines\"", "--table-fields",
                       "--primary-keys", "--generate", "--print", "--save"});
  ASSERT_EQ(gen.ExitCode, 0) << gen.Err;
  EXPECT_TRUE(Has(gen.Out, "update \"Order Lines\"\nset\n  \"Order\" = :\"Order\",\n  LINE = :LINE,\n  QTY = :QTY\n"
                           "where\n  \"Order\" = :\"OLD_Order\" and\n  LINE = :OLD_LINE\n"))
      << gen.Out;

  auto check = Designer({"check", "Shop.dfm"});
  EXPECT_EQ(check.ExitCode, 0) << check.Out << check.Err;
  EXPECT_EQ(check.Out, "");
  EXPECT_TRUE(Has(check.Err, "Checked 1 module, 1 update object, 4 statements: 0 findings\n")) << check.Err;

  auto tree = Designer({"structure", "Shop.dfm"});
  EXPECT_EQ(tree.ExitCode, 0) << tree.Err;
  EXPECT_TRUE(Has(tree.Out, "Firebird | shop.fdb")) << tree.Out;

  auto values = Designer({"values", "Shop.dfm", "LinesTable", "TableName"});
  EXPECT_EQ(values.ExitCode, 0) << values.Err;
  EXPECT_EQ(values.Out, "\"Order Lines\"\nNOTES\n");

  auto rows = Designer({"data", "Shop.dfm", "OrdersQuery", "--limit", "1"});
  EXPECT_EQ(rows.ExitCode, 0) << rows.Err;
  EXPECT_EQ(rows.Out, "Order\tLINE\tQTY\n1\t1\t\n");
  auto adding = Designer({"data", "Shop.dfm", "AddingQuery"});
  EXPECT_EQ(adding.ExitCode, 1) << adding.Out;
  EXPECT_TRUE(Has(adding.Err, "read-only transaction")) << adding.Err;
  EXPECT_EQ(dvtest::FirebirdAttachment(File(), false).Number("select count(*) from notes"), 1);

  dvtest::FirebirdAttachment(File(), false).Run({"alter table \"Order Lines\" alter qty to quantity"});
  const std::string saved = Module();
  check = Designer({"check", "Shop.dfm"});
  EXPECT_EQ(check.ExitCode, 1) << check.Out << check.Err;
  EXPECT_TRUE(Has(check.Out, "OrdersUpdate.ModifySQL: column QTY does not exist in table \"Order Lines\"")) << check.Out;
  EXPECT_EQ(Module(), saved);
}

TEST_F(FirebirdCommands, AMissingFileIsNamedAndTheModuleLeftAlone) {
  WriteModule(ModuleOn("gone.fdb"));
  const std::string before = Module();
  auto gen = Designer({"updatesql", "Shop.dfm", "OrdersUpdate", "--table-fields", "--generate", "--save"});
  EXPECT_EQ(gen.ExitCode, 1) << gen.Err;
  EXPECT_TRUE(Has(gen.Err, "Firebird: cannot connect to '" + dir_.File("gone.fdb") + "'")) << gen.Err;
  auto check = Designer({"check", "Shop.dfm"});
  EXPECT_EQ(check.ExitCode, 2) << check.Out << check.Err;
  EXPECT_TRUE(Has(check.Out, "cannot connect to its database shop")) << check.Out;
  EXPECT_EQ(Module(), before);
}

}  // namespace
}  // namespace designertest
