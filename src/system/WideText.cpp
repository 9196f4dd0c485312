#include "system/WideText.h"

#include <windows.h>

namespace {
const UINT kGbk = 936;
}

std::wstring WideFromGbk(const std::string& text) {
  std::wstring out;
  WideFromGbk(text, out);
  return out;
}

void WideFromGbk(const std::string& text, std::wstring& out) {
  out.clear();
  if (text.empty()) return;
  // A GBK text never has more UTF-16 units than bytes: one conversion, no measuring pass.
  out.resize(text.size());
  int n = MultiByteToWideChar(kGbk, 0, text.data(), static_cast<int>(text.size()), &out[0],
                              static_cast<int>(out.size()));
  out.resize(n > 0 ? n : 0);
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
