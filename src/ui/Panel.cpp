#include "ui/Panel.h"

namespace {

const wchar_t kPanelClass[] = L"TPurvexPanel";
const COLORREF kTransparent = RGB(255, 0, 255);

struct PanelData {
  COLORREF Color;
  HBITMAP Bitmap;
  HWND Target;
  HBRUSH Brush;
};

PanelData* DataOf(HWND hwnd) { return reinterpret_cast<PanelData*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  PanelData* d = DataOf(hwnd);
  switch (msg) {
    case WM_NCCREATE:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
      break;
    case WM_ERASEBKGND: {
      if (!d) break;
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, d->Brush);
      if (d->Bitmap) DrawStretchedBitmap(reinterpret_cast<HDC>(wp), d->Bitmap, r);
      return 1;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_HSCROLL:
    case WM_CONTEXTMENU:
      if (d && d->Target) return SendMessageW(d->Target, msg, wp, lp);
      break;
    case WM_NCDESTROY:
      if (d) {
        DeleteObject(d->Brush);
        delete d;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      }
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

HWND CreatePanel(HWND parent, int x, int y, int w, int h, COLORREF color, HBITMAP bitmap, HWND notifyTarget) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PanelProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kPanelClass;
    registered = RegisterClassW(&wc) != 0;
  }
  PanelData* d = new PanelData{color, bitmap, notifyTarget, CreateSolidBrush(color)};
  HWND panel = CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, w,
                               h, parent, nullptr, GetModuleHandleW(nullptr), d);
  if (!panel) {
    DeleteObject(d->Brush);
    delete d;
  }
  return panel;
}

void DrawStretchedBitmap(HDC dc, HBITMAP bitmap, const RECT& rect) {
  BITMAP info;
  if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return;
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, bitmap);
  // TransparentBlt lives in msimg32 (Windows 98/2000 and later), looked up once.
  typedef BOOL(WINAPI * TransparentBltFn)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);
  static HMODULE msimg = LoadLibraryA("msimg32.dll");
  static TransparentBltFn transparentBlt =
      msimg ? reinterpret_cast<TransparentBltFn>(reinterpret_cast<void*>(GetProcAddress(msimg, "TransparentBlt")))
            : nullptr;
  SetStretchBltMode(dc, HALFTONE);
  if (transparentBlt)
    transparentBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, mem, 0, 0, info.bmWidth,
                   info.bmHeight, kTransparent);
  else
    StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, mem, 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}

void PaintParentBackground(HWND child, HDC dc) {
  HWND parent = GetParent(child);
  POINT origin = {0, 0};
  MapWindowPoints(child, parent, &origin, 1);
  POINT old;
  SetViewportOrgEx(dc, -origin.x, -origin.y, &old);
  SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

HWND CreatePicture(HWND parent, int id, int x, int y, int w, int h, HBITMAP bitmap, bool visible) {
  HWND picture = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_OWNERDRAW | SS_NOTIFY | (visible ? WS_VISIBLE : 0), x,
                                 y, w, h, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
  if (picture) SetWindowLongPtrW(picture, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bitmap));
  return picture;
}

void SetPictureBitmap(HWND picture, HBITMAP bitmap) {
  SetWindowLongPtrW(picture, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bitmap));
  InvalidateRect(picture, nullptr, FALSE);
}

bool DrawPicture(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_STATIC) return false;
  PaintParentBackground(item.hwndItem, item.hDC);
  DrawStretchedBitmap(item.hDC, reinterpret_cast<HBITMAP>(GetWindowLongPtrW(item.hwndItem, GWLP_USERDATA)),
                      item.rcItem);
  return true;
}
