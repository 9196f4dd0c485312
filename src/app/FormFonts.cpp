#include "app/FormFonts.h"

#include <initializer_list>

#include "system/UIFont.h"

namespace {
// Height in pixels of a font points larger than the base height (negative = character height).
LONG LargerBy(LONG height, int points) {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return height - MulDiv(points, dpi, 72);
}
}  // namespace

TFormFonts::TFormFonts() {
  LOGFONTA base = {};
  base.lfWeight = FW_NORMAL;
  ApplyUIFont(base);
  normal_.Reset(CreateFontIndirectA(&base));
  LOGFONTA f = base;
  f.lfWeight = FW_BOLD;
  bold_.Reset(CreateFontIndirectA(&f));
  f = base;
  f.lfUnderline = TRUE;
  underlined_.Reset(CreateFontIndirectA(&f));
  f = base;
  f.lfHeight = LargerBy(base.lfHeight, 3);
  f.lfWeight = FW_BOLD;
  larger3_.Reset(CreateFontIndirectA(&f));
  f = base;
  f.lfHeight = LargerBy(base.lfHeight, 10);
  f.lfWeight = FW_BOLD;
  larger10_.Reset(CreateFontIndirectA(&f));
}

