#include "traces/IniRewrite.h"

#include <windows.h>

bool RewriteIniFile(const std::string& path, const std::function<bool(const std::string& copy)>& edit) {
  const std::string copy = path + ".purvex-tmp";
  if (!CopyFileA(path.c_str(), copy.c_str(), FALSE)) return false;
  SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
  bool ok = edit(copy);
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, copy.c_str());  // flush the profile cache
  ok = ok && MoveFileExA(copy.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
  if (!ok) DeleteFileA(copy.c_str());
  return ok;
}

bool IniSectionHasKeys(const std::string& path, const std::string& section) {
  char keys[4] = {};
  return GetPrivateProfileStringA(section.c_str(), nullptr, "", keys, sizeof keys, path.c_str()) > 0;
}

bool EraseIniSection(const std::string& path, const std::string& section) {
  return WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, path.c_str()) ||
         !IniSectionHasKeys(path, section);
}
