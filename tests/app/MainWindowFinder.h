// Finding the main window's controls from outside, for the black-box tests.
#pragma once
#include <windows.h>

#include <string>

#include "helpers/ProcessHelpers.h"

namespace mainwindow {

struct ChildSearch {
  int Id;
  HWND Found;
};

inline BOOL CALLBACK MatchChildId(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<ChildSearch*>(lp);
  if (GetDlgCtrlID(hwnd) != s->Id) return TRUE;
  s->Found = hwnd;
  return FALSE;
}

// A child at any depth (the controls sit on panels).
inline HWND ChildById(HWND parent, int id) {
  ChildSearch s = {id, nullptr};
  EnumChildWindows(parent, MatchChildId, reinterpret_cast<LPARAM>(&s));
  return s.Found;
}

inline bool WaitForText(HWND hwnd, const std::wstring& text, DWORD ms) {
  DWORD start = GetTickCount();
  while (WindowText(hwnd) != text) {
    if (GetTickCount() - start > ms) return false;
    Sleep(50);
  }
  return true;
}

}  // namespace mainwindow
