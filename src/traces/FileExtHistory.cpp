#include "traces/FileExtHistory.h"

#include "items/ResultRows.h"
#include "registry/RegistryCaches.h"
#include "registry/RegistryDelete.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"
#include "system/AppContext.h"

namespace {

const char kFileExts[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";

// The key holds nothing, or only an "OpenWithList" without values.
bool HoldsNothing(const std::string& path, bool native) {
  TRegistryKey key(HKEY_CURRENT_USER, path, native, KEY_READ);
  if (!key) return false;
  DWORD subKeys = key.SubKeyCount();
  if (subKeys == 0) return true;
  if (subKeys >= 2) return false;
  TRegistryKey list(HKEY_CURRENT_USER, path + "\\OpenWithList", native, KEY_READ);
  if (!list) return false;
  for (const std::string& name : RegValueNames(list.Handle()))
    if (!name.empty()) return false;
  return RegText(list.Handle(), "").empty();
}

}  // namespace

void ScanFileExtHistory(TItemScan* scan, const std::vector<std::string>& checkedKeys) {
  const bool native = AppContext().IsWow64();
  TRegistryCaches& caches = RegistryCaches();
  caches.EnsureClassKeyLists(native);
  const core::TNameList& known = caches.ExtensionKeys(native);
  TRegistryKey exts(HKEY_CURRENT_USER, kFileExts, native, KEY_READ);
  if (!exts) return;
  for (const std::string& name : exts.SubKeyNames()) {
    if (name.empty()) continue;
    if (scan && scan->KeepResponsive && scan->KeepResponsive()) break;  // deleting never stops early
    if (name.size() > 1 && name[0] != '.') continue;
    const std::string path = std::string(kFileExts) + "\\" + name;
    if (!HoldsNothing(path, native) || known.Contains(name)) continue;
    if (!scan) {
      for (const std::string& checked : checkedKeys)
        if (lstrcmpiA(checked.c_str(), path.c_str()) == 0) DeleteRegistryFinding("HKEY_CURRENT_USER", path, "", "");
    } else if (AddRegistryFinding(scan->Tree, "HKEY_CURRENT_USER\\" + path, path, false, scan->Item,
                                  "HKEY_CURRENT_USER", 0, "", "", "")) {
      ++scan->Count;
    }
  }
}
