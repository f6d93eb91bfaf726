// Commands that show no window run where no display can be reached (DISPLAY
// empty, or naming a server that is gone); the window says that it cannot
// show itself, with exit 2, instead of the toolkit aborting the program.
#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "DesignerFixture.h"

namespace designertest {
namespace {

// Sets or clears variables of this process (which the designer inherits)
// for its lifetime.
class TScopedEnv {
 public:
  void Set(const char* name, const std::optional<std::string>& value) {
    const char* old = std::getenv(name);
    saved_.push_back({name, old != nullptr ? std::optional<std::string>(old) : std::nullopt});
    if (value)
      ::setenv(name, value->c_str(), 1);
    else
      ::unsetenv(name);
  }
  ~TScopedEnv() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->second)
        ::setenv(it->first, it->second->c_str(), 1);
      else
        ::unsetenv(it->first);
    }
  }

 private:
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

// An X display number no server listens on.
std::string DeadDisplay() {
  struct stat info{};
  for (int n = 99;; ++n)
    if (::stat(("/tmp/.X11-unix/X" + std::to_string(n)).c_str(), &info) != 0) return ":" + std::to_string(n);
}

TEST_F(DesignerTest, CommandsRunWithoutADisplayAndTheWindowSaysItHasNone) {
  for (const std::optional<std::string>& display : {std::optional<std::string>(DeadDisplay()), std::optional<std::string>("")}) {
    TScopedEnv env;
    env.Set("DISPLAY", display);
    env.Set("QT_QPA_PLATFORM", std::nullopt);
    env.Set("WAYLAND_DISPLAY", std::nullopt);
    SCOPED_TRACE("DISPLAY=" + *display);
    auto generated = Designer({"updatesql", "Shop.dfm", "OrdersUpdate", "--table-fields", "--generate", "--print"});
    EXPECT_EQ(generated.ExitCode, 0) << generated.Err;
    EXPECT_NE(generated.Out.find("-- modify\nupdate orders\n"), std::string::npos) << generated.Out;

    auto window = Designer({"open", "Shop.dfm"});
    EXPECT_EQ(window.ExitCode, 2) << window.Err;
    EXPECT_NE(window.Err.find("dvdesigner open: no display could be reached"), std::string::npos) << window.Err;
    EXPECT_TRUE(window.Out.empty()) << window.Out;
  }
}

}  // namespace
}  // namespace designertest
