#include "ui/WideText.h"

#include <windows.h>

namespace {
const UINT kGbk = 936;
}

std::wstring WideFromGbk(const std::string& text) {
  if (text.empty()) return std::wstring();
  int n = MultiByteToWideChar(kGbk, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(kGbk, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
  return out;
}

std::string GbkFromWide(const std::wstring& text) {
  if (text.empty()) return std::string();
  int n = WideCharToMultiByte(kGbk, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(kGbk, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr,
                      nullptr);
  return out;
}
