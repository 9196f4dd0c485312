#include "app/ApplicationWindow.h"

#include "system/WideText.h"
#include "ui/WindowThunk.h"

namespace {
const wchar_t kClassName[] = L"TPurvexApplication";
}

TApplicationWindow::TApplicationWindow(const std::string& title) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = ObjectWndProc<TApplicationWindow>;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
  wc.lpszClassName = kClassName;
  RegisterClassW(&wc);
  // A zero-sized visible popup: it shows only as the taskbar button.
  int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
  hwnd_ = CreateWindowExW(0, kClassName, WideFromGbk(title).c_str(),
                          WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x,
                          y, 0, 0, nullptr, nullptr, wc.hInstance, this);
  if (hwnd_) ShowWindow(hwnd_, SW_SHOWNORMAL);
}

TApplicationWindow::~TApplicationWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void TApplicationWindow::Minimize() {
  if (!hwnd_) return;
  ShowWindow(hwnd_, SW_MINIMIZE);
  // Windows hides owned windows with their minimised owner; Wine does not, so it is done
  // here for both.
  if (mainForm_) {
    ShowWindow(mainForm_, SW_HIDE);
    formHiddenByMinimize_ = true;
  }
}

LRESULT TApplicationWindow::OnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ACTIVATE:
      // Activation through the taskbar goes on to the main form.
      if (LOWORD(wp) != WA_INACTIVE && mainForm_ && IsWindowEnabled(mainForm_) &&
          IsWindowVisible(mainForm_)) {
        SetActiveWindow(mainForm_);
        return 0;
      }
      break;
    case WM_CLOSE:
      if (mainForm_) PostMessageW(mainForm_, WM_CLOSE, 0, 0);
      return 0;
    case WM_SIZE:
      if (wp == SIZE_RESTORED && formHiddenByMinimize_ && mainForm_) {
        formHiddenByMinimize_ = false;
        ShowWindow(mainForm_, SW_SHOW);
        SetActiveWindow(mainForm_);
      }
      break;
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}
