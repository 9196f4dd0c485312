// The fonts of a form, made from the interface font (ApplyUIFont) and its variants.
#pragma once
#include <windows.h>

class TFormFonts {
 public:
  TFormFonts();
  ~TFormFonts();
  TFormFonts(const TFormFonts&) = delete;
  TFormFonts& operator=(const TFormFonts&) = delete;

  HFONT Normal() const { return normal_; }
  HFONT Bold() const { return bold_; }
  HFONT Underlined() const { return underlined_; }
  HFONT Larger3() const { return larger3_; }    // 3 points above the window's font
  HFONT Larger10() const { return larger10_; }  // 10 points above, for the start link

 private:
  HFONT normal_, bold_, underlined_, larger3_, larger10_;
};
