// dvdesigner show: the example module as the designer loads it.
#include "DesignerFixture.h"

namespace designertest {
namespace {

TEST_F(DesignerTest, ShowListsEveryComponentWithItsProperties) {
  auto r = Designer({"show", "Shop.dfm"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  EXPECT_NE(r.Out.find("Module Shop.dfm: ShopModule (TDataModule) with 5 components\n"), std::string::npos) << r.Out;
  for (const char* line : {"object ShopDatabase: TDVDatabase\n", "    RemoteDatabase = 'shop.db'\n",
                           "object OrdersQuery: TDVQuery\n", "    UpdateObject = OrdersUpdate\n",
                           "object OrdersUpdate: TDVUpdateSQL\n", "object CustomersTable: TDVTable\n",
                           "    TableName = 'customers'\n", "object RecalcTotalsProc: TDVStoredProc\n"})
    EXPECT_NE(r.Out.find(line), std::string::npos) << line << "\n" << r.Out;
}

TEST_F(DesignerTest, ShowRefusesABrokenModuleNamingThePlace) {
  WriteModule("object ShopModule: TDataModule\n  object X: TNoSuchClass\n  end\nend\n");
  auto r = Designer({"show", "Shop.dfm"});
  EXPECT_EQ(r.ExitCode, 2);
  EXPECT_NE(r.Err.find("Shop.dfm:2:13: Class TNoSuchClass not found"), std::string::npos) << r.Err;
  auto missing = Designer({"show", "Missing.dfm"});
  EXPECT_EQ(missing.ExitCode, 2);
  EXPECT_NE(missing.Err.find("Missing.dfm"), std::string::npos) << missing.Err;
}

}  // namespace
}  // namespace designertest
