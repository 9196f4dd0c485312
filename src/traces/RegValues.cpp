#include "traces/RegValues.h"

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
