// Finding the main window's controls from outside, for the black-box tests.
#pragma once
#include <windows.h>

#include <string>

#include "app/MainControls.h"
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

// The program's window after a scan from its advanced page: the form and its scan and
// clean buttons; Scanned tells whether the scan ended within the time given.
struct TScannedWindow {
  HWND Form = nullptr, Scan = nullptr, Clean = nullptr;
  bool Scanned = false;
};

inline TScannedWindow ScanFromAdvancedPage(const TChild& run, DWORD ms) {
  TScannedWindow w;
  w.Form = WaitForProcessWindow(run, L"TFormPurvex", ms);
  if (!w.Form) return w;
  w.Scan = ChildById(w.Form, ID_BTN_SCANTRACE);
  w.Clean = ChildById(w.Form, ID_BTN_DELETEALLTRACE);
  if (!w.Scan || !w.Clean) return w;
  SendMessageW(ChildById(w.Form, ID_BTN_OVERVIEW), BM_CLICK, 0, 0);
  PostMessageW(w.Scan, BM_CLICK, 0, 0);
  w.Scanned = WaitForText(w.Scan, L"重新扫描", ms);
  return w;
}

}  // namespace mainwindow
