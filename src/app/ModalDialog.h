// A modal dialog of the program: an empty dialog template whose controls the form creates
// when it opens, centred on its owner, in the interface font. The system's dialog loop
// gives Enter, Escape, Tab and the default button.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "system/Handles.h"

class TModalDialog {
 public:
  virtual ~TModalDialog() = default;
  // Shows the dialog with a client area of width x height pixels; IDOK or IDCANCEL.
  INT_PTR ShowModal(HWND owner);
  HWND Handle() const { return hwnd_; }
  // Ends the dialog as OK or Cancel would.
  void Close(INT_PTR result);
  // Called once the dialog is shown (posted after its creation): tests drive the form here.
  std::function<void(TModalDialog&)> Shown;

 protected:
  TModalDialog(int captionId, int width, int height) : captionId_(captionId), width_(width), height_(height) {}
  virtual void OnInit() = 0;
  // A control's notification; true when handled.
  virtual bool OnCommand(int id, int code, HWND control) = 0;
  // WM_CTLCOLORSTATIC; null for the default colours.
  virtual HBRUSH OnStaticColor(HDC, HWND) { return nullptr; }
  // A control in the dialog's font (a resource string or text as caption).
  HWND Add(const wchar_t* cls, int textId, DWORD style, int id, int x, int y, int w, int h);
  HFONT Font() const { return font_.Get(); }
  HFONT UnderlinedFont() const { return underlined_.Get(); }

  HWND hwnd_ = nullptr;

 private:
  static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  int captionId_, width_, height_;
  HWND owner_ = nullptr;
  TFontHandle font_, underlined_;
};
