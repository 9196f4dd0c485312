#include "app/ModalDialog.h"

#include <vector>

#include "system/ResStrings.h"
#include "system/UIFont.h"
#include "system/WideText.h"

namespace {

const UINT kShownMessage = WM_APP + 17;

// An empty dialog template: no controls, a caption set later.
std::vector<WORD> EmptyTemplate() {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
  DLGTEMPLATE* t = reinterpret_cast<DLGTEMPLATE*>(words.data());
  t->style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  t->cx = 100;
  t->cy = 60;
  return words;  // no menu, the default class, an empty title
}

}  // namespace

INT_PTR TModalDialog::ShowModal(HWND owner) {
  owner_ = owner;
  std::vector<WORD> words = EmptyTemplate();
  return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(words.data()), owner, Proc,
                                 reinterpret_cast<LPARAM>(this));
}

void TModalDialog::Close(INT_PTR result) {
  if (hwnd_) EndDialog(hwnd_, result);
}

HWND TModalDialog::Add(const wchar_t* cls, int textId, DWORD style, int id, int x, int y, int w, int h) {
  const std::wstring text = textId ? WideFromGbk(LoadResString(textId)) : std::wstring();
  HWND control = CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  return control;
}

INT_PTR CALLBACK TModalDialog::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  TModalDialog* self = reinterpret_cast<TModalDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG: {
      self = reinterpret_cast<TModalDialog*>(lp);
      SetWindowLongPtrW(hwnd, DWLP_USER, lp);
      self->hwnd_ = hwnd;
      LOGFONTA font = {};
      ApplyUIFont(font);
      self->font_.Reset(CreateFontIndirectA(&font));
      font.lfUnderline = TRUE;
      self->underlined_.Reset(CreateFontIndirectA(&font));
      SetWindowTextW(hwnd, WideFromGbk(LoadResString(self->captionId_)).c_str());
      // The client area in pixels, centred on the owner.
      RECT frame = {0, 0, self->width_, self->height_};
      AdjustWindowRectEx(&frame, GetWindowLongW(hwnd, GWL_STYLE), FALSE, GetWindowLongW(hwnd, GWL_EXSTYLE));
      const int w = frame.right - frame.left, h = frame.bottom - frame.top;
      RECT owner = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
      if (self->owner_) GetWindowRect(self->owner_, &owner);
      SetWindowPos(hwnd, nullptr, owner.left + (owner.right - owner.left - w) / 2,
                   owner.top + (owner.bottom - owner.top - h) / 2, w, h, SWP_NOZORDER);
      self->OnInit();
      PostMessageW(hwnd, kShownMessage, 0, 0);
      return FALSE;  // the form has set the focus
    }
    case kShownMessage:
      if (self && self->Shown) self->Shown(*self);
      return TRUE;
    case WM_COMMAND:
      if (!self) return FALSE;
      if (self->OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp))) return TRUE;
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
        EndDialog(hwnd, LOWORD(wp));
        return TRUE;
      }
      return FALSE;
    case WM_CTLCOLORSTATIC:
      if (self)
        if (HBRUSH brush = self->OnStaticColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp)))
          return reinterpret_cast<INT_PTR>(brush);
      return FALSE;
    case WM_DESTROY:
      if (self) self->hwnd_ = nullptr;
      return FALSE;
  }
  return FALSE;
}
