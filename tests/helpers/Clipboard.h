// The clipboard from a test: another process may hold it for a moment.
#pragma once
#include <windows.h>

#include <cstring>

// OpenClipboard, tried for up to ms.
inline bool OpenClipboardWithin(DWORD ms) {
  const DWORD start = GetTickCount();
  while (!OpenClipboard(nullptr)) {
    if (GetTickCount() - start >= ms) return false;
    Sleep(20);
  }
  return true;
}

// Puts text on the clipboard; false when it could not be opened.
inline bool SetClipboardText(const char* text) {
  if (!OpenClipboardWithin(3000)) return false;
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
  memcpy(GlobalLock(mem), text, strlen(text) + 1);
  GlobalUnlock(mem);
  const bool set = SetClipboardData(CF_TEXT, mem) != nullptr;
  CloseClipboard();
  return set;
}
