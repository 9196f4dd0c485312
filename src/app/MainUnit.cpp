#include "app/MainUnit.h"

#include "app/ApplicationWindow.h"
#include "app/ResStrings.h"
#include "res/resource.h"
#include "ui/WideText.h"
#include "ui/WindowThunk.h"

namespace {
const wchar_t kClassName[] = L"TFormPurvex";
const COLORREF kBackground = RGB(247, 252, 246);
// Fixed single border with the system menu and the minimise box only.
const DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
}  // namespace

TFormPurvex::TFormPurvex(TApplicationWindow& app) : app_(app) {
  background_ = CreateSolidBrush(kBackground);
  WNDCLASSW wc = {};
  wc.lpfnWndProc = ObjectWndProc<TFormPurvex>;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
  wc.hbrBackground = background_;
  wc.lpszClassName = kClassName;
  RegisterClassW(&wc);

  RECT r = {0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&r, kStyle, FALSE, 0);
  int w = r.right - r.left, h = r.bottom - r.top;
  int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  std::string caption = LoadResString(IDS_CAPTION) + " " + LoadResString(IDS_PRODUCT_URL);
  hwnd_ = CreateWindowExW(0, kClassName, WideFromGbk(caption).c_str(), kStyle, x, y, w, h,
                          app.Handle(), nullptr, wc.hInstance, this);
}

TFormPurvex::~TFormPurvex() {
  if (hwnd_) DestroyWindow(hwnd_);
  if (background_) DeleteObject(background_);
}

void TFormPurvex::Show() {
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  UpdateWindow(hwnd_);
}

LRESULT TFormPurvex::OnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SYSCOMMAND:
      if ((wp & 0xFFF0) == SC_MINIMIZE) {
        app_.Minimize();
        return 0;
      }
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}
