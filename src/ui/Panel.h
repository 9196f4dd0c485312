// A plain container window: paints a solid colour or a stretched bitmap and hands the
// notifications of its children (commands, colours, owner drawing) on to a target window,
// so one form handles the controls of all its panels.
#pragma once
#include <windows.h>

// Creates a visible panel child of parent. bitmap may be null (solid colour only).
HWND CreatePanel(HWND parent, int x, int y, int w, int h, COLORREF color, HBITMAP bitmap, HWND notifyTarget);

// Draws a bitmap stretched over rect, with magenta pixels left out.
void DrawStretchedBitmap(HDC dc, HBITMAP bitmap, const RECT& rect);

// Paints what the parent shows behind child into dc (for see-through controls).
void PaintParentBackground(HWND child, HDC dc);

// A picture: an owner-drawn static showing a bitmap stretched over it, see-through where
// the bitmap is magenta. The owner's WM_DRAWITEM calls DrawPicture.
HWND CreatePicture(HWND parent, int id, int x, int y, int w, int h, HBITMAP bitmap, bool visible = true);
void SetPictureBitmap(HWND picture, HBITMAP bitmap);
// True when item was a picture and has been drawn.
bool DrawPicture(const DRAWITEMSTRUCT& item);
