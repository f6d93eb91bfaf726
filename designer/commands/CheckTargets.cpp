#include "commands/CheckTargets.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "Commands.h"
#include "rtl/objects/Component.h"
#include "rtl/system/SysUtils.h"

namespace designer {

namespace {
namespace fs = std::filesystem;

bool IsModuleFile(const fs::directory_entry& entry) {
  std::error_code ec;
  return entry.is_regular_file(ec) && rtl::SameText(entry.path().extension().string(), ".dfm");
}

// Every *.dfm under `folder` (symbolic links to folders are not followed,
// so no loop), named as `folder` followed by the path under it.
void AddFolder(const std::string& folder, std::vector<TCheckTarget>& targets) {
  std::vector<std::string> found;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (IsModuleFile(*it)) found.push_back((fs::path(folder) / it->path().lexically_relative(folder)).string());
  if (ec) {
    targets.push_back({folder, {}, false, "cannot read the folder: " + ec.message()});
    return;
  }
  if (found.empty()) {
    targets.push_back({folder, {}, false, "the folder holds no data module (*.dfm)"});
    return;
  }
  std::sort(found.begin(), found.end());
  for (std::string& file : found) targets.push_back({std::move(file), {}, true, {}});
}
}  // namespace

std::vector<TCheckTarget> CheckTargets(const std::vector<std::string>& operands) {
  std::vector<TCheckTarget> targets;
  bool afterFolder = false;
  for (const std::string& operand : operands) {
    std::error_code ec;
    const fs::file_status status = fs::status(operand, ec);
    if (fs::is_directory(status)) {
      AddFolder(operand, targets);
      afterFolder = true;
      continue;
    }
    // A component's name is an identifier; a path that does not exist is a
    // module that cannot be read, and is reported so.
    if (!fs::exists(status) && rtl::IsValidIdent(operand) && !targets.empty()) {
      if (afterFolder)
        throw EBadInput("\"" + operand + "\" follows a folder: name an update object after its module file");
      targets.back().Objects.push_back(operand);
      continue;
    }
    targets.push_back({operand, {}, false, {}});
    afterFolder = false;
  }
  return targets;
}

}  // namespace designer
