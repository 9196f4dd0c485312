#include "system/RegistryKey.h"

#include "system/RegistryCallCounts.h"
#include "system/ToolsRegistry.h"
#include "system/ToolsViews.h"

namespace {

struct TKeyCounts {
  DWORD SubKeys = 0;
  DWORD Values = 0;
};

TKeyCounts QueryCounts(HKEY key, bool* read = nullptr) {
  TKeyCounts c;
  if (key) CountRegistryCall(kRegKeyInfo);
  const bool ok = key && RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &c.SubKeys, nullptr, nullptr, &c.Values,
                                          nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  if (read) *read = ok;
  return ok ? c : TKeyCounts();
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
  CountRegistryOpen(kRegOpenByPath, path.c_str());
  openResult_ = RegOpenKeyExA(root, path.c_str(), options, Wow64KeyAccess(access, native), &opened);
  if (openResult_ == ERROR_SUCCESS) key_.Reset(opened);
  return openResult_;
}

TRegistryKey::TRegistryKey(const TRegistryKey& parent, const std::string& path, REGSAM access) {
  (void)OpenBelow(parent, path, access);
}

LONG TRegistryKey::OpenBelow(const TRegistryKey& parent, const std::string& path, REGSAM access, DWORD options) {
  key_.Reset();
  native_ = parent.native_;
  if (!parent) return openResult_ = ERROR_INVALID_HANDLE;
  const REGSAM view = Wow64KeyAccess(access & ~static_cast<REGSAM>(KEY_WOW64_32KEY | KEY_WOW64_64KEY), true);
  HKEY opened = nullptr;
  CountRegistryOpen(kRegOpenBelow, path.c_str());
  openResult_ = RegOpenKeyExA(parent.Handle(), path.c_str(), options, view, &opened);
  if (openResult_ == ERROR_SUCCESS) key_.Reset(opened);
  return openResult_;
}

std::vector<std::string> TRegistryKey::SubKeyNames(bool* complete) const {
  if (complete) *complete = false;
  return key_ ? EnumerateSubKeyNames(key_.Get(), complete) : std::vector<std::string>();
}

DWORD TRegistryKey::SubKeyCount() const { return QueryCounts(key_.Get()).SubKeys; }

DWORD TRegistryKey::ValueCount() const { return QueryCounts(key_.Get()).Values; }

bool TRegistryKey::Counts(DWORD& subKeys, DWORD& values) const {
  bool read = false;
  TKeyCounts c = QueryCounts(key_.Get(), &read);
  subKeys = c.SubKeys;
  values = c.Values;
  return read;
}

bool TRegistryKey::HoldsNothingButDefault() const {
  DWORD subKeys = 0, values = 0;
  if (!Counts(subKeys, values) || subKeys != 0) return false;
  if (values == 1) CountRegistryCall(kRegValueRead);
  return values == 0 || (values == 1 && RegQueryValueExA(key_.Get(), "", nullptr, nullptr, nullptr, nullptr) ==
                                            ERROR_SUCCESS);
}

TLinkAnswer TRegistryKey::IsLink() const {
  if (!key_) return TLinkAnswer::CannotTell;
  DWORD type = REG_NONE;
  CountRegistryCall(kRegValueRead);
  const LONG result = RegQueryValueExW(key_.Get(), L"SymbolicLinkValue", nullptr, &type, nullptr, nullptr);
  if (result == ERROR_FILE_NOT_FOUND) return TLinkAnswer::NotLink;
  if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) return TLinkAnswer::CannotTell;
  return type == REG_LINK ? TLinkAnswer::Link : TLinkAnswer::NotLink;
}
