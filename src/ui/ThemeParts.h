// The small pictures of the check tree: check boxes in six states and expand buttons, drawn
// with the visual style where one is active and with classic frames otherwise. uxtheme.dll is
// looked up at run time: Windows 2000 has none, and where it exists no theme may be active.
// Each picture is drawn once onto the window colour and copied from then on: drawing a frame
// control costs a hundred times more than the copy.
#pragma once
#include <windows.h>

#include "items/CheckState.h"
#include "ui/MemoryBitmap.h"

class TThemeParts {
 public:
  TThemeParts() = default;
  ~TThemeParts();
  TThemeParts(const TThemeParts&) = delete;
  TThemeParts& operator=(const TThemeParts&) = delete;

  // (Re)opens the theme data for hwnd; classic drawing when useTheme is false or no visual
  // style is active. Call again on WM_THEMECHANGED.
  void Open(HWND hwnd, bool useTheme);
  void Close();
  // Forgets the drawn pictures (the system colours changed).
  void Flush();
  bool Themed() const { return button_ != nullptr; }

  // Edge of the square check box, in pixels.
  int BoxSize() const { return boxSize_; }
  // Edge of the square expand button.
  int ButtonSize() const { return buttonSize_; }

  // Both draw centred in cell.
  void DrawCheckBox(HDC dc, const RECT& cell, TCheckState state, bool disabled);
  void DrawExpandButton(HDC dc, const RECT& cell, bool expanded);

 private:
  static constexpr int kBoxSlots = 12;  // six states, enabled and disabled
  static constexpr int kSlots = kBoxSlots + 2;
  void PaintBox(HDC dc, const RECT& r, TCheckState state, bool disabled) const;
  void PaintButton(HDC dc, const RECT& r, bool expanded) const;
  // Copies slot's picture to r, drawing it first when it is not there yet.
  void Blit(HDC dc, const RECT& r, int slot, TCheckState state, bool flag);

  TMemoryBitmap cache_;  // kSlots squares of slotSize_ in a row
  int slotSize_ = 0;
  bool drawn_[kSlots] = {};
  void* button_ = nullptr;    // HTHEME of "BUTTON"
  void* treeview_ = nullptr;  // HTHEME of "TREEVIEW"
  int boxSize_ = 13;
  int buttonSize_ = 9;
};
