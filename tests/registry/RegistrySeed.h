// Keys and values a test plants at the places the registry checks read (HKLM\Software\...,
// HKCR, HKCU), in either view of 64-bit Windows, and removes when it goes: its values from
// keys that were there before, and the keys it created, each with everything below it.
// Names carry Tag() so that a test tells its findings from what the prefix holds.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "helpers/RegistryTree.h"

class TRegistrySeed {
 public:
  TRegistrySeed();
  ~TRegistrySeed();
  TRegistrySeed(const TRegistrySeed&) = delete;
  TRegistrySeed& operator=(const TRegistrySeed&) = delete;

  // "PvxT" and the process id: unique to this test program's run.
  const std::string& Tag() const { return tag_; }

  // Creates root\path in the view (native: the 64-bit view) with its parents.
  void Key(HKEY root, const std::string& path, bool native);
  // Sets a value (creating the key); "" names the default value.
  void Value(HKEY root, const std::string& path, bool native, const std::string& name, DWORD type,
             const void* data, DWORD size);
  void Text(HKEY root, const std::string& path, bool native, const std::string& name, const std::string& text,
            DWORD type = REG_SZ);
  void Dword(HKEY root, const std::string& path, bool native, const std::string& name, DWORD value);

  // Both views at once, for rules that do not depend on the view.
  void TextBoth(HKEY root, const std::string& path, const std::string& name, const std::string& text) {
    Text(root, path, false, name, text);
    Text(root, path, true, name, text);
  }

 private:
  struct TPlanted {
    HKEY Root;
    std::string Path;
    bool Native;
    std::string Name;  // the value planted, unless IsKey
    bool IsKey;
  };
  std::string tag_;
  std::vector<TPlanted> planted_;
};
