#pragma once
// Units and package info tables.
//
// A unit is a named piece of a library with an initialization and a
// finalization (registering its classes, creating its globals). A package's
// info table lists the units it needs, those of the packages it requires
// first. Across the whole process each unit is initialized at most once,
// however many packages list it, and finalized only when the last package
// that listed it is finalized; finalizations run in reverse order.
#include <string>
#include <vector>

namespace rtl {

struct TUnitInfo {
  const char* Name;
  void (*Init)();   // may be null
  void (*FInit)();  // may be null
};

struct TPackageInfoTable {
  const TUnitInfo* Units;
  int UnitCount;
};

// Runs the initialization of every unit of the table not yet initialized in
// this process. When one raises, the units this call initialized are
// finalized again (in reverse) and the error propagates.
void InitializePackage(const TPackageInfoTable& table);
// Finalizes, in reverse order, every unit of the table whose last user this
// is. Errors of one finalization are swallowed so that the others run.
void FinalizePackage(const TPackageInfoTable& table);
// How many initialized packages currently use the unit (0: not initialized).
int UnitUseCount(const std::string& unitName);

}  // namespace rtl
