#include "rtl/packages/Units.h"

#include <map>

#include "rtl/system/SysUtils.h"

namespace rtl {

namespace {
std::map<std::string, int>& UseCounts() {
  static std::map<std::string, int> counts;
  return counts;
}
std::string Key(const char* name) { return UpperCase(name); }
}  // namespace

void InitializePackage(const TPackageInfoTable& table) {
  auto& counts = UseCounts();
  int done = 0;
  try {
    for (; done < table.UnitCount; ++done) {
      const TUnitInfo& unit = table.Units[done];
      int& count = counts[Key(unit.Name)];
      if (count == 0 && unit.Init != nullptr) unit.Init();
      ++count;
    }
  } catch (...) {
    // Undo this call's part: the failed unit was never counted.
    FinalizePackage(TPackageInfoTable{table.Units, done});
    throw;
  }
}

void FinalizePackage(const TPackageInfoTable& table) {
  auto& counts = UseCounts();
  for (int i = table.UnitCount - 1; i >= 0; --i) {
    const TUnitInfo& unit = table.Units[i];
    auto it = counts.find(Key(unit.Name));
    if (it == counts.end() || it->second == 0) continue;
    if (--it->second == 0) {
      counts.erase(it);
      try {
        if (unit.FInit != nullptr) unit.FInit();
      } catch (...) {
        // One unit's failure must not keep the others from releasing.
      }
    }
  }
}

int UnitUseCount(const std::string& unitName) {
  auto& counts = UseCounts();
  auto it = counts.find(UpperCase(unitName));
  return it == counts.end() ? 0 : it->second;
}

}  // namespace rtl
