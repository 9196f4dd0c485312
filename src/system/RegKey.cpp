#include "system/RegKey.h"

TRegKey::TRegKey(HKEY root, const std::string& path, REGSAM access) {
  if (RegOpenKeyExA(root, path.c_str(), 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
}

TRegKey::~TRegKey() {
  if (key_) RegCloseKey(key_);
}

std::vector<std::string> TRegKey::ValueNames() const {
  std::vector<std::string> names;
  if (!key_) return names;
  DWORD count = 0, longest = 0;
  if (RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                       nullptr) != ERROR_SUCCESS)
    return names;
  std::vector<char> name(longest + 2);
  for (DWORD i = 0; i < count; ++i) {
    DWORD size = static_cast<DWORD>(name.size());
    if (RegEnumValueA(key_, i, name.data(), &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
      names.emplace_back(name.data(), size);
  }
  return names;
}

std::vector<std::string> TRegKey::SubKeyNames() const {
  std::vector<std::string> names;
  if (!key_) return names;
  DWORD count = 0, longest = 0;
  if (RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr) != ERROR_SUCCESS)
    return names;
  std::vector<char> name(longest + 2);
  for (DWORD i = 0; i < count; ++i) {
    DWORD size = static_cast<DWORD>(name.size());
    if (RegEnumKeyExA(key_, i, name.data(), &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
      names.emplace_back(name.data(), size);
  }
  return names;
}

bool TRegKey::HasValue(const std::string& name) const {
  return key_ && RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool TRegKey::ReadString(const std::string& name, std::string& text, DWORD* type) const {
  if (!key_) return false;
  DWORD t = 0, size = 0;
  if (RegQueryValueExA(key_, name.c_str(), nullptr, &t, nullptr, &size) != ERROR_SUCCESS) return false;
  if (type) *type = t;
  if (t != REG_SZ && t != REG_EXPAND_SZ) return false;
  std::vector<char> buf(size + 2, '\0');
  DWORD got = size;
  if (RegQueryValueExA(key_, name.c_str(), nullptr, &t, reinterpret_cast<BYTE*>(buf.data()), &got) != ERROR_SUCCESS)
    return false;
  text.assign(buf.data());  // cut at the first NUL; the extra bytes terminate unterminated data
  return true;
}
