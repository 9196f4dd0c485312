// Where the check tree puts things: cells, their parts, hit tests and the fitted column width.
#include <algorithm>

#include "ui/CheckTree.h"
#include "system/WideText.h"

namespace {
const int kMargin = 2;   // left of the first button, right of the widest text
const int kTextPad = 2;  // around a text, inside its highlight
const int kGap = 2;      // between box, image and text
}  // namespace

void TCheckTree::CellText(TTreeNode* node, int column, std::wstring& text) const {
  std::string scratch;
  WideFromGbk(CellGbk(node, column, scratch), text);
}

TCheckTreeTextStyle TCheckTree::CellStyle(TTreeNode* node, int column, bool colour) const {
  TCheckTreeTextStyle style;
  style.Selected = model_ && node == model_->FocusedNode();
  // Measuring needs no colour: a system colour is a call into the system per cell.
  if (colour)
    style.Color = GetSysColor(!enabled_                                   ? COLOR_GRAYTEXT
                              : style.Selected && hasFocus_ && column == 0 ? COLOR_HIGHLIGHTTEXT
                                                                           : COLOR_WINDOWTEXT);
  if (Events.PaintText) Events.PaintText(node, column, style);
  return style;
}

HFONT TCheckTree::FontFor(const TCheckTreeTextStyle& style) const {
  int index = (style.Bold ? 1 : 0) | (style.Underline ? 2 : 0);
  if (index == 0 || !baseFont_) return baseFont_;
  if (!variants_[index]) {
    LOGFONTW lf = {};
    if (!GetObjectW(baseFont_, sizeof lf, &lf)) return baseFont_;
    if (style.Bold) lf.lfWeight = FW_BOLD;
    if (style.Underline) lf.lfUnderline = TRUE;
    variants_[index].Reset(CreateFontIndirectW(&lf));
    if (!variants_[index]) return baseFont_;
  }
  return variants_[index].Get();
}

TTextWidthTable* TCheckTree::SelectMeasureFont(const TCheckTreeTextStyle& style) const {
  if (!measureDc_) return nullptr;
  // Underlining does not change the advances: measure with the plain or bold font.
  TCheckTreeTextStyle plain;
  plain.Bold = style.Bold;
  HFONT font = FontFor(plain);
  if (font != measureFont_) {
    SelectObject(measureDc_, font);
    measureFont_ = font;
  }
  return &widths_[style.Bold ? 1 : 0];
}

int TCheckTree::MeasureText(const TCheckTreeTextStyle& style, const std::wstring& text) const {
  if (text.empty()) return 0;
  TTextWidthTable* widths = SelectMeasureFont(style);
  return widths ? widths->Width(measureDc_, text) : 0;
}

int TCheckTree::MeasureGbk(const TCheckTreeTextStyle& style, const std::string& text) const {
  if (text.empty()) return 0;
  TTextWidthTable* widths = SelectMeasureFont(style);
  if (!widths) return 0;
  int width = 0;
  if (widths->GbkWidth(measureDc_, text.data(), text.size(), width)) return width;
  std::wstring wide;
  WideFromGbk(text, wide);
  return widths->Width(measureDc_, wide);
}

const std::string& TCheckTree::CellGbk(TTreeNode* node, int column, std::string& scratch) const {
  static const std::string kNone;
  if (Events.GetText) return scratch = Events.GetText(node, column);
  return column == 0 ? node->Data.Caption : kNone;
}

TCheckTree::TCellLayout TCheckTree::Layout(TTreeNode* node, int column, int textWidth) const {
  TCellLayout l;
  if (column == 0) {
    // The button's cell is there on every level, so that rows of one level line up.
    l.buttonLeft = kMargin + node->Level() * indent_;
    l.buttonRight = l.buttonLeft + indent_;
    int x = l.buttonRight;
    if (node->CheckType() != TCheckType::None) {
      l.boxLeft = x;
      l.boxRight = x + parts_.BoxSize() + kGap;
      x = l.boxRight + kGap;
    }
    if (images_ && node->Data.ImageIndex >= 0) {
      l.imageLeft = x;
      l.imageRight = x + imageWidth_;
      x = l.imageRight + kGap;
    }
    l.textLeft = x + kTextPad;
    l.textRight = l.textLeft + textWidth;
    l.needed = l.textRight + kTextPad + kMargin;
    return l;
  }
  int width = columns_[column].Width;
  l.needed = textWidth + 2 * kTextPad + kMargin;
  switch (columns_[column].Align) {
    case TColumnAlign::Left: l.textLeft = kTextPad; break;
    case TColumnAlign::Right: l.textLeft = width - kTextPad - kMargin - textWidth; break;
    case TColumnAlign::Center: l.textLeft = (width - textWidth) / 2; break;
  }
  // A text wider than its column shows its beginning, whatever the alignment.
  l.textLeft = std::max(l.textLeft, kTextPad);
  l.textRight = l.textLeft + textWidth;
  return l;
}

TCheckTree::TCellLayout TCheckTree::MeasuredLayout(TTreeNode* node, int column, std::string& scratch) const {
  return Layout(node, column, MeasureGbk(CellStyle(node, column, false), CellGbk(node, column, scratch)));
}

int TCheckTree::ColumnLeft(int column) const {
  int x = -hOffset_;
  for (int i = 0; i < column; ++i) x += columns_[i].Width;
  return x;
}

int TCheckTree::TotalWidth() const {
  int total = 0;
  for (const TCheckTreeColumn& c : columns_) total += c.Width;
  return total;
}

int TCheckTree::RowTop(size_t row) const {
  long long offset = (static_cast<long long>(row) - static_cast<long long>(topRow_)) * rowHeight_;
  offset = std::max<long long>(std::min<long long>(offset, 0x3FFFFFFF), -0x3FFFFFFF);
  return headerHeight_ + static_cast<int>(offset);
}

TCheckTreeHit TCheckTree::HitTest(int x, int y) const {
  TCheckTreeHit hit;
  if (!model_ || x < 0 || x >= clientWidth_ || y < headerHeight_ || y >= clientHeight_) return hit;
  hit.Node = model_->NodeAtRow(topRow_ + static_cast<size_t>((y - headerHeight_) / rowHeight_));
  if (!hit.Node) return hit;
  // Right of every column counts as the rest of the last cell.
  hit.Column = ColumnCount() - 1;
  for (int c = 0; c < ColumnCount(); ++c)
    if (x < ColumnLeft(c) + columns_[c].Width) {
      hit.Column = c;
      break;
    }
  std::string scratch;
  TCellLayout l = MeasuredLayout(hit.Node, hit.Column, scratch);
  int cx = x - ColumnLeft(hit.Column);
  if (cx >= l.textRight + kTextPad)
    hit.Part = TCheckTreePart::RightOfText;
  else if (cx >= l.textLeft - kTextPad)
    hit.Part = TCheckTreePart::Text;
  else if (l.imageLeft >= 0 && cx >= l.imageLeft && cx < l.imageRight)
    hit.Part = TCheckTreePart::Image;
  else if (l.boxLeft >= 0 && cx >= l.boxLeft && cx < l.boxRight)
    hit.Part = TCheckTreePart::CheckBox;
  else if (hit.Node->FirstChild() && cx >= l.buttonLeft && cx < l.buttonRight)
    hit.Part = TCheckTreePart::Button;
  else
    hit.Part = TCheckTreePart::Indent;
  return hit;
}

bool TCheckTree::GetPartRect(TTreeNode* node, int column, TCheckTreePart part, RECT& rect) const {
  if (!model_ || !node || column < 0 || column >= ColumnCount()) return false;
  size_t row = model_->RowOf(node);
  if (row == TTreeModel::npos) return false;
  std::string scratch;
  TCellLayout l = MeasuredLayout(node, column, scratch);
  int left = 0, right = 0;
  switch (part) {
    case TCheckTreePart::Indent:
      right = column == 0 ? l.buttonLeft : 0;
      break;
    case TCheckTreePart::Button:
      if (column != 0 || !node->FirstChild()) return false;
      left = l.buttonLeft, right = l.buttonRight;
      break;
    case TCheckTreePart::CheckBox:
      if (l.boxLeft < 0) return false;
      left = l.boxLeft, right = l.boxRight;
      break;
    case TCheckTreePart::Image:
      if (l.imageLeft < 0) return false;
      left = l.imageLeft, right = l.imageRight;
      break;
    case TCheckTreePart::Text:
      left = l.textLeft - kTextPad, right = l.textRight + kTextPad;
      break;
    case TCheckTreePart::RightOfText:
      left = l.textRight + kTextPad, right = std::max(left, columns_[column].Width);
      break;
    case TCheckTreePart::Nowhere:
      return false;
  }
  int x = ColumnLeft(column);
  rect.left = x + left;
  rect.right = x + right;
  rect.top = RowTop(row);
  rect.bottom = rect.top + rowHeight_;
  return true;
}

int TCheckTree::FitColumnToContent(int column) {
  if (column < 0 || column >= ColumnCount()) return 0;
  if (!model_) return columns_[column].Width;
  // Every row that can be scrolled to, measured from the advance tables.
  int widest = -1;
  std::string scratch;
  for (TTreeNode* n = model_->GetFirst(); n; n = model_->NextVisible(n))
    widest = std::max(widest, MeasuredLayout(n, column, scratch).needed);
  if (widest >= 0) SetColumnWidth(column, widest);
  return columns_[column].Width;
}
