// dvdesigner check as code review and CI use it: each finding at its line
// and column in the module file (through doubled quotes, #13#10 and "+"
// in the form file), several modules and folders in one run, a module that
// cannot be read among good ones, and the JSON and SARIF reports checked
// by a JSON-schema validator of a registry package.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "DesignerFixture.h"

namespace designertest {
namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Lines 1 to 14: the example's database and a query on orders.
const std::string kHead =
    "object ShopModule: TDataModule\n"
    "  object ShopDatabase: TDVDatabase\n"
    "    DatabaseName = 'shop'\n"
    "    LoginPrompt = False\n"
    "    RemoteDatabase = 'shop.db'\n"
    "    ServerType = stSQLite\n"
    "  end\n"
    "  object OrdersQuery: TDVQuery\n"
    "    DatabaseName = 'shop'\n"
    "    UpdateObject = OrdersUpdate\n"
    "    SQL.Strings = (\n"
    "      'select order_id, status, total from orders')\n"
    "  end\n"
    "  object OrdersUpdate: TDVUpdateSQL\n";

// From line 15: one finding of each kind that has a place.
const std::string kFindings = kHead +
    "    RefreshSQL.Strings = (\n"
    "      'select order_id, status, total'#13#10'from ordrs'\n"
    "      'where order_id = :OLD_order_id')\n"
    "    ModifySQL.Strings = (\n"
    "      'update orders'\n"
    "      'set status = ''x'', total = :totl,' +\n"
    "      ' order_id = :ordr_id'\n"
    "      'where order_id = :OLD_order_id')\n"
    "    InsertSQL.Strings = (\n"
    "      'select 1')\n"
    "    DeleteSQL.Strings = (\n"
    "      'delete from orders'\n"
    "      'where status = :OLD_status')\n"
    "  end\n"
    "end\n";

const std::string kHolds = kHead +
    "    DeleteSQL.Strings = (\n"
    "      'delete from orders where order_id = :OLD_order_id')\n"
    "  end\n"
    "end\n";

class CheckReports : public DesignerTest {
 protected:
  void Write(const std::string& name, const std::string& text) const {
    std::filesystem::create_directories(std::filesystem::path(dir_.File(name)).parent_path());
    std::ofstream(dir_.File(name), std::ios::binary) << text;
  }
  // Runs the validator on `document` (written to a file) against `schema`;
  // its messages when it refuses, empty when it accepts.
  std::string Refusal(const std::string& document, const std::string& schema) const {
    Write("report.json", document);
    auto r = dvtest::RunProcess({DV_JSONSCHEMA, "-i", dir_.File("report.json"), schema}, dir_.Path());
    return r.ExitCode == 0 ? "" : "exit " + std::to_string(r.ExitCode) + ": " + r.Out + r.Err;
  }
};

TEST_F(CheckReports, EachFindingAtItsLineAndColumnInTheModuleFile) {
  WriteModule(kFindings);
  auto r = Designer({"check", "Shop.dfm"});
  EXPECT_EQ(r.ExitCode, 1) << r.Out << r.Err;
  const std::vector<std::string> expected = {
      // After "#13#10": the second line of the entry.
      "Shop.dfm:16:51: OrdersUpdate.RefreshSQL: table ordrs does not exist",
      // After two doubled quotes on the line, and on the line after a "+".
      "Shop.dfm:20:36: OrdersUpdate.ModifySQL: parameter :totl matches no field",
      "Shop.dfm:21:20: OrdersUpdate.ModifySQL: parameter :ordr_id matches no field",
      // The statement as a whole: at its property.
      "Shop.dfm:23:5: OrdersUpdate.InsertSQL: is a select statement",
      "Shop.dfm:27:8: OrdersUpdate.DeleteSQL: the where clause pins only status",
  };
  const std::vector<std::string> rules = {"unknown-table", "parameter-without-field", "parameter-without-field",
                                          "wrong-statement-kind", "where-without-key"};
  std::istringstream lines(r.Out);
  std::string line;
  for (size_t i = 0; i < expected.size(); ++i) {
    ASSERT_TRUE(std::getline(lines, line)) << r.Out;
    EXPECT_EQ(line.rfind(expected[i], 0), 0u) << line;
    EXPECT_TRUE(line.ends_with(" [" + rules[i] + "]")) << line;
  }
  EXPECT_FALSE(std::getline(lines, line)) << line;
  EXPECT_TRUE(Has(r.Err, "Checked 1 module, 1 update object, 4 statements: 5 findings\n")) << r.Err;
}

TEST_F(CheckReports, ModulesAndFoldersInOneRunAndOneThatCannotBeRead) {
  WriteModule(kFindings);
  Write("Holds.dfm", kHolds);
  // A folder: found recursively, in the order of their paths; a copy of
  // the database beside each, as its modules name it relative to themselves.
  Write("more/b/Shop.dfm", kHolds);
  Write("more/a.dfm", kFindings);
  std::filesystem::copy_file(dir_.File("shop.db"), dir_.File("more/shop.db"));
  std::filesystem::copy_file(dir_.File("shop.db"), dir_.File("more/b/shop.db"));
  auto r = Designer({"check", "Holds.dfm", "Shop.dfm", "OrdersUpdate", "more"});
  EXPECT_EQ(r.ExitCode, 1) << r.Out << r.Err;
  EXPECT_TRUE(r.Out.starts_with("Shop.dfm:16:51: ")) << r.Out;
  EXPECT_TRUE(Has(r.Out, "\nmore/a.dfm:16:51: ")) << r.Out;
  EXPECT_FALSE(Has(r.Out, "Holds.dfm")) << r.Out;
  EXPECT_TRUE(Has(r.Err, "Checked 4 modules, 4 update objects, 10 statements: 10 findings\n")) << r.Err;
  EXPECT_LT(r.Err.find("Reading more/a.dfm"), r.Err.find("Reading more/b/Shop.dfm")) << r.Err;

  // One that cannot be read (at the reader's place), one missing: the
  // others are still checked and reported, and the run exits 2.
  Write("Broken.dfm", "object M: TDataModule\n  object Q: TDVQuery\n    SQL.Strings = (\n      'oops)\n");
  r = Designer({"check", "Broken.dfm", "Shop.dfm", "Missing.dfm", "Holds.dfm"});
  EXPECT_EQ(r.ExitCode, 2) << r.Out << r.Err;
  EXPECT_TRUE(r.Out.starts_with("Broken.dfm:4:7: Unterminated string [module-not-checked]\n")) << r.Out;
  EXPECT_TRUE(Has(r.Out, "\nShop.dfm:27:8: ")) << r.Out;
  EXPECT_TRUE(Has(r.Out, "\nMissing.dfm: ")) << r.Out;
  EXPECT_TRUE(Has(r.Err, "Checked 2 modules, 2 update objects, 5 statements: 5 findings, 2 not checked\n")) << r.Err;
}

TEST_F(CheckReports, JsonAndSarifPassASchemaValidator) {
  ASSERT_TRUE(std::filesystem::exists(DV_JSONSCHEMA)) << "the validator (Debian python3-jsonschema): tools/deps.sh";
  ASSERT_TRUE(std::filesystem::exists(DV_SARIF_SCHEMA)) << "the SARIF 2.1.0 schema (npm): tools/deps.sh";
  // A tab and a byte that is no UTF-8 in a table's name reach the messages.
  std::string text = kFindings;
  text.replace(text.find("'from ordrs'"), 12, "'from \"or'#9'd\xFFrs\"'");
  WriteModule(text);
  Write("Broken.dfm", "object M: TDataModule\n");

  auto json = Designer({"check", "Shop.dfm", "Broken.dfm", "--format", "json"});
  EXPECT_EQ(json.ExitCode, 2) << json.Out << json.Err;
  EXPECT_EQ(Refusal(json.Out, sourceDir_ + "/docs/check-findings.schema.json"), "");
  EXPECT_TRUE(Has(json.Out, "\"file\": \"Shop.dfm\",\n    \"line\": 20,\n    \"column\": 36,\n")) << json.Out;
  EXPECT_TRUE(Has(json.Out, "table \\\"or\\td\xEF\xBF\xBDrs\\\" does not exist")) << json.Out;

  auto sarif = Designer({"check", "Shop.dfm", "Broken.dfm", "--format", "sarif"});
  EXPECT_EQ(sarif.ExitCode, 2) << sarif.Out << sarif.Err;
  EXPECT_EQ(Refusal(sarif.Out, DV_SARIF_SCHEMA), "");
  EXPECT_TRUE(Has(sarif.Out, "\"ruleId\": \"parameter-without-field\"")) << sarif.Out;
  EXPECT_TRUE(Has(sarif.Out, "\"uri\": \"Shop.dfm\"\n                },\n                \"region\": {\n"
                             "                  \"startLine\": 20,\n                  \"startColumn\": 36\n"))
      << sarif.Out;
  EXPECT_TRUE(Has(sarif.Out, "\"executionSuccessful\": false")) << sarif.Out;
}

}  // namespace
}  // namespace designertest
