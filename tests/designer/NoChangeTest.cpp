// A command whose action changes nothing says so and leaves the module file
// alone: no new file (inode) and no new modification time.
#include <sys/stat.h>

#include <cstdint>
#include <utility>

#include "DesignerFixture.h"

namespace designertest {
namespace {

class NoChange : public DesignerTest {
 protected:
  std::pair<ino_t, int64_t> Identity() const {
    struct stat st {};
    EXPECT_EQ(::stat(ModulePath().c_str(), &st), 0);
    return {st.st_ino, static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
  }
  void ExpectLeftAlone(const dvtest::TProcessResult& r, const std::pair<ino_t, int64_t>& before) const {
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_NE(r.Err.find("Nothing changed; "), std::string::npos) << r.Err;
    EXPECT_EQ(r.Err.find("Saved"), std::string::npos) << r.Err;
    EXPECT_EQ(Identity(), before);
  }
};

TEST_F(NoChange, DropOntoItsOwnSessionSetToTheSameValueAndADialogAcceptedAsItWas) {
  const auto before = Identity();
  const std::string text = Module();
  auto drop = Designer({"drop", "Shop.dfm", "ShopDatabase", "<DefaultSession>", "--save"});
  EXPECT_EQ(drop.Out, "drag accepted\ndrop changed nothing\n");
  ExpectLeftAlone(drop, before);
  auto set = Designer({"set", "Shop.dfm", "ShopDatabase", "LoginPrompt", "False", "--save"});
  EXPECT_EQ(set.Out, "LoginPrompt = False\n");
  ExpectLeftAlone(set, before);
  auto verb = Designer({"verb", "Shop.dfm", "ShopDatabase", "2", "--accept", "--save"});
  EXPECT_EQ(verb.Out, "unchanged\n");
  ExpectLeftAlone(verb, before);
  EXPECT_EQ(Module(), text);
  // A real change is still saved.
  auto changed = Designer({"set", "Shop.dfm", "ShopDatabase", "LoginPrompt", "True", "--save"});
  EXPECT_EQ(changed.ExitCode, 0) << changed.Err;
  EXPECT_NE(changed.Err.find("Saved"), std::string::npos) << changed.Err;
  EXPECT_NE(Identity(), before);
  EXPECT_EQ(Module().find("LoginPrompt"), std::string::npos) << "True is the default, not stored";
}

}  // namespace
}  // namespace designertest
