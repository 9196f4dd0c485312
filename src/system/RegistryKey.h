// A registry key opened in one of the two views of 64-bit Windows. The registry
// categories only ever open keys, never create them; a key that cannot be opened,
// whether it is absent or access is refused, counts as absent.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The root key of a full root name ("HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
// "HKEY_LOCAL_MACHINE", "HKEY_USERS", compared exactly); any other name gives
// HKEY_CURRENT_CONFIG.
HKEY RegistryRootByName(const std::string& rootName);

class TRegistryKey {
 public:
  // Opens root\path with Wow64KeyAccess(access, native); an empty path opens the root
  // itself. On failure the object stays closed.
  TRegistryKey(HKEY root, const std::string& path, bool native, REGSAM access = KEY_ALL_ACCESS);
  ~TRegistryKey();
  TRegistryKey(const TRegistryKey&) = delete;
  TRegistryKey& operator=(const TRegistryKey&) = delete;

  explicit operator bool() const { return key_ != nullptr; }
  HKEY Handle() const { return key_; }
  bool Native() const { return native_; }

  // Names of the sub-keys in the order the registry lists them; empty when closed. A
  // listing error ends the list early.
  std::vector<std::string> SubKeyNames() const;
  // Counts of sub-keys and values; 0 when closed or unreadable.
  DWORD SubKeyCount() const;
  DWORD ValueCount() const;

 private:
  HKEY key_ = nullptr;
  bool native_;
};
