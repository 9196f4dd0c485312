// Painting of the check tree: only the rows inside the update rectangle, into a back buffer
// the size of the client area, then one BitBlt.
#include <algorithm>

#include "ui/CheckTree.h"

namespace {

const int kTextPad = 2;  // as in the layout: the highlight reaches this far around a text

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

}  // namespace

void TCheckTree::RecalcMetrics() {
  if (!measureDc_) return;
  SelectObject(measureDc_, GetStockObject(SYSTEM_FONT));  // no variant stays selected
  DropFonts();
  widths_[0].Reset();
  widths_[1].Reset();
  measureFont_ = baseFont_;
  SelectObject(measureDc_, baseFont_);
  TEXTMETRICW tm = {};
  textHeight_ = GetTextMetricsW(measureDc_, &tm) ? tm.tmHeight : 16;
  rowHeight_ = std::max({textHeight_ + 3, parts_.BoxSize() + 4, imageHeight_ + 2, 18});
  Relayout();
}

void TCheckTree::DropFonts() {
  for (TFontHandle& f : variants_) f.Reset();
}

void TCheckTree::PaintClient(HDC target, const RECT& update) {
  RECT area = {std::max(0L, update.left), std::max<LONG>(headerHeight_, update.top),
               std::min<LONG>(clientWidth_, update.right), std::min<LONG>(clientHeight_, update.bottom)};
  if (!target || area.left >= area.right || area.top >= area.bottom) return;
  // Grown, never shrunk: a window dragged smaller keeps its buffer. Without one (out of GDI
  // memory) the rows go straight to the target.
  if (buffer_.Width() < clientWidth_ || buffer_.Height() < clientHeight_)
    buffer_.Create(std::max(buffer_.Width(), clientWidth_), std::max(buffer_.Height(), clientHeight_));
  HDC dc = buffer_ ? buffer_.Dc() : target;
  int saved = SaveDC(dc);
  FillSolid(dc, area, GetSysColor(COLOR_WINDOW));
  SetBkMode(dc, TRANSPARENT);
  if (model_ && rowHeight_ > 0) {
    size_t first = static_cast<size_t>((area.top - headerHeight_) / rowHeight_);
    size_t last = static_cast<size_t>((area.bottom - 1 - headerHeight_) / rowHeight_);
    TTreeNode* n = model_->NodeAtRow(topRow_ + first);
    for (size_t r = first; r <= last && n; ++r, n = model_->NextVisible(n))
      PaintRow(dc, n, headerHeight_ + static_cast<int>(r) * rowHeight_, area);
  }
  RestoreDC(dc, saved);
  if (dc != target)
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc,
           area.left, area.top, SRCCOPY);
}

void TCheckTree::PaintRow(HDC dc, TTreeNode* node, int top, const RECT& update) {
  for (int c = 0; c < ColumnCount(); ++c) {
    int left = ColumnLeft(c), width = columns_[c].Width;
    if (width <= 0 || left + width <= update.left || left >= update.right) continue;
    RECT cell = {left, top, left + width, top + rowHeight_};
    TCheckTreeTextStyle style = CellStyle(node, c);
    CellText(node, c, cellText_);
    TCellLayout l = Layout(node, c, MeasureText(style, cellText_));
    int saved = SaveDC(dc);
    IntersectClipRect(dc, cell.left, cell.top, cell.right, cell.bottom);
    RECT focus = {};
    if (c == 0) {
      if (node->FirstChild()) {
        RECT r = {left + l.buttonLeft, top, left + l.buttonRight, top + rowHeight_};
        parts_.DrawExpandButton(dc, r, node->Expanded());
      }
      if (l.boxLeft >= 0) {
        RECT r = {left + l.boxLeft, top, left + l.boxRight, top + rowHeight_};
        parts_.DrawCheckBox(dc, r, node->CheckState(), !enabled_);
      }
      if (l.imageLeft >= 0)
        ImageList_Draw(images_, node->Data.ImageIndex, dc, left + l.imageLeft,
                       top + (rowHeight_ - imageHeight_) / 2, ILD_TRANSPARENT);
      if (style.Selected) {
        focus = {left + l.textLeft - kTextPad, top + 1, left + l.textRight + kTextPad,
                 top + rowHeight_ - 1};
        FillSolid(dc, focus, GetSysColor(hasFocus_ ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
      }
    }
    SelectObject(dc, FontFor(style));
    SetTextColor(dc, style.Color);
    // Clipped at the column's edge, never shortened.
    ExtTextOutW(dc, left + l.textLeft, top + (rowHeight_ - textHeight_) / 2, ETO_CLIPPED, &cell,
                cellText_.data(), static_cast<UINT>(cellText_.size()), nullptr);
    if (style.Selected && hasFocus_ && c == 0) DrawFocusRect(dc, &focus);
    RestoreDC(dc, saved);
    if (l.needed > width && !overflowNode_) {
      overflowNode_ = node;
      overflowColumn_ = c;
      overflowWidth_ = l.needed;
    }
  }
}
