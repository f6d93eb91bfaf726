#include "rtl/packages/Packages.h"

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <utility>

#include "rtl/system/Exceptions.h"
#include "rtl/packages/Resources.h"

namespace rtl {

namespace fs = std::filesystem;

namespace {

struct TPackageEntry {
  HMODULE Handle = nullptr;
  std::string FileName;
  int UseCount = 0;
  TPackageInitProc Finalize = nullptr;
  std::vector<HMODULE> Requires;  // loaded for this package, in load order
};

struct TLoaderState {
  std::vector<TPackageEntry> Packages;  // load order
  std::vector<std::string> Loading;     // files being loaded, to catch cycles
  std::vector<TPackageUnloadNotify> Listeners;
  HMODULE Registering = nullptr;
};

TLoaderState& State() {
  static TLoaderState state;
  return state;
}

TPackageEntry* FindByFile(const std::string& fileName) {
  for (auto& p : State().Packages)
    if (p.FileName == fileName) return &p;
  return nullptr;
}

TPackageEntry* FindByHandle(HMODULE module) {
  for (auto& p : State().Packages)
    if (p.Handle == module) return &p;
  return nullptr;
}

[[noreturn]] void Refuse(const std::string& fileName, const std::string& why) {
  throw EPackageError("Cannot load package \"" + fileName + "\": " + why);
}

std::string AbsolutePath(const std::string& fileName) {
  std::error_code ec;
  fs::path p = fs::weakly_canonical(fs::absolute(fileName), ec);
  return ec ? fs::absolute(fileName).lexically_normal().string() : p.string();
}

// Required package file names from the package's own resources; a library
// without resources (a host layer) requires nothing. Kept per file while the
// file is unchanged, since packages are unloaded and loaded again often.
std::vector<std::string> RequiredPackages(const std::string& fileName) {
  struct TCached {
    fs::file_time_type Time;
    uintmax_t Size;
    std::vector<std::string> Required;
  };
  static std::map<std::string, TCached> cache;
  std::error_code timeError, sizeError;
  fs::file_time_type time = fs::last_write_time(fileName, timeError);
  uintmax_t size = fs::file_size(fileName, sizeError);
  auto it = cache.find(fileName);
  if (!timeError && !sizeError && it != cache.end() && it->second.Time == time && it->second.Size == size)
    return it->second.Required;

  TResourceList resources;
  try {
    resources = ReadResources(fileName);
  } catch (const EPackageError& e) {
    Refuse(fileName, std::string("it is not a package (") + e.what() + ")");
  }
  const TResource* info = resources.Find(TResourceType::RCData, PackageInfoResName);
  std::vector<std::string> required;
  if (info != nullptr) required = DecodePackageInfo(info->Data, fileName).Requires;
  if (!timeError && !sizeError) cache[fileName] = TCached{time, size, required};
  return required;
}

class TDlHandle {
 public:
  explicit TDlHandle(void* handle) : handle_(handle) {}
  ~TDlHandle() {
    if (handle_ != nullptr) dlclose(handle_);
  }
  TDlHandle(const TDlHandle&) = delete;
  TDlHandle& operator=(const TDlHandle&) = delete;
  void* Get() const { return handle_; }
  void* Release() { return std::exchange(handle_, nullptr); }

 private:
  void* handle_;
};

// Unloads what a failed load had already loaded, newest first.
void UnloadAll(std::vector<HMODULE>& modules) {
  for (auto it = modules.rbegin(); it != modules.rend(); ++it) UnloadPackage(*it);
  modules.clear();
}

// An entry point of the library itself: dlsym also searches the library's
// dependencies, and every host layer exports the same entry names.
template <class Proc>
Proc Entry(void* handle, const char* name) {
  void* symbol = dlsym(handle, name);
  if (symbol == nullptr) return nullptr;
  link_map* own = nullptr;
  dl_find_object home{};
  // _dl_find_object is a table look-up; dladdr would scan symbol tables.
  if (dlinfo(handle, RTLD_DI_LINKMAP, &own) != 0 || _dl_find_object(symbol, &home) != 0 || home.dlfo_link_map != own)
    return nullptr;
  return reinterpret_cast<Proc>(symbol);
}

void RunRegister(HMODULE module, TPackageRegisterProc registerProc) {
  auto& state = State();
  HMODULE outer = std::exchange(state.Registering, module);
  try {
    registerProc();
  } catch (...) {
    state.Registering = outer;
    throw;
  }
  state.Registering = outer;
}

HMODULE LoadNew(const std::string& path, const std::string& shownName) {
  std::vector<std::string> required = RequiredPackages(path);
  fs::path folder = fs::path(path).parent_path();
  // Every required file must be there before anything is loaded.
  for (const auto& name : required) {
    std::error_code ec;
    if (!fs::is_regular_file(folder / name, ec))
      Refuse(shownName, "required package \"" + name + "\" not found in \"" + folder.string() + "\"");
  }

  std::vector<HMODULE> loaded;
  std::string failure;
  try {
    for (const auto& name : required) loaded.push_back(LoadPackage((folder / name).string()));
  } catch (const Exception& e) {
    failure = std::string("a required package failed: ") + e.what();
  }
  if (!failure.empty()) {
    UnloadAll(loaded);
    Refuse(shownName, failure);
  }

  TDlHandle lib(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
  if (lib.Get() == nullptr) {
    std::string why = dlerror();
    UnloadAll(loaded);
    Refuse(shownName, why);
  }
  auto init = Entry<TPackageInitProc>(lib.Get(), InitializeEntryName);
  auto fini = Entry<TPackageInitProc>(lib.Get(), FinalizeEntryName);
  auto table = Entry<TPackageInfoProc>(lib.Get(), PackageInfoEntryName);
  const char* missing = init == nullptr ? InitializeEntryName
                        : fini == nullptr ? FinalizeEntryName
                        : table == nullptr ? PackageInfoEntryName
                                           : nullptr;
  if (missing != nullptr) {
    dlclose(lib.Release());
    UnloadAll(loaded);
    Refuse(shownName, std::string("entry point \"") + missing + "\" not found; it is not a package");
  }
  // An exception raised by the package is finished with before the package
  // is closed: its type and destructor may live in the package's code.
  try {
    init();
  } catch (const std::exception& e) {
    failure = std::string("initialization failed: ") + e.what();
  } catch (...) {
    failure = "initialization failed";
  }
  if (!failure.empty()) {
    dlclose(lib.Release());
    UnloadAll(loaded);
    Refuse(shownName, failure);
  }

  HMODULE module = lib.Release();
  State().Packages.push_back(TPackageEntry{module, path, 1, fini, loaded});
  if (auto reg = Entry<TPackageRegisterProc>(module, RegisterEntryName)) {
    try {
      RunRegister(module, reg);
    } catch (const std::exception& e) {
      failure = std::string("Register failed: ") + e.what();
    } catch (...) {
      failure = "Register failed";
    }
    if (!failure.empty()) {
      UnloadPackage(module);
      Refuse(shownName, failure);
    }
  }
  return module;
}

}  // namespace

HMODULE LoadPackage(const std::string& fileName) {
  std::error_code ec;
  if (!fs::exists(fileName, ec)) Refuse(fileName, "file not found");
  std::string path = AbsolutePath(fileName);
  if (TPackageEntry* entry = FindByFile(path)) {
    ++entry->UseCount;
    return entry->Handle;
  }
  auto& loading = State().Loading;
  if (std::find(loading.begin(), loading.end(), path) != loading.end())
    Refuse(fileName, "it requires itself through its required packages");
  loading.push_back(path);
  try {
    HMODULE module = LoadNew(path, fileName);
    loading.pop_back();
    return module;
  } catch (...) {
    loading.pop_back();
    throw;
  }
}

void UnloadPackage(HMODULE module) {
  auto& state = State();
  TPackageEntry* entry = FindByHandle(module);
  if (entry == nullptr || module == nullptr) throw EPackageError("Unload of a package that is not loaded");
  if (--entry->UseCount > 0) return;

  // Listeners and finalization may load or unload other packages, so work
  // from a copy and find the entry again afterwards.
  TPackageEntry gone = *entry;
  for (auto notify : std::vector<TPackageUnloadNotify>(state.Listeners)) notify(module);
  gone.Finalize();
  auto& list = state.Packages;
  list.erase(std::remove_if(list.begin(), list.end(), [&](const TPackageEntry& p) { return p.Handle == module; }),
             list.end());
  dlclose(module);
  UnloadAll(gone.Requires);
}

std::vector<TLoadedPackage> LoadedPackages() {
  std::vector<TLoadedPackage> result;
  for (const auto& p : State().Packages) result.push_back(TLoadedPackage{p.Handle, p.FileName, p.UseCount});
  return result;
}

std::string GetModuleFileName(HMODULE module) {
  if (module == nullptr) {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) throw EPackageError("Cannot find the program's file: " + ec.message());
    return self.string();
  }
  if (const TPackageEntry* entry = FindByHandle(module)) return entry->FileName;
  link_map* map = nullptr;
  if (dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr || map->l_name == nullptr)
    throw EPackageError("Not a module handle");
  return map->l_name;
}

HMODULE RegisteringPackage() { return State().Registering; }

void AddPackageUnloadNotify(TPackageUnloadNotify notify) {
  auto& listeners = State().Listeners;
  if (std::find(listeners.begin(), listeners.end(), notify) == listeners.end()) listeners.push_back(notify);
}

void RemovePackageUnloadNotify(TPackageUnloadNotify notify) {
  auto& listeners = State().Listeners;
  listeners.erase(std::remove(listeners.begin(), listeners.end(), notify), listeners.end());
}

}  // namespace rtl
