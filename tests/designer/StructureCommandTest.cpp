// dvdesigner structure and drop on the example module and variants of it.
#include "DesignerFixture.h"

namespace designertest {
namespace {

TEST_F(DesignerTest, StructurePrintsTheTreeWithMarks) {
  auto r = Designer({"structure", "Shop.dfm"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  EXPECT_EQ(r.Out,
            "ShopModule: TDataModule\n"
            "  DVSession: TDVSession (Default) [transient]\n"
            "    ShopDatabase: TDVDatabase (SQLite | shop.db)\n"
            "      OrdersQuery (SELECT o.order_id, o.customer_id, o.order_date AS ordered_on,...)\n"
            "      CustomersTable (customers)\n"
            "      RecalcTotalsProc (recalc_order_totals)\n"
            "  OrdersUpdate: TDVUpdateSQL [problem]\n");
  EXPECT_EQ(Designer({"structure"}).ExitCode, 2);
  EXPECT_EQ(Designer({"structure", "Missing.dfm"}).ExitCode, 2);
  EXPECT_EQ(Designer({"structure", "Shop.dfm", "extra"}).ExitCode, 2);
}

// The example with a session of its own and a query of a database that no
// component stands for.
const char* kTwoSessions =
    "object ShopModule: TDataModule\n"
    "  object Reports: TDVSession\n    SessionName = 'Reports'\n  end\n"
    "  object ShopDatabase: TDVDatabase\n    DatabaseName = 'shop'\n    LoginPrompt = False\n"
    "    RemoteDatabase = 'shop.db'\n  end\n"
    "  object OrdersQuery: TDVQuery\n    DatabaseName = 'shop'\n  end\n"
    "  object GhostQuery: TDVQuery\n    DatabaseName = 'ghost'\n    SessionName = 'Reports'\n  end\n"
    "end\n";

TEST_F(DesignerTest, DropMovesADatabaseAndSavesOnlyWhenAsked) {
  WriteModule(kTwoSessions);
  auto moved = Designer({"drop", "Shop.dfm", "ShopDatabase", "Reports"});
  ASSERT_EQ(moved.ExitCode, 0) << moved.Err;
  EXPECT_EQ(moved.Out,
            "drag accepted\n"
            "drop changed the module\n"
            "OrdersQuery.SessionName: '' -> 'Reports'\n"
            "ShopDatabase.SessionName: '' -> 'Reports'\n"
            "now at Reports/ShopDatabase\n");
  EXPECT_EQ(Module(), kTwoSessions) << "not saved without --save";

  auto saved = Designer({"drop", "Shop.dfm", "ShopDatabase", "Reports", "--save"});
  ASSERT_EQ(saved.ExitCode, 0) << saved.Err;
  EXPECT_NE(Module().find("SessionName = 'Reports'"), std::string::npos);
  auto tree = Designer({"structure", "Shop.dfm"});
  EXPECT_NE(tree.Out.find("  Reports: TDVSession\n    ShopDatabase: TDVDatabase (SQLite | shop.db)\n"
                          "      OrdersQuery [problem]\n"),
            std::string::npos)
      << tree.Out;

  auto implied = Designer({"drop", "Shop.dfm", "<implieddatabase>.ghost", "ShopDatabase"});
  EXPECT_EQ(implied.ExitCode, 1);
  EXPECT_EQ(implied.Out, "drag refused\n");
  auto unchanged = Designer({"drop", "Shop.dfm", "GhostQuery", "Reports/<ImpliedDatabase>.ghost", "--save"});
  EXPECT_EQ(unchanged.Out, "drag accepted\ndrop changed nothing\n");
  EXPECT_EQ(Designer({"drop", "Shop.dfm", "NoSuchNode", "Reports"}).ExitCode, 2);
  EXPECT_EQ(Designer({"drop", "Shop.dfm", "GhostQuery"}).ExitCode, 2);
}

// Whatever structure prints can be named: the default session by what its
// line shows, a database known only from a dataset by its caption even when
// its name holds "/", alone or in a path.
TEST_F(DesignerTest, EveryPrintedNodeCanBeNamedInDrop) {
  WriteModule(
      "object ShopModule: TDataModule\n"
      "  object Reports: TDVSession\n    SessionName = 'Reports'\n  end\n"
      "  object ShopDatabase: TDVDatabase\n    DatabaseName = 'shop'\n    LoginPrompt = False\n"
      "    RemoteDatabase = 'shop.db'\n    SessionName = 'Reports'\n  end\n"
      "  object SlashQuery: TDVQuery\n    DatabaseName = 'x/y'\n  end\n"
      "end\n");
  auto tree = Designer({"structure", "Shop.dfm"});
  ASSERT_NE(tree.Out.find("\n  DVSession: TDVSession (Default) [transient]\n    Unknown (x/y) [transient]\n"),
            std::string::npos)
      << tree.Out;
  auto session = Designer({"drop", "Shop.dfm", "ShopDatabase", "DVSession"});
  EXPECT_EQ(session.ExitCode, 0) << session.Err;
  EXPECT_NE(session.Out.find("drop changed the module\nShopDatabase.SessionName: 'Reports' -> ''\n"), std::string::npos)
      << session.Out;
  for (const char* named : {"<ImpliedDatabase>.x/y", "Unknown (x/y)", "DVSession/<ImpliedDatabase>.x/y",
                            "dvsession/unknown (x/y)"}) {
    auto implied = Designer({"drop", "Shop.dfm", named, "Reports"});
    EXPECT_EQ(implied.ExitCode, 0) << named << ": " << implied.Err;
    EXPECT_NE(implied.Out.find("SlashQuery.SessionName: '' -> 'Reports'\n"), std::string::npos)
        << named << ": " << implied.Out;
  }
}

TEST_F(DesignerTest, DropOfAConnectedDatabaseFailsAndKeepsTheFile) {
  std::string text = kTwoSessions;
  text.replace(text.find("    LoginPrompt"), 0, "    Connected = True\n    DesignOptions = [ddoStoreConnected]\n");
  WriteModule(text);
  auto r = Designer({"drop", "Shop.dfm", "ShopDatabase", "Reports", "--save"});
  EXPECT_EQ(r.ExitCode, 1);
  EXPECT_EQ(r.Out, "drag accepted\n") << "nothing printed as changed";
  EXPECT_NE(r.Err.find("shop"), std::string::npos) << r.Err;
  EXPECT_EQ(Module(), text);
}

}  // namespace
}  // namespace designertest
