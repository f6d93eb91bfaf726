#pragma once
// Shared helpers of the package tests: where the built libraries are, and
// the start-up counters that the fixture packages keep in the environment.
#include <cstdlib>
#include <string>

namespace dvtest {

inline std::string BinDir() {
  const char* dir = std::getenv("DV_BIN_DIR");
  return dir == nullptr ? std::string(".") : std::string(dir);
}

inline std::string BinFile(const std::string& name) { return BinDir() + "/" + name; }

inline int Counter(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  return value == nullptr ? 0 : std::atoi(value);
}

inline void ResetCounters() {
  for (const char* name : {"FIXTURE_SHARED_INITS", "FIXTURE_SHARED_FINALS"}) unsetenv(name);
  for (const char* unit : {"FixtureGood", "FixtureSecond", "FixtureRaises", "FixtureNoFinalize",
                           "FixtureMissingRequire"}) {
    unsetenv((std::string("FIXTURE_INITS_") + unit).c_str());
    unsetenv((std::string("FIXTURE_FINALS_") + unit).c_str());
  }
}

}  // namespace dvtest
