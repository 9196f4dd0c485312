// Removing a registry key with everything below it, for the tests and the demo seeder's
// cleanup: in one view of 64-bit Windows (the flags are ignored on 32-bit Windows),
// children opened as themselves, so that a link below the key is removed as a link and
// never followed into its target.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

inline void RemoveRegistryTree(HKEY root, const std::string& path, bool native) {
  typedef LONG(WINAPI * DeleteExFn)(HKEY, LPCSTR, REGSAM, DWORD);
  typedef LONG(NTAPI * NtDeleteKeyFn)(HANDLE);
  const REGSAM view = native ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
  DeleteExFn deleteEx = reinterpret_cast<DeleteExFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegDeleteKeyExA")));
  NtDeleteKeyFn deleteHandle = reinterpret_cast<NtDeleteKeyFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtDeleteKey")));
  HKEY key;
  if (!deleteEx || !deleteHandle ||
      RegOpenKeyExA(root, path.c_str(), REG_OPTION_OPEN_LINK, KEY_READ | DELETE | view, &key) != ERROR_SUCCESS)
    return;
  DWORD type = REG_NONE;
  if (RegQueryValueExW(key, L"SymbolicLinkValue", nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS &&
      type == REG_LINK) {
    deleteHandle(key);
    RegCloseKey(key);
    return;
  }
  // Names first; a child that will not go is left, and the listing never revisits it.
  std::vector<std::string> children;
  char name[512];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    children.push_back(path + "\\" + name);
  }
  RegCloseKey(key);
  for (const std::string& child : children) RemoveRegistryTree(root, child, native);
  deleteEx(root, path.c_str(), view, 0);
}
