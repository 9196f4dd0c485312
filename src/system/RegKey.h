// One open registry key (opened only, never created), closed with the object; reads
// never fail loudly.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class TRegKey {
 public:
  TRegKey(HKEY root, const std::string& path, REGSAM access = KEY_READ);
  ~TRegKey();
  TRegKey(const TRegKey&) = delete;
  TRegKey& operator=(const TRegKey&) = delete;

  bool IsOpen() const { return key_ != nullptr; }
  explicit operator bool() const { return key_ != nullptr; }
  HKEY Handle() const { return key_; }
  HKEY get() const { return key_; }

  std::vector<std::string> ValueNames() const;
  std::vector<std::string> SubKeyNames() const;
  bool HasValue(const std::string& name) const;
  // The text of a string or expandable-string value (stored without its terminator too).
  bool ReadString(const std::string& name, std::string& text, DWORD* type = nullptr) const;

 private:
  HKEY key_ = nullptr;
};
