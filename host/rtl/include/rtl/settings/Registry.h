#pragma once
// TRegistry: the current user's registry keys and string values.
//
// This system has no registry; HKEY_CURRENT_USER lives in a per-user store,
// the profile file $XDG_CONFIG_HOME/dralvo/registry.ini (~/.config when the
// variable is unset, empty or not an absolute path). Each key is a section
// named by its full path ("[Software\Dralvo]"), each string value an entry.
// A key exists when its section exists or a key below it does. A store that
// is missing, unreadable or not text reads as having no keys.
#include <cstdint>
#include <string>

#include "rtl/objects/Object.h"

namespace rtl {

using HKEY = uintptr_t;
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;

class TRegistry : public TObject {
  RTL_CLASS(TRegistry)
 public:
  TRegistry();

  // The file that holds the current user's keys.
  static std::string StoreFileName();

  HKEY RootKey() const { return rootKey_; }
  // Only HKEY_CURRENT_USER exists here; another root raises ERegistryException.
  void SetRootKey(HKEY key);

  // `key` is a path below the root ("Software\Dralvo"); relative to the
  // open key unless it starts with "\". Returns false when the key does not
  // exist and canCreate is false; with canCreate true a missing key is
  // created (the store is written).
  bool OpenKey(const std::string& key, bool canCreate);
  // Opens an existing key for reading only; writes then raise.
  bool OpenKeyReadOnly(const std::string& key);
  void CloseKey();
  bool KeyExists(const std::string& key) const;
  // The open key's path without leading "\"; empty when none is open.
  const std::string& CurrentPath() const { return currentPath_; }

  // A missing value reads as empty.
  std::string ReadString(const std::string& name) const;
  bool ValueExists(const std::string& name) const;
  // Raises ERegistryException naming the store and the reason when no key
  // is open for writing or the store cannot be written.
  void WriteString(const std::string& name, const std::string& value);
  bool DeleteValue(const std::string& name);

 private:
  std::string ResolvePath(const std::string& key) const;
  void CheckWritable() const;

  HKEY rootKey_ = HKEY_CURRENT_USER;
  std::string storeFile_;
  std::string currentPath_;
  bool keyOpen_ = false;
  bool readOnly_ = false;
};

}  // namespace rtl
