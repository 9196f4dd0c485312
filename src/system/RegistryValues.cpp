#include "system/RegistryValues.h"

#include <cstring>
#include <new>

#include "system/RegistryCallCounts.h"
#include "system/RegistryNameList.h"

namespace {

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

}  // namespace

TValueText ReadValueText(HKEY key, const std::string& name, DWORD* typeOut) {
  TValueText value;
  value.State = TTextRead::NotText;
  DWORD type = REG_NONE;
  if (typeOut) *typeOut = REG_NONE;
  if (!key) return value;
  // Most texts fit a small buffer: one call reads them (each call is a trip to the
  // registry), two spare zero bytes stand in for a missing terminator.
  char small[520];
  DWORD size = sizeof small - 2;
  CountRegistryCall(kRegValueRead);
  LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(small), &size);
  if (typeOut && (result == ERROR_SUCCESS || result == ERROR_MORE_DATA)) *typeOut = type;
  if (result == ERROR_FILE_NOT_FOUND) value.State = TTextRead::Missing;
  if ((result != ERROR_SUCCESS && result != ERROR_MORE_DATA) || !IsText(type)) return value;
  if (result == ERROR_SUCCESS) {
    if (size > sizeof small - 2) size = sizeof small - 2;
    small[size] = small[size + 1] = '\0';
    value.Text.assign(small, strnlen(small, size));
    value.State = TTextRead::Text;
    return value;
  }
  // The value may change between the size query and the read: a few attempts, each with
  // the size the registry last reported.
  for (int attempt = 0; attempt < 4; ++attempt) {
    try {
      // Two spare zero bytes: the data need not end with a terminator.
      std::vector<char> buf(static_cast<size_t>(size) + 2, '\0');
      DWORD got = size;
      CountRegistryCall(kRegValueRead);
      result = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &got);
      if (result == ERROR_MORE_DATA) {
        size = got > size ? got : size + 256;
        continue;
      }
      if (result == ERROR_FILE_NOT_FOUND) {
        value.State = TTextRead::Missing;
        return value;
      }
      if (result != ERROR_SUCCESS || !IsText(type)) return value;
      if (got > size) got = size;
      value.Text.assign(buf.data(), strnlen(buf.data(), got));
      value.State = TTextRead::Text;
      return value;
    } catch (const std::bad_alloc&) {
      value.Text.clear();
      return value;
    }
  }
  return value;
}

bool RegValueType(HKEY key, const std::string& name, DWORD& type) {
  type = REG_NONE;
  if (!key) return false;
  CountRegistryCall(kRegValueRead);
  LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, nullptr);
  return result == ERROR_SUCCESS || result == ERROR_MORE_DATA;
}

bool ReadRegText(HKEY key, const std::string& name, std::string& text) {
  TValueText value = ReadValueText(key, name);
  text = std::move(value.Text);
  return value.State != TTextRead::NotText;
}

std::string RegText(HKEY key, const std::string& name) {
  std::string text;
  ReadRegText(key, name, text);
  return text;
}

bool RegValueExists(HKEY key, const std::string& name) {
  if (!key) return false;
  CountRegistryCall(kRegValueRead);
  LONG result = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr);
  return result == ERROR_SUCCESS || result == ERROR_MORE_DATA;
}

std::vector<std::string> RegValueNames(HKEY key, bool* complete) {
  std::vector<std::string> names;
  if (complete) *complete = false;
  if (!key) return names;
  // Most names fit; a longer one is read again with a larger buffer, cheaper than asking
  // the key for its longest name first.
  const bool all = EnumerateNames(
      [key](DWORD index, char* buf, DWORD* length) {
        CountRegistryCall(kRegListing);
        return RegEnumValueA(key, index, buf, length, nullptr, nullptr, nullptr, nullptr);
      },
      520, names);
  if (complete) *complete = all;
  return names;
}

TValueText TRegValue::Text() const {
  TValueText value;
  value.State = TTextRead::NotText;
  if (!IsText(Type)) return value;
  value.Text.assign(Data.data(), strnlen(Data.data(), Data.size()));
  value.State = TTextRead::Text;
  return value;
}

std::vector<TRegValue> RegValues(HKEY key, bool* complete) {
  std::vector<TRegValue> values;
  if (complete) *complete = false;
  if (!key) return values;
  bool all = true;
  try {
    // Value names hold up to 16,383 characters, two bytes each at most in code page 936.
    std::vector<char> name(16384 * 2);
    std::vector<BYTE> data(1024);
    int failures = 0, retries = 0;
    for (DWORD index = 0;;) {
      DWORD nameLength = static_cast<DWORD>(name.size()), size = static_cast<DWORD>(data.size()), type = REG_NONE;
      CountRegistryCall(kRegListing);
      const LONG result = RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &size);
      if (result == ERROR_NO_MORE_ITEMS) break;
      // The data did not fit: again with the size the registry gave (it may grow between
      // the calls, a few times at most).
      if (result == ERROR_MORE_DATA && size > data.size() && ++retries <= 4) {
        data.resize(size);
        continue;
      }
      retries = 0;
      if (result == ERROR_SUCCESS) {
        if (size > data.size()) size = static_cast<DWORD>(data.size());
        values.push_back(TRegValue{std::string(name.data(), nameLength), type,
                                   std::string(reinterpret_cast<const char*>(data.data()), size)});
      } else {
        all = false;
        if (++failures > 4096) break;
      }
      ++index;
    }
  } catch (const std::bad_alloc&) {
    all = false;
  }
  if (complete) *complete = all;
  return values;
}
