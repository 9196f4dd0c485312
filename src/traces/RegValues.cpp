#include "traces/RegValues.h"

namespace {

// Value names hold up to 16,383 characters, up to two bytes each in code page 936.
const DWORD kLongestValueName = 16383 * 2 + 2;

}  // namespace

std::vector<std::string> ListValueNames(HKEY key) {
  std::vector<std::string> names;
  DWORD maxLength = 0;
  if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxLength,
                       nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    maxLength = 0;
  std::vector<char> buf((maxLength > 255 ? maxLength : 255) * 2 + 2);
  for (DWORD index = 0;;) {
    DWORD length = static_cast<DWORD>(buf.size());
    LONG rc = RegEnumValueA(key, index, buf.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_MORE_DATA && buf.size() < kLongestValueName) {
      buf.resize(kLongestValueName);  // a longer name was added since the count
      continue;
    }
    if (rc != ERROR_SUCCESS) break;
    names.push_back(std::string(buf.data(), length));
    ++index;
  }
  return names;
}

bool ReadRegValue(HKEY key, const std::string& name, DWORD& type, std::string& data) {
  DWORD size = 0;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  // The value may grow between the two calls: a few tries with the size it reports.
  for (int attempt = 0; attempt < 3; ++attempt) {
    data.assign(size, '\0');
    DWORD got = size;
    LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, &type,
                               size ? reinterpret_cast<BYTE*>(&data[0]) : nullptr, &got);
    if (rc == ERROR_SUCCESS) {
      data.resize(got < size ? got : size);
      return true;
    }
    if (rc != ERROR_MORE_DATA) break;
    size = got > size ? got : size * 2 + 2;
  }
  data.clear();
  return false;
}

std::string StringData(const std::string& data) { return data.substr(0, data.find('\0')); }

std::string ReadStringValue(HKEY key, const std::string& name) {
  DWORD type = 0;
  std::string data;
  if (!ReadRegValue(key, name, type, data) || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::string();
  return StringData(data);
}
