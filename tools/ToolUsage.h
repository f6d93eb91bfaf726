#pragma once
// The command-line convention the project's small programs share: --help
// prints the usage on standard output; a wrong number of arguments prints
// it on standard error.
#include <cstdio>
#include <cstring>

// The exit status when the program should stop here (0 after --help, 2 on
// bad usage), or -1 when argc holds the `wanted` count and it should go on.
inline int CheckToolUsage(int argc, char** argv, int wanted, const char* usage) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(usage, stdout);
    return 0;
  }
  if (argc != wanted) {
    std::fputs(usage, stderr);
    return 2;
  }
  return -1;
}
