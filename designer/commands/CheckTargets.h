#pragma once
// What `check` is asked to check, from its operands: an operand that names
// an existing file is a module, one that names an existing folder stands
// for every *.dfm file under it (recursively, in the order of their paths,
// so that a report reads the same on every machine); a name that follows a
// module file is an update object of that module. Anything else is taken
// for a module file, which the check then reports as not read.
#include <string>
#include <vector>

namespace designer {

struct TCheckTarget {
  std::string File;                  // as given, or the path found under a given folder
  std::vector<std::string> Objects;  // update objects named after it; empty: all
  bool Found = false;                // found under a folder rather than named
  std::string Problem;               // why it cannot be checked (a folder that cannot be read); empty: none
};

// Raises EBadInput for an update object named after a folder.
std::vector<TCheckTarget> CheckTargets(const std::vector<std::string>& operands);

}  // namespace designer
