// Empty vendor keys under "Software" and stale entries of the Add or Remove Programs cache.
#include <windows.h>

#include <algorithm>

#include "core/GbkText.h"
#include "core/OSVersionRules.h"
#include "registry/RegistryCheckKeys.h"
#include "registry/RegistryChecks.h"
#include "registry/UninstallEntries.h"
#include "system/AppContext.h"
#include "system/RegistryKey.h"

namespace {

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kArpCacheKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache";

// Vendor keys that setups create empty and expect to find.
bool IsKeptEmptyVendor(const std::string& name) { return name == "Secure" || name == "cnetseek"; }

// Walks HKEY_LOCAL_MACHINE "Software": reports empty vendor keys and returns the names of
// the others (the kept empty ones among them). A key that cannot be read is neither.
std::vector<std::string> CheckMachineVendors(TRegistryRun& run) {
  std::vector<std::string> vendors;
  TRegistryKey software(HKEY_LOCAL_MACHINE, "Software", run.Native());
  ForEachEntry(run, software.SubKeyNames(), [&](const std::string& name) {
    const std::string path = "Software\\" + name;
    // A link is the other view's key, shared: not a vendor key of this view. A key that is
    // no link is itself, opened with the link option too: its counts are read from it.
    TRegistryKey key;
    if (key.OpenBelow(software, name, KEY_READ, REG_OPTION_OPEN_LINK) == ERROR_SUCCESS) {
      const TLinkAnswer link = key.IsLink();
      if (link == TLinkAnswer::Link) vendors.push_back(name);
      if (link != TLinkAnswer::NotLink) return true;
    } else {
      (void)key.OpenBelow(software, name);
    }
    DWORD subKeys = 0, values = 0;
    if (!key.Counts(subKeys, values)) return true;
    if (subKeys == 0 && values == 0 && !IsKeptEmptyVendor(name))
      run.AddFinding(KeyText(kLocalMachineName, path), path, kLocalMachineName);
    else
      vendors.push_back(name);
    return true;
  });
  return vendors;
}

void CheckUserVendors(TRegistryRun& run, const std::vector<std::string>& vendors) {
  TRegistryKey software(HKEY_CURRENT_USER, "Software", run.Native());
  for (const std::string& name : software.SubKeyNames()) {
    if (name == "cnetseek" || std::find(vendors.begin(), vendors.end(), name) != vendors.end()) continue;
    const std::string path = "Software\\" + name;
    const TRegistryKey key(software, name);
    DWORD subKeys = 0, values = 0;
    if (key.Counts(subKeys, values) && subKeys == 0 && values == 0)
      run.AddFinding(KeyText(kCurrentUserName, path), path, kCurrentUserName);
  }
}

std::string Folded(const std::string& name) { return core::LowerGbk(core::TrimBlanks(name)); }

void CheckArpCache(TRegistryRun& run) {
  const std::vector<std::string> entries = TRegistryKey(HKEY_LOCAL_MACHINE, kUninstallKey, run.Native()).SubKeyNames();
  const std::vector<std::string> cached = TRegistryKey(HKEY_LOCAL_MACHINE, kArpCacheKey, run.Native()).SubKeyNames();
  if (entries.empty() || cached.empty()) return;
  for (const std::string& name : cached) {
    const std::string folded = Folded(name);
    auto entry = std::find_if(entries.begin(), entries.end(),
                              [&](const std::string& e) { return Folded(e) == folded; });
    if (entry != entries.end() && IsUninstallEntryValid(kUninstallKey, core::TrimBlanks(*entry), run.Native()))
      continue;
    const std::string path = std::string(kArpCacheKey) + "\\" + name;
    run.AddFinding(KeyText(kLocalMachineName, path), path, kLocalMachineName);
  }
}

}  // namespace

void CheckSoftwareKeys(TRegistryRun& run) {
  const std::vector<std::string> vendors = CheckMachineVendors(run);
  if (run.Stopped()) return;
  // The user's "Software" has one view: walked once, in the last run of the scan.
  if (!AppContext().IsWow64() || run.Native()) CheckUserVendors(run, vendors);
  CheckArpCache(run);
}
