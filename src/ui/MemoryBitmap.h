// A bitmap like the screen's, selected into a memory DC of its own: the back buffer of a
// window, or a strip of small pictures drawn once and copied from then on.
#pragma once
#include <windows.h>

class TMemoryBitmap {
 public:
  TMemoryBitmap() = default;
  ~TMemoryBitmap() { Release(); }
  TMemoryBitmap(const TMemoryBitmap&) = delete;
  TMemoryBitmap& operator=(const TMemoryBitmap&) = delete;

  // A fresh bitmap of that size (the old one goes); false, and nothing held, when GDI has
  // no memory for it.
  bool Create(int width, int height);
  void Release();

  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  int width_ = 0, height_ = 0;
};
