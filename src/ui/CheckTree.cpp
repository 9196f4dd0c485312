// The check tree's window, its model link and its scrolling; painting and input live in
// CheckTreePaint.cpp and CheckTreeInput.cpp.
#include "ui/CheckTree.h"

#include <algorithm>

#include "ui/WindowThunk.h"

const wchar_t TCheckTree::kClassName[] = L"TPurvexCheckTree";

namespace {

const UINT kThemeChanged = 0x031A;  // WM_THEMECHANGED, newer than the headers' Windows 2000
const int kLinePixels = 16;         // one step of the horizontal scroll bar

SCROLLINFO ScrollInfo(UINT mask) {
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = mask;
  return si;
}

// True when the bar is to be told: its values differ from the last ones it was given.
bool SetIfChanged(const SCROLLINFO& wanted, SCROLLINFO& last) {
  if (last.cbSize && wanted.nMax == last.nMax && wanted.nPage == last.nPage && wanted.nPos == last.nPos)
    return false;
  last = wanted;
  return true;
}

void RegisterCheckTreeClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSW wc = {};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ObjectWndProc<TCheckTree>;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW;
  wc.lpszClassName = TCheckTree::kClassName;
  registered = RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

TCheckTree::TCheckTree() : columns_(1) {}

TCheckTree::~TCheckTree() {
  if (model_) model_->SetObserver(nullptr);
  model_ = nullptr;
  if (hwnd_) DestroyWindow(hwnd_);
  buffer_.Release();
  if (measureDc_) DeleteDC(measureDc_);
  DropFonts();
}

HWND TCheckTree::Create(HWND parent, int id, const RECT& bounds, DWORD style, DWORD exStyle) {
  if (hwnd_) return hwnd_;
  RegisterCheckTreeClass();
  if (!measureDc_) measureDc_ = CreateCompatibleDC(nullptr);
  CreateWindowExW(exStyle, kClassName, L"", WS_CHILD | WS_CLIPCHILDREN | style, bounds.left,
                  bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                  this);
  return hwnd_;
}

void TCheckTree::SetModel(TTreeModel* model) {
  if (model == model_) return;
  if (model_) model_->SetObserver(nullptr);
  CancelPress();
  model_ = model;
  if (model_) model_->SetObserver(this);
  topRow_ = 0;
  overflowNode_ = nullptr;
  StructureChanged();
}

// --- columns -----------------------------------------------------------------------------

void TCheckTree::SetColumns(std::vector<TCheckTreeColumn> columns) {
  columns_ = std::move(columns);
  if (columns_.empty()) columns_.resize(1);
  for (TCheckTreeColumn& c : columns_) c.Width = std::max(0, c.Width);
  overflowNode_ = nullptr;
  SyncHeader();
  ColumnsChanged();
}

void TCheckTree::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= ColumnCount()) return;
  width = std::max(0, width);
  if (columns_[column].Width == width) return;
  columns_[column].Width = width;
  SyncHeader();
  ColumnsChanged();
}

void TCheckTree::ColumnsChanged() {
  ClampScroll();
  LayoutHeader();
  Relayout();
}

void TCheckTree::Relayout() {
  ClampScroll();
  scrollDirty_ = true;  // the bars are told at the next paint, once
  InvalidateAll();
}

void TCheckTree::SetHeaderVisible(bool visible) {
  if (visible == (header_ != nullptr) || !hwnd_) return;
  if (visible) {
    INITCOMMONCONTROLSEX icc = {};
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_LISTVIEW_CLASSES;
    InitCommonControlsEx(&icc);
    header_ = CreateWindowExW(0, WC_HEADERW, L"", WS_CHILD | WS_VISIBLE | HDS_HORZ, 0, 0, 0, 0,
                              hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!header_) return;
    SendMessageW(header_, WM_SETFONT, reinterpret_cast<WPARAM>(baseFont_), FALSE);
    SyncHeader();
  } else {
    DestroyWindow(header_);
    header_ = nullptr;
  }
  ColumnsChanged();
}

void TCheckTree::SyncHeader() {
  if (!header_) return;
  int have = static_cast<int>(SendMessageW(header_, HDM_GETITEMCOUNT, 0, 0));
  for (; have > ColumnCount(); --have) SendMessageW(header_, HDM_DELETEITEM, have - 1, 0);
  for (int i = 0; i < ColumnCount(); ++i) {
    const TCheckTreeColumn& c = columns_[i];
    HDITEMW item = {};
    item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT;
    item.cxy = c.Width;
    item.pszText = const_cast<wchar_t*>(c.Header.c_str());
    item.fmt = HDF_STRING | (c.Align == TColumnAlign::Right    ? HDF_RIGHT
                             : c.Align == TColumnAlign::Center ? HDF_CENTER
                                                               : HDF_LEFT);
    SendMessageW(header_, i < have ? HDM_SETITEMW : HDM_INSERTITEMW, i,
                 reinterpret_cast<LPARAM>(&item));
  }
}

void TCheckTree::LayoutHeader() {
  if (!header_) {
    headerHeight_ = 0;
    return;
  }
  RECT client = {0, 0, clientWidth_, clientHeight_};
  WINDOWPOS pos = {};
  HDLAYOUT layout;
  layout.prc = &client;
  layout.pwpos = &pos;
  SendMessageW(header_, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
  headerHeight_ = pos.cy;
  // Scrolled sideways with the rows; wide enough to reach the right edge.
  int width = std::max(TotalWidth() + hOffset_, clientWidth_ + hOffset_);
  SetWindowPos(header_, nullptr, -hOffset_, 0, width, pos.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCheckTree::OnHeaderNotify(const NMHDR* header) {
  switch (header->code) {
    case HDN_ITEMCHANGEDW:
    case HDN_ITEMCHANGEDA: {
      const NMHEADERW* nm = reinterpret_cast<const NMHEADERW*>(header);
      if (nm->pitem && (nm->pitem->mask & HDI_WIDTH) && nm->iItem >= 0 && nm->iItem < ColumnCount() &&
          columns_[nm->iItem].Width != nm->pitem->cxy) {
        columns_[nm->iItem].Width = std::max(0, nm->pitem->cxy);
        ColumnsChanged();
      }
      break;
    }
  }
}

// --- looks ---------------------------------------------------------------------------------

void TCheckTree::SetImageList(HIMAGELIST images) {
  images_ = images;
  imageWidth_ = imageHeight_ = 0;
  if (images_) ImageList_GetIconSize(images_, &imageWidth_, &imageHeight_);
  RecalcMetrics();
}

void TCheckTree::SetIndent(int pixels) {
  indent_ = std::max(0, pixels);
  InvalidateAll();
}

void TCheckTree::SetUseThemes(bool use) {
  useThemes_ = use;
  if (hwnd_) parts_.Open(hwnd_, useThemes_);
  RecalcMetrics();
}

// --- rows, focus and scrolling ---------------------------------------------------------------

size_t TCheckTree::PageRows() const {
  int height = clientHeight_ - headerHeight_;
  return rowHeight_ > 0 && height > rowHeight_ ? static_cast<size_t>(height / rowHeight_) : 1;
}

void TCheckTree::ClampScroll() {
  size_t rows = model_ ? model_->VisibleRowCount() : 0;
  size_t page = PageRows();
  size_t maxTop = rows > page ? rows - page : 0;
  if (topRow_ > maxTop) topRow_ = maxTop;
  int maxOffset = std::max(0, TotalWidth() - clientWidth_);
  if (hOffset_ > maxOffset) hOffset_ = maxOffset;
  if (hOffset_ < 0) hOffset_ = 0;
}

void TCheckTree::SetTopRow(size_t row) {
  size_t old = topRow_;
  topRow_ = row;
  ClampScroll();
  if (topRow_ != old) Relayout();
}

void TCheckTree::ScrollRows(ptrdiff_t delta) {
  if (delta < 0)
    SetTopRow(topRow_ > static_cast<size_t>(-delta) ? topRow_ + delta : 0);
  else
    SetTopRow(topRow_ + static_cast<size_t>(delta));
}

void TCheckTree::SetHorizontalOffset(int offset) {
  int old = hOffset_;
  hOffset_ = offset;
  ClampScroll();
  if (hOffset_ != old) ColumnsChanged();
}

void TCheckTree::ScrollIntoView(TTreeNode* node, bool centred) {
  if (!model_ || !node) return;
  for (TTreeNode* p = node->Parent(); p; p = p->Parent())
    if (!p->Expanded()) model_->SetExpanded(p, true);
  size_t row = model_->RowOf(node);
  if (row == TTreeModel::npos) return;
  size_t page = PageRows();
  if (centred)
    SetTopRow(row > page / 2 ? row - page / 2 : 0);
  else if (row < topRow_)
    SetTopRow(row);
  else if (row >= topRow_ + page)
    SetTopRow(row + 1 - page);
}

void TCheckTree::SetFocusedNode(TTreeNode* node) {
  if (!model_) return;
  bool moved = model_->FocusedNode() != node;
  model_->SetFocusedNode(node);
  if (node) ScrollIntoView(node, false);
  if (moved && Events.FocusChanged) Events.FocusChanged(node);
}

void TCheckTree::UpdateScrollBars() {
  if (!hwnd_ || inScrollUpdate_) return;
  inScrollUpdate_ = true;
  // Showing one bar narrows the client area and may call for the other: settle in a few
  // rounds.
  for (int round = 0; round < 3; ++round) {
    int width = clientWidth_, height = clientHeight_;
    ClampScroll();
    SCROLLINFO v = ScrollInfo(SIF_RANGE | SIF_PAGE | SIF_POS);
    size_t rows = model_ ? model_->VisibleRowCount() : 0;
    // 32-bit range and position: more than 65,535 rows scroll through nTrackPos.
    v.nMax = rows ? static_cast<int>(std::min<size_t>(rows - 1, 0x7FFFFFFE)) : 0;
    v.nPage = static_cast<UINT>(PageRows());
    v.nPos = static_cast<int>(topRow_);
    SCROLLINFO h = ScrollInfo(SIF_RANGE | SIF_PAGE | SIF_POS);
    h.nMax = std::max(0, TotalWidth() - 1);
    h.nPage = static_cast<UINT>(std::max(1, clientWidth_));
    h.nPos = hOffset_;
    // Each call is a trip to the server under Wine: only what changed is sent.
    if (SetIfChanged(v, barShown_[0])) SetScrollInfo(hwnd_, SB_VERT, &v, TRUE);
    if (SetIfChanged(h, barShown_[1])) SetScrollInfo(hwnd_, SB_HORZ, &h, TRUE);
    OnSize();
    if (width == clientWidth_ && height == clientHeight_) break;
  }
  inScrollUpdate_ = false;
  scrollDirty_ = false;
}

void TCheckTree::OnSize() {
  RECT client = {};
  if (hwnd_) GetClientRect(hwnd_, &client);
  if (client.right == clientWidth_ && client.bottom == clientHeight_) return;
  clientWidth_ = client.right;
  clientHeight_ = client.bottom;
  ColumnsChanged();
}

void TCheckTree::OnVScroll(int code) {
  size_t page = PageRows();
  switch (code) {
    case SB_LINEUP: ScrollRows(-1); break;
    case SB_LINEDOWN: ScrollRows(1); break;
    case SB_PAGEUP: ScrollRows(-static_cast<ptrdiff_t>(page)); break;
    case SB_PAGEDOWN: ScrollRows(static_cast<ptrdiff_t>(page)); break;
    case SB_TOP: SetTopRow(0); break;
    case SB_BOTTOM: SetTopRow(static_cast<size_t>(-1)); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The message carries 16 bits only; the bar knows the 32-bit position.
      SCROLLINFO si = ScrollInfo(SIF_TRACKPOS);
      if (GetScrollInfo(hwnd_, SB_VERT, &si)) SetTopRow(static_cast<size_t>(std::max(0, si.nTrackPos)));
      break;
    }
  }
}

void TCheckTree::OnHScroll(int code) {
  switch (code) {
    case SB_LINELEFT: SetHorizontalOffset(hOffset_ - kLinePixels); break;
    case SB_LINERIGHT: SetHorizontalOffset(hOffset_ + kLinePixels); break;
    case SB_PAGELEFT: SetHorizontalOffset(hOffset_ - clientWidth_); break;
    case SB_PAGERIGHT: SetHorizontalOffset(hOffset_ + clientWidth_); break;
    case SB_LEFT: SetHorizontalOffset(0); break;
    case SB_RIGHT: SetHorizontalOffset(TotalWidth()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO si = ScrollInfo(SIF_TRACKPOS);
      if (GetScrollInfo(hwnd_, SB_HORZ, &si)) SetHorizontalOffset(si.nTrackPos);
      break;
    }
  }
}

// --- repainting what changed ------------------------------------------------------------------

void TCheckTree::InvalidateAll() {
  if (!hwnd_ || wholeInvalid_) return;
  wholeInvalid_ = true;
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void TCheckTree::InvalidateRowsFrom(TTreeNode* node, bool toBottom) {
  if (!hwnd_ || wholeInvalid_ || !model_) return;
  size_t row = model_->RowOf(node);
  if (row == TTreeModel::npos) return;
  size_t page = PageRows();
  if (row > topRow_ + page) return;  // below the last, partly shown, row
  if (row < topRow_) {
    if (!toBottom) return;
    row = topRow_;
  }
  RECT r = {0, RowTop(row), clientWidth_, RowTop(row) + rowHeight_};
  if (toBottom) r.bottom = clientHeight_;
  InvalidateRect(hwnd_, &r, FALSE);
}

void TCheckTree::NodeChanged(TTreeNode* node) { InvalidateRowsFrom(node, false); }

// The subtree's rows follow the node's row; everything below it is repainted.
void TCheckTree::SubtreeChanged(TTreeNode* node) { InvalidateRowsFrom(node, true); }

void TCheckTree::StructureChanged() { Relayout(); }

void TCheckTree::NodeFreeing(TTreeNode* node) {
  if (node == pressedNode_) {
    pressedNode_ = nullptr;
    if (hwnd_ && GetCapture() == hwnd_) ReleaseCapture();
  }
  if (node == overflowNode_) overflowNode_ = nullptr;
}

// --- messages -----------------------------------------------------------------------------

LRESULT TCheckTree::OnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NCCREATE:
      hwnd_ = hwnd;
      barShown_[0] = barShown_[1] = SCROLLINFO();
      scrollDirty_ = true;
      break;
    case WM_CREATE:
      enabled_ = IsWindowEnabled(hwnd) != FALSE;
      baseFont_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
      parts_.Open(hwnd, useThemes_);
      RecalcMetrics();
      OnSize();
      return 0;
    case WM_SIZE:
      OnSize();  // the scroll bars follow at the next paint
      return 0;
    case WM_ERASEBKGND:
      return 1;  // every pixel is painted from the back buffer
    case WM_PAINT: {
      if (scrollDirty_) UpdateScrollBars();
      wholeInvalid_ = false;  // BeginPaint takes the whole update region
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (dc) PaintClient(dc, ps.rcPaint);
      EndPaint(hwnd, &ps);
      if (overflowNode_) {
        TTreeNode* node = overflowNode_;
        overflowNode_ = nullptr;
        if (Events.TextOverflow) Events.TextOverflow(node, overflowColumn_, overflowWidth_);
      }
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT all = {0, 0, clientWidth_, clientHeight_};
      PaintClient(reinterpret_cast<HDC>(wp), all);
      overflowNode_ = nullptr;
      return 0;
    }
    case WM_SETFONT:
      baseFont_ = wp ? reinterpret_cast<HFONT>(wp) : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
      if (header_) SendMessageW(header_, WM_SETFONT, wp, lp);
      RecalcMetrics();
      LayoutHeader();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(baseFont_);
    case kThemeChanged:
      parts_.Open(hwnd, useThemes_);
      RecalcMetrics();
      return 0;
    case WM_ENABLE:
      enabled_ = wp != FALSE;
      InvalidateAll();
      break;
    case WM_SYSCOLORCHANGE:
      parts_.Flush();
      InvalidateAll();
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      hasFocus_ = msg == WM_SETFOCUS;
      // The focused row changes its highlight colour.
      if (model_ && model_->FocusedNode()) NodeChanged(model_->FocusedNode());
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_VSCROLL:
      OnVScroll(LOWORD(wp));
      return 0;
    case WM_HSCROLL:
      OnHScroll(LOWORD(wp));
      return 0;
    case WM_MOUSEWHEEL:
      OnMouseWheel(static_cast<short>(HIWORD(wp)));
      return 0;
    case WM_KEYDOWN:
      if (OnKeyDown(wp, lp)) return 0;
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnButtonDown(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)), VK_LBUTTON,
                   msg == WM_LBUTTONDBLCLK);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      OnButtonDown(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)), VK_RBUTTON, false);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
      return 0;
    case WM_LBUTTONUP:
      OnLButtonUp(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != hwnd) CancelPress();
      return 0;
    case WM_CANCELMODE:
      CancelPress();
      break;
    case WM_CONTEXTMENU:
      if (Events.ContextMenu) {
        OnContextMenu(lp);
        return 0;
      }
      break;
    case WM_NOTIFY:
      if (header_ && reinterpret_cast<NMHDR*>(lp)->hwndFrom == header_)
        OnHeaderNotify(reinterpret_cast<NMHDR*>(lp));
      return 0;
    case WM_NOTIFYFORMAT:
      return NFR_UNICODE;
    case WM_DESTROY:
      CancelPress();
      parts_.Close();
      header_ = nullptr;
      break;
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      wholeInvalid_ = false;
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}
