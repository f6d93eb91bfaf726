#pragma once
// Runs a program as a separate process in a given folder, with its standard
// output and error captured.
#include <string>
#include <vector>

namespace dvtest {

struct TProcessResult {
  int ExitCode = -1;  // -1: did not exit normally
  std::string Out;
  std::string Err;
};

TProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& workingDir);

}  // namespace dvtest
