#include "traces/ScanNamedValues.h"

#include "system/RegistryKey.h"
#include "system/RegistryValues.h"
#include "traces/RegValues.h"
#include "traces/TraceFindings.h"

namespace {

bool ScanValues(TItemScan& scan, const std::string& keyPath, const std::vector<std::string>* names) {
  TRegistryKey key(HKEY_CURRENT_USER, keyPath, false, KEY_READ);
  if (!key) return false;
  const std::vector<std::string> all = names ? std::vector<std::string>() : RegValueNames(key.Handle());
  for (const std::string& name : names ? *names : all) {
    // Numbers and binary data are no remembered text.
    if (!RegText(key.Handle(), name).empty())
      AddValueFinding(scan, "HKEY_CURRENT_USER", keyPath, name, std::string());
    if (EntryDone(scan)) return true;
  }
  return false;
}

}  // namespace

bool ScanNamedValues(TItemScan& scan, const std::string& keyPath) { return ScanValues(scan, keyPath, nullptr); }

bool ScanNamedValues(TItemScan& scan, const std::string& keyPath, const std::vector<std::string>& names) {
  return ScanValues(scan, keyPath, &names);
}
