// One open registry key, closed when the object goes. Keys are opened only, never created.
#pragma once
#include <windows.h>

#include <string>

class TRegKey {
 public:
  TRegKey(HKEY root, const std::string& subKey, REGSAM access) {
    if (RegOpenKeyExA(root, subKey.c_str(), 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~TRegKey() {
    if (key_) RegCloseKey(key_);
  }
  TRegKey(const TRegKey&) = delete;
  TRegKey& operator=(const TRegKey&) = delete;
  explicit operator bool() const { return key_ != nullptr; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};
