#include "system/ResStrings.h"

#include <windows.h>

#include "system/WideText.h"

std::string LoadResString(unsigned id) {
  // With a zero buffer size LoadStringW hands out a pointer into the resource itself.
  const wchar_t* text = nullptr;
  int len = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
  if (len <= 0 || !text) return std::string();
  return GbkFromWide(std::wstring(text, len));
}
