#include "system/ToolsRegistry.h"

#include <objbase.h>

#include "core/ExePathRules.h"
#include "core/PathText.h"
#include "system/RegistryCallCounts.h"
#include "system/RegistryKey.h"
#include "system/RegistryNameList.h"
#include "system/RegistryValues.h"
#include "system/ToolsPaths.h"
#include "system/WideText.h"

namespace {

// The default value of the first server key of the class that exists; false when none
// exists or its value is no string of at most 259 bytes.
bool ReadServerValue(const std::string& clsid, std::string& value) {
  static const char* const kServerKeys[] = {"LocalServer32", "LocalServer", "InprocServer32"};
  for (const char* server : kServerKeys) {
    TRegistryKey key(HKEY_CLASSES_ROOT, "CLSID\\" + clsid + "\\" + server, false, KEY_READ);
    if (!key) continue;
    // One byte beyond what the registry may fill keeps the text terminated.
    char buf[261] = {};
    DWORD size = 260, type = 0;
    CountRegistryCall(kRegValueRead);
    if (RegQueryValueExA(key.Handle(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
      return false;
    value = buf;
    return true;
  }
  return false;
}

}  // namespace

bool RegKeyExists(HKEY root, const std::string& subKey, REGSAM access) {
  return static_cast<bool>(TRegistryKey(root, subKey, false, access));
}

std::vector<std::string> EnumerateSubKeyNames(HKEY key, bool* complete) {
  std::vector<std::string> names;
  // Key names hold at most 255 characters, up to two bytes each in code page 936: one
  // buffer fits every name, and no size query is needed first.
  const bool all = EnumerateNames(
      [key](DWORD index, char* buf, DWORD* length) {
        CountRegistryCall(kRegListing);
        return RegEnumKeyExA(key, index, buf, length, nullptr, nullptr, nullptr, nullptr);
      },
      255 * 2 + 2, names);
  if (complete) *complete = all;
  return names;
}

std::vector<std::string> RegGetKeyNames(HKEY root, const std::string& subKey, REGSAM access, bool* complete) {
  if (complete) *complete = false;
  TRegistryKey key(root, subKey, false, access);
  if (!key) return std::vector<std::string>();
  return EnumerateSubKeyNames(key.Handle(), complete);
}

std::string RegKeyText(HKEY root, const std::string& subKey, const std::string& name, REGSAM access) {
  TRegistryKey key(root, subKey, false, access);
  return key ? RegText(key.Handle(), name) : std::string();
}

std::string GetServerFolder(const std::string& serverPath) {
  return serverPath.empty() ? std::string() : core::ExtractFileDir(ExtractExePath(serverPath));
}

std::string GetServerPathByProgID(const std::string& progID) {
  CLSID clsid;
  std::wstring wide = WideFromGbk(progID);
  if (progID.empty() || FAILED(CLSIDFromProgID(wide.c_str(), &clsid))) return std::string();
  wchar_t text[40] = {};
  if (!StringFromGUID2(clsid, text, 40)) return std::string();
  std::string value;
  if (!ReadServerValue(GbkFromWide(text), value)) return std::string();
  return core::LocalServerPath(ExpandEnvVars(value));
}

std::string GetServerPathByCLSID(const std::string& clsid) {
  std::string value;
  if (clsid.empty() || !ReadServerValue(clsid, value)) return std::string();
  return ExpandEnvVars(value);
}
