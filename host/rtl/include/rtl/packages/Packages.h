#pragma once
// The package loader. A package is a shared library that exports the C entry
// points "Initialize", "Finalize" and "GetPackageInfoTable" (and, for a
// design-time package, "Register"). Its resources (rtl/packages/Resources.h) name the
// packages it requires; those are files in the package's own folder and are
// loaded first. All calls belong on the main thread.
#include <string>
#include <vector>

namespace rtl {

struct TPackageInfoTable;

// A loaded package, as returned by dlopen.
using HMODULE = void*;

// Entry points a package exports, by these C names.
using TPackageInitProc = void (*)();
using TPackageInfoProc = const TPackageInfoTable* (*)();
using TPackageRegisterProc = void (*)();
constexpr const char* InitializeEntryName = "Initialize";
constexpr const char* FinalizeEntryName = "Finalize";
constexpr const char* PackageInfoEntryName = "GetPackageInfoTable";
constexpr const char* RegisterEntryName = "Register";

// Loads the package file, its required packages first, runs the
// initialization of its units (each unit at most once per process) and its
// Register procedure. Loading an already loaded file only counts another
// use. Raises EPackageError naming the file and what is wrong or missing; a
// refused package leaves nothing loaded, initialized or registered.
HMODULE LoadPackage(const std::string& fileName);
// Undoes one LoadPackage. On the last use, tells the unload listeners (which
// drop what the package registered), finalizes its units, closes the library
// and unloads its required packages.
void UnloadPackage(HMODULE module);

struct TLoadedPackage {
  HMODULE Handle = nullptr;
  std::string FileName;  // absolute path
  int UseCount = 0;
};
// Loaded packages in load order (required packages before their users).
std::vector<TLoadedPackage> LoadedPackages();
// The file a module was loaded from; null stands for the program itself.
// Raises EPackageError for a handle that names no loaded module.
std::string GetModuleFileName(HMODULE module);

// The package whose Register procedure is running, or null.
HMODULE RegisteringPackage();

// Listeners called with a package's handle just before it is finalized and
// closed, while its code and classes are still in memory.
using TPackageUnloadNotify = void (*)(HMODULE module);
void AddPackageUnloadNotify(TPackageUnloadNotify notify);
void RemovePackageUnloadNotify(TPackageUnloadNotify notify);

}  // namespace rtl
