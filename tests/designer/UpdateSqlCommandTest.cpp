// dvdesigner updatesql: the package's UpdateSQL editor driven on the
// example's update object.
#include "DesignerFixture.h"

namespace designertest {
namespace {

TEST_F(DesignerTest, GeneratesAndPrintsTheFourStatements) {
  auto r = Designer({"updatesql", "Shop.dfm", "OrdersUpdate", "--table-fields", "--primary-keys", "--generate",
                     "--print"});
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  EXPECT_NE(r.Out.find("-- modify\n"), std::string::npos) << r.Out;
}

}  // namespace
}  // namespace designertest
