#include "ui/ThemeParts.h"

#include <uxtheme.h>
#include <vsstyle.h>

#include "system/LibraryHandle.h"

namespace {

// The few uxtheme functions the tree needs; all null where the library or a function is
// missing. Loaded once and kept for the process: themes are asked for at every paint.
struct TThemeApi {
  TLibrary library{"uxtheme.dll"};
  decltype(&OpenThemeData) open = library.Proc<decltype(&OpenThemeData)>("OpenThemeData");
  decltype(&CloseThemeData) close = library.Proc<decltype(&CloseThemeData)>("CloseThemeData");
  decltype(&DrawThemeBackground) draw =
      library.Proc<decltype(&DrawThemeBackground)>("DrawThemeBackground");
  decltype(&GetThemePartSize) partSize =
      library.Proc<decltype(&GetThemePartSize)>("GetThemePartSize");
  decltype(&IsThemeActive) active = library.Proc<decltype(&IsThemeActive)>("IsThemeActive");

  bool Usable() const { return open && close && draw && active; }
};

const TThemeApi& ThemeApi() {
  static const TThemeApi api;
  return api;
}

int ThemeCheckState(TCheckState s, bool disabled) {
  // CBS_* come in fours per value (normal, hot, pressed, disabled).
  int base = IsMixed(s) ? CBS_MIXEDNORMAL : IsChecked(s) ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL;
  if (disabled) return base + 3;
  return IsPressed(s) ? base + 2 : base;
}

RECT Centred(const RECT& cell, int size) {
  RECT r;
  r.left = cell.left + (cell.right - cell.left - size) / 2;
  r.top = cell.top + (cell.bottom - cell.top - size) / 2;
  r.right = r.left + size;
  r.bottom = r.top + size;
  return r;
}

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
  COLORREF old = SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

}  // namespace

TThemeParts::~TThemeParts() { Close(); }

void TThemeParts::Flush() {
  cache_.Release();
  for (bool& d : drawn_) d = false;
}

void TThemeParts::Close() {
  Flush();
  const TThemeApi& api = ThemeApi();
  if (button_ && api.close) api.close(static_cast<HTHEME>(button_));
  if (treeview_ && api.close) api.close(static_cast<HTHEME>(treeview_));
  button_ = treeview_ = nullptr;
  boxSize_ = 13;
  buttonSize_ = 9;
}

void TThemeParts::Open(HWND hwnd, bool useTheme) {
  Close();
  const TThemeApi& api = ThemeApi();
  if (!useTheme || !api.Usable() || !api.active()) return;
  button_ = api.open(hwnd, L"BUTTON");
  if (!button_) return;
  treeview_ = api.open(hwnd, L"TREEVIEW");
  if (api.partSize) {
    SIZE size = {};
    if (SUCCEEDED(api.partSize(static_cast<HTHEME>(button_), nullptr, BP_CHECKBOX,
                               CBS_UNCHECKEDNORMAL, nullptr, TS_DRAW, &size)) &&
        size.cx > 0 && size.cx < 64)
      boxSize_ = size.cx;
    if (treeview_ &&
        SUCCEEDED(api.partSize(static_cast<HTHEME>(treeview_), nullptr, TVP_GLYPH, GLPS_CLOSED,
                               nullptr, TS_DRAW, &size)) &&
        size.cx > 0 && size.cx < 64)
      buttonSize_ = size.cx;
  }
}

void TThemeParts::Blit(HDC dc, const RECT& r, int slot, TCheckState state, bool flag) {
  int size = r.right - r.left;
  if (!cache_) {
    // Like the screen, whatever dc is (a printing DC may hold any bitmap).
    slotSize_ = boxSize_ > buttonSize_ ? boxSize_ : buttonSize_;
    cache_.Create(slotSize_ * kSlots, slotSize_);
  }
  if (!cache_ || size > slotSize_) {  // no memory for the cache: draw in place
    if (slot < kBoxSlots)
      PaintBox(dc, r, state, flag);
    else
      PaintButton(dc, r, flag);
    return;
  }
  RECT at = {slot * slotSize_, 0, slot * slotSize_ + size, size};
  if (!drawn_[slot]) {
    FillSolid(cache_.Dc(), at, GetSysColor(COLOR_WINDOW));
    if (slot < kBoxSlots)
      PaintBox(cache_.Dc(), at, state, flag);
    else
      PaintButton(cache_.Dc(), at, flag);
    drawn_[slot] = true;
  }
  BitBlt(dc, r.left, r.top, size, size, cache_.Dc(), at.left, 0, SRCCOPY);
}

void TThemeParts::DrawCheckBox(HDC dc, const RECT& cell, TCheckState state, bool disabled) {
  Blit(dc, Centred(cell, boxSize_), static_cast<int>(state) * 2 + (disabled ? 1 : 0), state, disabled);
}

void TThemeParts::DrawExpandButton(HDC dc, const RECT& cell, bool expanded) {
  Blit(dc, Centred(cell, buttonSize_), kBoxSlots + (expanded ? 1 : 0), TCheckState::Unchecked,
       expanded);
}

void TThemeParts::PaintBox(HDC dc, const RECT& r, TCheckState state, bool disabled) const {
  if (button_) {
    ThemeApi().draw(static_cast<HTHEME>(button_), dc, BP_CHECKBOX, ThemeCheckState(state, disabled),
                    &r, nullptr);
    return;
  }
  UINT flags = DFCS_BUTTONCHECK;
  if (IsMixed(state))
    flags = DFCS_BUTTON3STATE | DFCS_CHECKED;
  else if (IsChecked(state))
    flags |= DFCS_CHECKED;
  if (IsPressed(state)) flags |= DFCS_PUSHED;
  if (disabled) flags |= DFCS_INACTIVE;
  RECT frame = r;  // DrawFrameControl may shrink the rectangle it is given
  DrawFrameControl(dc, &frame, DFC_BUTTON, flags);
}

void TThemeParts::PaintButton(HDC dc, const RECT& r, bool expanded) const {
  if (treeview_) {
    ThemeApi().draw(static_cast<HTHEME>(treeview_), dc, TVP_GLYPH,
                    expanded ? GLPS_OPENED : GLPS_CLOSED, &r, nullptr);
    return;
  }
  // A square with a minus, and a plus while collapsed, as classic trees have it.
  FillSolid(dc, r, GetSysColor(COLOR_BTNSHADOW));
  RECT inner = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  FillSolid(dc, inner, GetSysColor(COLOR_WINDOW));
  COLORREF sign = GetSysColor(COLOR_WINDOWTEXT);
  int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  RECT minus = {r.left + 2, cy, r.right - 2, cy + 1};
  FillSolid(dc, minus, sign);
  if (!expanded) {
    RECT bar = {cx, r.top + 2, cx + 1, r.bottom - 2};
    FillSolid(dc, bar, sign);
  }
}
