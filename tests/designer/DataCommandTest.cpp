// dvdesigner data: a dataset's records printed from the example's SQLite
// file, with escapes, nulls and binary values, and the ways it fails. The
// module and the rows are never changed.
#include <algorithm>
#include <string>
#include <vector>

#include "DesignerFixture.h"
#include "SqlFixtures.h"

namespace designertest {
namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A query of the module on the example's database.
std::string Query(const std::string& name, const std::string& sql, const std::string& database = "shop") {
  return "  object " + name + ": TDVQuery\n    DatabaseName = '" + database + "'\n    SQL.Strings = (\n      '" + sql +
         "')\n  end\n";
}

class DataCommand : public DesignerTest {
 protected:
  void SetUp() override {
    DesignerTest::SetUp();
    dvtest::MakeSQLiteFile(dir_.File("shop.db"),
                           "create table odd(id integer primary key, label text, raw blob);"
                           "insert into odd values (1, 'a' || char(9) || 'b' || char(10) || 'c\\d', x'000102'),"
                           " (2, '', null), (3, null, x''), (4, cast(x'41ff42' as text), null),"
                           " (5, cast(x'c29b324a1b5d303b07' as text), null);");
    std::string text = Module();
    text.insert(text.rfind("end"), Query("Odd", "select label, id, raw from odd order by id") +
                                       Query("Missing", "select * from no_such_table") +
                                       Query("Loose", "select 1", "") +
                                       Query("Filtered", "select id from odd where id > :low") +
                                       Query("Deleting", "delete from odd returning id"));
    WriteModule(text);
  }
};

TEST_F(DataCommand, PrintsFieldsAndRecordsEscaped) {
  const std::string before = Module();
  auto r = Designer({"data", "Shop.dfm", "Odd"});
  EXPECT_EQ(r.ExitCode, 0) << r.Err;
  EXPECT_EQ(r.Out,
            "label\tid\traw\n"
            "a\\tb\\nc\\\\d\t1\t(3 bytes)\n"
            "\t2\t\n"
            "\t3\t(0 bytes)\n"
            "A\\xffB\t4\t\n"
            "\\x9b2J\\x1b]0;\\x07\t5\t\n");  // C1 (CSI), ESC and BEL as in every other command
  auto limited = Designer({"data", "Shop.dfm", "Odd", "--limit", "2"});
  EXPECT_EQ(limited.ExitCode, 0) << limited.Err;
  EXPECT_EQ(limited.Out, "label\tid\traw\na\\tb\\nc\\\\d\t1\t(3 bytes)\n\t2\t\n");
  auto none = Designer({"data", "Shop.dfm", "Odd", "--limit", "0"});
  EXPECT_EQ(none.Out, "label\tid\traw\n");
  EXPECT_EQ(Module(), before);
}

TEST_F(DataCommand, FailuresSayWhatAndChangeNothing) {
  const std::string before = Module();
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"data", "Shop.dfm", "Missing"}, 1, "no such table: no_such_table"},
      {{"data", "Shop.dfm", "Loose"}, 1, "DatabaseName"},
      {{"data", "Shop.dfm", "Filtered"}, 1, "Filtered: parameter 'low' has no value"},
      {{"data", "Shop.dfm", "Deleting"}, 1, "readonly"},
      {{"data", "Shop.dfm", "OrdersUpdate"}, 2, "OrdersUpdate in Shop.dfm is not a dataset"},
      {{"data", "Shop.dfm", "Nobody"}, 2, "Nobody"},
      {{"data", "Shop.dfm", "Odd", "--limit", "-1"}, 2, "--limit"},
      {{"data", "Shop.dfm"}, 2, "data"},
      {{"data", "Nowhere.dfm", "Odd"}, 2, "Nowhere.dfm"},
  };
  for (const Case& c : cases) {
    auto r = Designer(c.args);
    EXPECT_EQ(r.ExitCode, c.exitCode) << c.args.back() << ": " << r.Err;
    EXPECT_TRUE(Has(r.Err, c.message)) << c.args.back() << ": " << r.Err;
    EXPECT_EQ(r.Out, "") << c.args.back();
  }
  EXPECT_EQ(Module(), before);
  auto rows = Designer({"data", "Shop.dfm", "Odd"});
  EXPECT_EQ(std::count(rows.Out.begin(), rows.Out.end(), '\n'), 6) << rows.Out;
}

// A server's words reach standard error escaped like everything else: a
// notice or an error cannot retitle the terminal, nor forge a line.
TEST_F(DesignerTest, ServerNoticesAndErrorsAreEscaped) {
  DV_REQUIRE_PG();
  const std::string hostile = "chr(27) || ']0;owned' || chr(7) || chr(10) || 'dvdesigner data: forged'";
  dvtest::PgSchema schema("create function noisy() returns int language plpgsql as $$ begin raise notice '%', " +
                          hostile + "; return 1; end $$;"
                          "create function failing() returns int language plpgsql as $$ begin raise exception '%', " +
                          hostile + "; end $$;");
  WriteModule("object M: TDataModule\n"
              "  object Pg: TDVDatabase\n    DatabaseName = 'pg'\n    LoginPrompt = False\n"
              "    RemoteDatabase = '" + schema.SearchPath() + "'\n    ServerType = stPostgreSQL\n  end\n" +
              Query("Noisy", "select noisy() as n", "pg") + Query("Failing", "select failing() as n", "pg") + "end\n");
  const struct {
    const char* dataSet;
    int exitCode;
  } cases[] = {{"Noisy", 0}, {"Failing", 1}};
  for (const auto& c : cases) {
    auto r = Designer({"data", "Shop.dfm", c.dataSet});
    EXPECT_EQ(r.ExitCode, c.exitCode) << c.dataSet << ": " << r.Err;
    EXPECT_TRUE(Has(r.Err, "\\x1b]0;owned\\x07\n  dvdesigner data: forged")) << c.dataSet << ": " << r.Err;
    EXPECT_FALSE(Has(r.Err, "\x1b")) << c.dataSet;
    EXPECT_FALSE(Has(r.Err, "\ndvdesigner data: forged")) << c.dataSet;
  }
}

}  // namespace
}  // namespace designertest
