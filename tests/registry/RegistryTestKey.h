// A key of the test's own, "Software\PurvexTest-Registry-<process>-<tag>" below HKCU or
// HKLM, written in either view of 64-bit Windows and removed from both when the object
// goes. Below HKLM the two views are two keys in the win64 prefix, one key in win32.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "helpers/RegistryTree.h"

class TRegistryTestKey {
 public:
  TRegistryTestKey(HKEY root, const char* tag) : root_(root) {
    char name[96];
    wsprintfA(name, "Software\\PurvexTest-Registry-%lu-%s", GetCurrentProcessId(), tag);
    path_ = name;
  }
  ~TRegistryTestKey() {
    RemoveRegistryTree(root_, path_, true);
    RemoveRegistryTree(root_, path_, false);
  }
  TRegistryTestKey(const TRegistryTestKey&) = delete;
  TRegistryTestKey& operator=(const TRegistryTestKey&) = delete;

  HKEY Root() const { return root_; }
  // The test key itself (empty rel) or a key below it.
  std::string Path(const std::string& rel = std::string()) const { return rel.empty() ? path_ : path_ + "\\" + rel; }

  // Creates the key (and its parents) in the 64-bit view (native) or the 32-bit view,
  // and gives it a value when name is not null ("" names the default value).
  void Set(const std::string& rel, bool native, const char* name = nullptr, DWORD type = REG_SZ,
           const void* data = "", DWORD size = 1) const {
    HKEY key;
    if (RegCreateKeyExA(root_, Path(rel).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | View(native), nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
      return;
    if (name) RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }
  void SetText(const std::string& rel, bool native, const char* name, const char* text) const {
    Set(rel, native, name, REG_SZ, text, lstrlenA(text) + 1);
  }
  bool Exists(const std::string& rel, bool native) const {
    HKEY key;
    if (RegOpenKeyExA(root_, Path(rel).c_str(), 0, KEY_READ | View(native), &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
  // The value's data as bytes; "<none>" when the value or its key is missing.
  std::string Value(const std::string& rel, bool native, const char* name) const {
    HKEY key;
    if (RegOpenKeyExA(root_, Path(rel).c_str(), 0, KEY_READ | View(native), &key) != ERROR_SUCCESS) return "<none>";
    char buf[512] = {};
    DWORD size = sizeof buf - 1;
    LONG result = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? std::string(buf, size) : "<none>";
  }

 private:
  // Named in both builds, as the program does (ignored on 32-bit Windows).
  static REGSAM View(bool native) { return native ? KEY_WOW64_64KEY : KEY_WOW64_32KEY; }

  HKEY root_;
  std::string path_;
};
