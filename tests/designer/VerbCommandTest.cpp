// dvdesigner verbs and verb: the context menus of the example's components
// and one verb run through the editor the package registered, its dialogs
// cancelled or accepted through the modal seam.
#include <string>
#include <vector>

#include "DesignerFixture.h"

namespace designertest {
namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(DesignerTest, VerbsListEachComponentsMenuInOrder) {
  auto all = Designer({"verbs", "Shop.dfm"});
  ASSERT_EQ(all.ExitCode, 0) << all.Err;
  for (const char* line : {"ShopDatabase 0 Dralvo Library 6.5.3.0\nShopDatabase 1 -\n"
                           "ShopDatabase 2 Database Editor...\nShopDatabase 3 Define Parameters...\n",
                           "OrdersUpdate 2 UpdateSQL Editor...\n", "CustomersTable 2 Fields Editor...\n",
                           "RecalcTotalsProc 3 Define Parameters...\n"})
    EXPECT_TRUE(Has(all.Out, line)) << "missing: " << line << "\n" << all.Out;
  EXPECT_LT(all.Out.find("ShopDatabase 0"), all.Out.find("OrdersQuery 0")) << "module order";

  auto one = Designer({"verbs", "Shop.dfm", "OrdersQuery"});
  ASSERT_EQ(one.ExitCode, 0) << one.Err;
  EXPECT_EQ(one.Out,
            "OrdersQuery 0 Dralvo Library 6.5.3.0\nOrdersQuery 1 -\nOrdersQuery 2 Fields Editor...\n"
            "OrdersQuery 3 Define Parameters...\nOrdersQuery 4 SQL Editor...\n");

  auto unknown = Designer({"verbs", "Shop.dfm", "NoSuchQuery"});
  EXPECT_EQ(unknown.ExitCode, 2);
  EXPECT_TRUE(Has(unknown.Err, "\"NoSuchQuery\"")) << unknown.Err;
  EXPECT_TRUE(unknown.Out.empty());
}

TEST_F(DesignerTest, VerbCancelsItsDialogUnlessAcceptedAndSavesOnlyAChange) {
  const std::string before = Module();
  auto cancelled = Designer({"verb", "Shop.dfm", "ShopDatabase", "2", "--save"});
  ASSERT_EQ(cancelled.ExitCode, 0) << cancelled.Err;
  EXPECT_EQ(cancelled.Out, "unchanged\n");
  EXPECT_TRUE(Has(cancelled.Err, "cancelled")) << cancelled.Err;
  EXPECT_FALSE(Has(cancelled.Err, "Saved")) << cancelled.Err;
  EXPECT_EQ(Module(), before);

  // Accepted as it was: the editor reports a change, but nothing changed.
  auto accepted = Designer({"verb", "Shop.dfm", "ShopDatabase", "2", "--accept", "--save"});
  ASSERT_EQ(accepted.ExitCode, 0) << accepted.Err;
  EXPECT_EQ(accepted.Out, "unchanged\n");
  EXPECT_TRUE(Has(accepted.Err, "Nothing changed")) << accepted.Err;
  EXPECT_EQ(Module(), before);

  // The framework's collection editor is installed by the program.
  auto params = Designer({"verb", "Shop.dfm", "OrdersQuery", "3"});
  ASSERT_EQ(params.ExitCode, 0) << params.Err;
  EXPECT_TRUE(Has(params.Err, "Opened \"Editing OrdersQuery.Params\"")) << params.Err;
  EXPECT_EQ(params.Out, "unchanged\n");
}

// The Fields Editor shows why it has no columns to offer in its own status
// line; the verb fails with that error, which names who asked.
TEST_F(DesignerTest, VerbFailsWithTheErrorItsDialogShows) {
  std::string text = Module();
  text.replace(text.find("RemoteDatabase = 'shop.db'"), 26, "RemoteDatabase = 'missing.db'");
  WriteModule(text);
  auto unreachable = Designer({"verb", "Shop.dfm", "CustomersTable", "2", "--accept"});
  EXPECT_EQ(unreachable.ExitCode, 1) << unreachable.Err;
  EXPECT_TRUE(Has(unreachable.Err, "Error in \"Fields of CustomersTable\": ")) << unreachable.Err;
  EXPECT_TRUE(Has(unreachable.Err, "missing.db")) << unreachable.Err;
  EXPECT_EQ(unreachable.Out, "unchanged\n");
  text.replace(text.find("DatabaseName = 'shop'\n    TableName"), 21, "DatabaseName = 'nodb'");
  WriteModule(text);
  auto missing = Designer({"verb", "Shop.dfm", "CustomersTable", "2"});
  EXPECT_EQ(missing.ExitCode, 1) << missing.Err;
  EXPECT_TRUE(Has(missing.Err, "CustomersTable in module ShopModule: Database 'nodb' not found")) << missing.Err;
  auto values = Designer({"values", "Shop.dfm", "CustomersTable", "TableName"});
  EXPECT_EQ(values.ExitCode, 1);
  EXPECT_TRUE(Has(values.Err, "CustomersTable.TableName in Shop.dfm: Database 'nodb' not found")) << values.Err;
}

TEST_F(DesignerTest, VerbNamesAnUnknownComponentOrIndex) {
  struct TCase {
    std::vector<std::string> Args;
    const char* Named;
  };
  const TCase cases[] = {
      {{"verb", "Shop.dfm", "Ghost", "0"}, "\"Ghost\""},
      {{"verb", "Shop.dfm", "OrdersUpdate", "3"}, "no verb 3; its verbs are 0 to 2"},
      {{"verb", "Shop.dfm", "OrdersUpdate", "-1"}, "no verb -1"},
      {{"verb", "Shop.dfm", "OrdersUpdate", "two"}, "\"two\" is not a whole number"},
      {{"verb", "Shop.dfm", "OrdersUpdate", " 2"}, "\" 2\" is not a whole number"},
      {{"verb", "Shop.dfm", "OrdersUpdate", "2 "}, "\"2 \" is not a whole number"},
      {{"verb", "Shop.dfm", "OrdersUpdate", "99999999999"}, "no verb 99999999999; its verbs are 0 to 2"},
      {{"verb", "Shop.dfm", "OrdersUpdate", "1"}, "is a separator"},
      {{"verb", "Shop.dfm", "OrdersUpdate"}, "verb needs"},
  };
  for (const TCase& c : cases) {
    auto r = Designer(c.Args);
    EXPECT_EQ(r.ExitCode, 2) << c.Named;
    EXPECT_TRUE(Has(r.Err, c.Named)) << r.Err;
  }
}

}  // namespace
}  // namespace designertest
