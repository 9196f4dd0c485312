#include "traces/IniRewrite.h"

#include <windows.h>

#include "system/FileReplace.h"

bool RewriteIniFile(const std::string& path, const std::function<bool(const std::string& copy)>& edit) {
  const std::string copy = path + ".purvex-tmp";
  if (!CopyFileA(path.c_str(), copy.c_str(), FALSE)) return false;
  SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
  bool ok = edit(copy);
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, copy.c_str());  // flush the profile cache
  ok = ok && ReplaceKeepingAttributes(copy, path);
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

namespace {

// A profile read into a buffer that grows until the text fits (the functions cut it to
// the buffer and give its size less one or two).
std::string ReadProfile(const char* section, const char* key, const std::string& path, DWORD ends) {
  for (DWORD size = 4096; size <= (1u << 24); size *= 4) {
    std::string buffer(size, '\0');
    const DWORD n = GetPrivateProfileStringA(section, key, "", &buffer[0], size, path.c_str());
    if (n + ends < size) return buffer.substr(0, n);
  }
  return std::string();
}

}  // namespace

namespace {

// The names of a profile list (section names, or a section's key names), in file order.
std::vector<std::string> ListedNames(const char* section, const std::string& path) {
  const std::string list = ReadProfile(section, nullptr, path, 2);
  std::vector<std::string> names;
  for (size_t at = 0; at < list.size();) {
    const size_t end = list.find('\0', at);
    const std::string name = list.substr(at, end == std::string::npos ? std::string::npos : end - at);
    if (!name.empty()) names.push_back(name);
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return names;
}

}  // namespace

std::vector<std::string> IniSectionNames(const std::string& path) { return ListedNames(nullptr, path); }

bool IniHasSection(const std::string& path, const std::string& section) {
  for (const std::string& name : IniSectionNames(path))
    if (lstrcmpiA(name.c_str(), section.c_str()) == 0) return true;
  return false;
}

std::vector<std::string> IniSectionKeyNames(const std::string& path, const std::string& section) {
  return ListedNames(section.c_str(), path);
}

std::string IniReadString(const std::string& path, const std::string& section, const std::string& key) {
  return ReadProfile(section.c_str(), key.c_str(), path, 1);
}

int IniReadInt(const std::string& path, const std::string& section, const std::string& key, int def) {
  return static_cast<int>(GetPrivateProfileIntA(section.c_str(), key.c_str(), def, path.c_str()));
}

bool DeleteIniKey(const std::string& path, const std::string& section, const std::string& key) {
  if (WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, path.c_str())) return true;
  for (const std::string& name : IniSectionKeyNames(path, section))
    if (lstrcmpiA(name.c_str(), key.c_str()) == 0) return false;
  return true;
}
