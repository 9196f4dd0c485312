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

TRegistryKey::TRegistryKey(HKEY root, const std::string& path, bool native, REGSAM access) {
  (void)Open(root, path, native, access);
}

LONG TRegistryKey::Open(HKEY root, const std::string& path, bool native, REGSAM access, DWORD options) {
  key_.Reset();
  native_ = native;
  HKEY opened = nullptr;
  openResult_ = RegOpenKeyExA(root, path.c_str(), options, Wow64KeyAccess(access, native), &opened);
  if (openResult_ == ERROR_SUCCESS) key_.Reset(opened);
  return openResult_;
}

std::vector<std::string> TRegistryKey::SubKeyNames(bool* complete) const {
  if (complete) *complete = key_.Valid();
  // A second handle of the same key, in the same view.
  return key_ ? RegGetKeyNames(key_.Get(), std::string(), Wow64KeyAccess(KEY_READ, native_), complete)
              : std::vector<std::string>();
}

DWORD TRegistryKey::SubKeyCount() const { return QueryCounts(key_.Get()).SubKeys; }

DWORD TRegistryKey::ValueCount() const { return QueryCounts(key_.Get()).Values; }
