// Routes a window's messages to the C++ object given as its creation parameter.
#pragma once
#include <windows.h>

#include <exception>

// Shows an error a message handler threw, in a box with the caption set for the program.
// An exception must not unwind through the system's message dispatch: that would end the
// program on the spot, without a word and without saving anything.
void ReportHandlerError(HWND hwnd, const char* what);
void SetHandlerErrorCaption(const wchar_t* caption);
// Tests put a recorder in place of the box; null restores it.
typedef void (*THandlerErrorReporter)(HWND hwnd, const char* what);
void SetHandlerErrorReporter(THandlerErrorReporter reporter);

// T needs: LRESULT OnMessage(HWND, UINT, WPARAM, LPARAM). The object gets WM_NCDESTROY
// last and is unhooked after it.
template <typename T>
LRESULT CALLBACK ObjectWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE)
    SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
  T* self = reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    return self->OnMessage(hwnd, msg, wp, lp);
  } catch (const std::exception& e) {
    ReportHandlerError(hwnd, e.what());
  } catch (...) {
    ReportHandlerError(hwnd, "unknown error");
  }
  return 0;
}
