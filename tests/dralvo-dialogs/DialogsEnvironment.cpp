// The runtime's and the widget layer's units, started once for the program.
#include "RuntimeUnits.h"

namespace {
[[maybe_unused]] ::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new dvtest::TRuntimeUnits);
}  // namespace
