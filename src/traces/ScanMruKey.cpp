#include "traces/ScanMruKey.h"

#include <vector>

#include "core/TraceScanRules.h"
#include "core/Utf16Bytes.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"
#include "system/ToolsRegistry.h"
#include "traces/RegValues.h"
#include "traces/TraceFindings.h"
#include "system/WideText.h"

namespace {

const char* RootName(HKEY root) {
  if (root == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
  if (root == HKEY_USERS) return "HKEY_USERS";
  if (root == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE";
  if (root == HKEY_CLASSES_ROOT) return "HKEY_CLASSES_ROOT";
  return nullptr;
}

// What the caption shows after the value name: a string's text; for the lists that keep
// a file name or search text at the start of their binary values, that text.
std::string ShownData(HKEY key, const std::string& name, bool utf16Binary) {
  DWORD type = 0;
  std::string data;
  if (!ReadRegValue(key, name, type, data)) return std::string();
  if (type == REG_SZ || type == REG_EXPAND_SZ) return StringData(data);
  // MRUListEx holds only the order of the entries.
  if (type == REG_BINARY && utf16Binary && !data.empty() && name != "MRUListEx") {
    std::u16string text = core::Utf16UpToNul(data);
    return GbkFromWide(std::wstring(text.begin(), text.end()));
  }
  return std::string();
}

}  // namespace

bool ScanMruKey(TItemScan& scan, HKEY root, const std::string& keyPath) {
  const char* rootName = RootName(root);
  if (!rootName) return false;
  std::vector<std::string> subKeys;
  {
    TRegistryKey key(root, keyPath, false, KEY_READ);
    if (!key) return false;
    if (core::HasMruSubKeyLists(keyPath)) subKeys = RegGetKeyNames(root, keyPath, KEY_READ);
    const bool utf16Binary = core::HoldsUtf16BinaryValues(keyPath);
    for (const std::string& name : RegValueNames(key.Handle())) {
      AddValueFinding(scan, rootName, keyPath, name, ShownData(key.Handle(), name, utf16Binary));
      if (EntryDone(scan)) return true;
    }
  }
  // The sub-keys' paths are none of the three, so this goes one level deep only.
  for (const std::string& sub : subKeys) {
    if (!sub.empty() && ScanMruKey(scan, root, keyPath + "\\" + sub)) return true;
  }
  return false;
}
