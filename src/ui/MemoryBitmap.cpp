#include "ui/MemoryBitmap.h"

bool TMemoryBitmap::Create(int width, int height) {
  Release();
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetDC(nullptr);
  if (!screen) return false;
  dc_ = CreateCompatibleDC(screen);
  bitmap_ = dc_ ? CreateCompatibleBitmap(screen, width, height) : nullptr;
  ReleaseDC(nullptr, screen);
  if (!bitmap_) {
    Release();
    return false;
  }
  old_ = SelectObject(dc_, bitmap_);
  width_ = width;
  height_ = height;
  return true;
}

void TMemoryBitmap::Release() {
  if (dc_ && old_) SelectObject(dc_, old_);
  if (bitmap_) DeleteObject(bitmap_);
  if (dc_) DeleteDC(dc_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  old_ = nullptr;
  width_ = height_ = 0;
}
