// The fonts of a form, made from the interface font (ApplyUIFont) and its variants.
#pragma once
#include <windows.h>

#include "system/Handles.h"

class TFormFonts {
 public:
  TFormFonts();

  HFONT Normal() const { return normal_.Get(); }
  HFONT Bold() const { return bold_.Get(); }
  HFONT Underlined() const { return underlined_.Get(); }
  HFONT Larger3() const { return larger3_.Get(); }    // 3 points above the window's font
  HFONT Larger10() const { return larger10_.Get(); }  // 10 points above, for the start link

 private:
  TFontHandle normal_, bold_, underlined_, larger3_, larger10_;
};
