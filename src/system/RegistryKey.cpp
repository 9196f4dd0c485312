#include "system/RegistryKey.h"

#include "system/ToolsRegistry.h"
#include "system/ToolsViews.h"

namespace {

struct TKeyCounts {
  DWORD SubKeys = 0;
  DWORD Values = 0;
};

TKeyCounts QueryCounts(HKEY key) {
  TKeyCounts c;
  if (!key || RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &c.SubKeys, nullptr, nullptr, &c.Values, nullptr,
                               nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return TKeyCounts();
  return c;
}

}  // namespace

HKEY RegistryRootByName(const std::string& rootName) {
  if (rootName == "HKEY_CLASSES_ROOT") return HKEY_CLASSES_ROOT;
  if (rootName == "HKEY_CURRENT_USER") return HKEY_CURRENT_USER;
  if (rootName == "HKEY_LOCAL_MACHINE") return HKEY_LOCAL_MACHINE;
  if (rootName == "HKEY_USERS") return HKEY_USERS;
  return HKEY_CURRENT_CONFIG;
}

TRegistryKey::TRegistryKey(HKEY root, const std::string& path, bool native, REGSAM access) : native_(native) {
  if (RegOpenKeyExA(root, path.c_str(), 0, Wow64KeyAccess(access, native), &key_) != ERROR_SUCCESS) key_ = nullptr;
}

TRegistryKey::~TRegistryKey() {
  if (key_) RegCloseKey(key_);
}

std::vector<std::string> TRegistryKey::SubKeyNames() const {
  // A second handle of the same key, in the same view.
  return key_ ? RegGetKeyNames(key_, std::string(), Wow64KeyAccess(KEY_READ, native_)) : std::vector<std::string>();
}

DWORD TRegistryKey::SubKeyCount() const { return QueryCounts(key_).SubKeys; }

DWORD TRegistryKey::ValueCount() const { return QueryCounts(key_).Values; }
