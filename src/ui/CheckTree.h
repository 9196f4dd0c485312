// The one control that paints every tree of the program over a TTreeModel: tri-state check
// boxes, expand buttons, one or more columns, per-cell colour, bold and underline, an image
// list, keyboard and mouse. It is virtual: it keeps nothing per row, and a paint asks only
// the rows on screen for their texts, so 100,000 findings cost what the model costs.
//
// The user's changes go through the model's hooks: a click or Space on a box calls
// UserToggleCheck (the checking hook may refuse it), the buttons, Left/Right and +/- call
// UserSetExpanded (the expanding hook may refuse expanding and collapsing). The model must
// outlive the control, or be detached first with SetModel(nullptr).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "items/TreeModel.h"
#include "system/Handles.h"
#include "ui/MemoryBitmap.h"
#include "ui/TextWidthTable.h"
#include "ui/ThemeParts.h"

enum class TColumnAlign : uint8_t { Left, Right, Center };

struct TCheckTreeColumn {
  int Width = 200;
  TColumnAlign Align = TColumnAlign::Left;  // the first column, the tree's, is always left
  std::wstring Header;  // shown while the header is on
};

// How a cell's text is drawn. The paint-text event gets it filled with the defaults and may
// change Color, Bold and Underline.
struct TCheckTreeTextStyle {
  COLORREF Color = 0;
  bool Bold = false;
  bool Underline = false;
  bool Selected = false;  // the focused node's row: column 0 is drawn highlighted
};

enum class TCheckTreePart : uint8_t {
  Nowhere,      // outside the rows, or below the last one
  Indent,       // left of the node's parts, or where a node without children has its button
  Button,       // the expand button (only on a node with children)
  CheckBox,     // the box (only on a node with a check type)
  Image,        // the image (only with an image list and an ImageIndex of 0 or more)
  Text,         // the text, with its small padding
  RightOfText,  // the rest of the cell
};

struct TCheckTreeHit {
  TTreeNode* Node = nullptr;
  int Column = -1;
  TCheckTreePart Part = TCheckTreePart::Nowhere;
};

// Every event may be left empty.
struct TCheckTreeEvents {
  // The text of a cell, code page 936. Unset: column 0 shows Data.Caption, the others nothing.
  std::function<std::string(TTreeNode* node, int column)> GetText;
  // Colour, bold and underline of a cell; also asked by FitColumnToContent (bold is wider).
  std::function<void(TTreeNode* node, int column, TCheckTreeTextStyle& style)> PaintText;
  // The control moved the focus (keys, clicks, SetFocusedNode).
  std::function<void(TTreeNode* node)> FocusChanged;
  // A mouse button (VK_LBUTTON or VK_RBUTTON) went down; the node under it is already focused.
  std::function<void(const TCheckTreeHit& hit, UINT button)> MouseDown;
  // The pointer moved over the control while no box is being pressed.
  std::function<void(const TCheckTreeHit& hit)> MouseMove;
  // A double click on a row outside its button and box.
  std::function<void(TTreeNode* node)> DblClick;
  // Right click or the menu key: node under the pointer (or the focused node), screen point.
  std::function<void(TTreeNode* node, POINT screen)> ContextMenu;
  // The user expanded or collapsed a node and the model let it.
  std::function<void(TTreeNode* node)> Expanded;
  std::function<void(TTreeNode* node)> Collapsed;
  // After a paint: a painted text did not fit its column (texts are clipped, never shortened
  // with an ellipsis). Raised once per paint, for the first such cell; neededWidth fits it.
  std::function<void(TTreeNode* node, int column, int neededWidth)> TextOverflow;
};

class TCheckTree : private TTreeObserver {
 public:
  static const wchar_t kClassName[];

  TCheckTree();
  ~TCheckTree() override;
  TCheckTree(const TCheckTree&) = delete;
  TCheckTree& operator=(const TCheckTree&) = delete;

  // The window, a child of parent; style is added to WS_CHILD | WS_CLIPCHILDREN.
  HWND Create(HWND parent, int id, const RECT& bounds,
              DWORD style = WS_VISIBLE | WS_TABSTOP, DWORD exStyle = WS_EX_CLIENTEDGE);
  HWND Handle() const { return hwnd_; }

  // Observes the model (its one observer slot) until another model or null is set.
  void SetModel(TTreeModel* model);
  TTreeModel* Model() const { return model_; }

  TCheckTreeEvents Events;

  // --- columns ---------------------------------------------------------------------------
  // One column at least: an empty list keeps a single default column.
  void SetColumns(std::vector<TCheckTreeColumn> columns);
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  const TCheckTreeColumn& Column(int column) const { return columns_[column]; }
  void SetColumnWidth(int column, int width);
  // Widens or narrows the column to its widest text over every row that can be scrolled
  // to (rows of collapsed nodes do not count); no rows leave it as it is. Returns the width.
  int FitColumnToContent(int column);
  // The header is off unless turned on; dragging its dividers sets the column widths.
  void SetHeaderVisible(bool visible);

  // --- looks -----------------------------------------------------------------------------
  void SetImageList(HIMAGELIST images);  // not owned; null: no images
  void SetIndent(int pixels);            // per level; 18 unless set
  // Check boxes and buttons follow the visual style where one is active (the default).
  void SetUseThemes(bool use);
  bool Themed() const { return parts_.Themed(); }
  int RowHeight() const { return rowHeight_; }

  // --- rows, focus and scrolling ----------------------------------------------------------
  size_t TopRow() const { return topRow_; }
  void SetTopRow(size_t row);  // kept between 0 and the last row that fills a page
  size_t PageRows() const;     // rows that fit the client area completely, at least 1
  int HorizontalOffset() const { return hOffset_; }
  // Expands the node's ancestors (a program change, no hook) and scrolls its row into view:
  // centred, or by as few rows as it takes.
  void ScrollIntoView(TTreeNode* node, bool centred);
  // Focuses the node in the model, scrolls it into view and raises FocusChanged when the
  // focus moved.
  void SetFocusedNode(TTreeNode* node);

  // --- geometry (client coordinates) -------------------------------------------------------
  TCheckTreeHit HitTest(int x, int y) const;
  // The rectangle of one part of a node's cell. False when the node is hidden (a collapsed
  // ancestor) or has no such part; the rectangle may lie outside the client area.
  bool GetPartRect(TTreeNode* node, int column, TCheckTreePart part, RECT& rect) const;

  LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

 private:
  // Where the parts of a cell lie, in pixels from the cell's left edge.
  struct TCellLayout {
    int buttonLeft = -1, buttonRight = -1;
    int boxLeft = -1, boxRight = -1;
    int imageLeft = -1, imageRight = -1;
    int textLeft = 0, textRight = 0;  // the text itself, without padding
    int needed = 0;                   // column width that shows everything
  };

  // TTreeObserver
  void NodeChanged(TTreeNode* node) override;
  void SubtreeChanged(TTreeNode* node) override;
  void StructureChanged() override;
  void NodeFreeing(TTreeNode* node) override;

  // Layout and text (CheckTreePaint.cpp).
  void CellText(TTreeNode* node, int column, std::wstring& text) const;
  TCheckTreeTextStyle CellStyle(TTreeNode* node, int column, bool colour = true) const;
  // The cell's GBK text: the node's own caption where that is what it shows, else scratch.
  const std::string& CellGbk(TTreeNode* node, int column, std::string& scratch) const;
  HFONT FontFor(const TCheckTreeTextStyle& style) const;
  TTextWidthTable* SelectMeasureFont(const TCheckTreeTextStyle& style) const;  // null: no DC
  int MeasureText(const TCheckTreeTextStyle& style, const std::wstring& text) const;
  int MeasureGbk(const TCheckTreeTextStyle& style, const std::string& text) const;
  TCellLayout Layout(TTreeNode* node, int column, int textWidth) const;
  // scratch holds the text when an event makes it (a fit reuses one for every row).
  TCellLayout MeasuredLayout(TTreeNode* node, int column, std::string& scratch) const;
  int ColumnLeft(int column) const;  // client x, after the horizontal scroll
  int TotalWidth() const;
  int RowTop(size_t row) const;      // client y of a row
  void PaintClient(HDC target, const RECT& update);
  void PaintRow(HDC dc, TTreeNode* node, int top, const RECT& update);
  void RecalcMetrics();
  void DropFonts();

  // Window and scrolling (CheckTree.cpp).
  void ColumnsChanged();  // widths or the header: header, scroll range and paint follow
  void Relayout();        // rows came or went: scroll range and paint follow
  void InvalidateAll();
  void InvalidateRowsFrom(TTreeNode* node, bool toBottom);
  void UpdateScrollBars();
  void ClampScroll();
  void ScrollRows(ptrdiff_t delta);
  void SetHorizontalOffset(int offset);
  void OnVScroll(int code);
  void OnHScroll(int code);
  void OnSize();
  void LayoutHeader();
  void SyncHeader();
  void OnHeaderNotify(const NMHDR* header);

  // Keyboard and mouse (CheckTreeInput.cpp).
  TTreeNode* KeyboardNode() const;
  bool OnKeyDown(WPARAM key, LPARAM flags);
  bool SetExpandedByUser(TTreeNode* node, bool expand);
  void OnButtonDown(int x, int y, UINT button, bool doubleClick);
  void OnMouseMove(int x, int y);
  void OnLButtonUp(int x, int y);
  void CancelPress();
  void OnMouseWheel(int delta);
  void OnContextMenu(LPARAM lp);

  HWND hwnd_ = nullptr;
  HWND header_ = nullptr;
  TTreeModel* model_ = nullptr;
  std::vector<TCheckTreeColumn> columns_;

  HFONT baseFont_ = nullptr;    // the window's font (WM_SETFONT), not owned
  mutable TFontHandle variants_[4];  // [bold | underline << 1]; [0] unused
  mutable TTextWidthTable widths_[2];  // normal and bold (underline is as wide)
  HDC measureDc_ = nullptr;
  mutable HFONT measureFont_ = nullptr;  // the font selected into measureDc_
  int textHeight_ = 16;
  int rowHeight_ = 18;
  int indent_ = 18;
  int headerHeight_ = 0;
  int clientWidth_ = 0, clientHeight_ = 0;

  TThemeParts parts_;
  bool useThemes_ = true;
  bool hasFocus_ = false;  // kept from WM_SETFOCUS/WM_KILLFOCUS: GetFocus costs a server call
  bool enabled_ = true;
  HIMAGELIST images_ = nullptr;
  int imageWidth_ = 0, imageHeight_ = 0;

  size_t topRow_ = 0;
  int hOffset_ = 0;
  int wheelRemainder_ = 0;

  // Repaints are asked for once until the next WM_PAINT: a scan adds rows faster than an
  // InvalidateRect (a server round trip under Wine) could follow.
  bool wholeInvalid_ = false;
  bool scrollDirty_ = true;
  bool inScrollUpdate_ = false;
  SCROLLINFO barShown_[2] = {};  // what the vertical and horizontal bars were last given

  TTreeNode* pressedNode_ = nullptr;  // the box held down with the left button
  bool pressedInside_ = false;

  TTreeNode* overflowNode_ = nullptr;  // the first cell of a paint that did not fit
  int overflowColumn_ = 0, overflowWidth_ = 0;
  std::wstring cellText_;  // reused by every painted cell

  TMemoryBitmap buffer_;  // grown with the client area, never shrunk
};
