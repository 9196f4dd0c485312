// Routes a window's messages to the C++ object given as its creation parameter.
#pragma once
#include <windows.h>

// T needs: LRESULT OnMessage(HWND, UINT, WPARAM, LPARAM). The object gets WM_NCDESTROY
// last and is unhooked after it.
template <typename T>
LRESULT CALLBACK ObjectWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE)
    SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
  T* self = reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  return self ? self->OnMessage(hwnd, msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}
