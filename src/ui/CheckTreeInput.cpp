// Keyboard and mouse of the check tree. Every change the user makes goes through the model's
// User* calls, so that its hooks can refuse it.
#include <algorithm>

#include "ui/CheckTree.h"

TTreeNode* TCheckTree::KeyboardNode() const {
  if (!model_) return nullptr;
  TTreeNode* f = model_->FocusedNode();
  if (!f) return model_->NodeAtRow(topRow_);
  // A focused node hidden by a program's collapse: its highest collapsed ancestor is on screen.
  for (TTreeNode* p = f->Parent(); p; p = p->Parent())
    if (!p->Expanded()) f = p;
  return f;
}

bool TCheckTree::SetExpandedByUser(TTreeNode* node, bool expand) {
  if (!model_ || !node || !node->FirstChild() || node->Expanded() == expand) return false;
  if (!model_->UserSetExpanded(node, expand)) return false;
  if (expand) {
    if (Events.Expanded) Events.Expanded(node);
    return true;
  }
  // The focus does not stay on a row that went away.
  if (TTreeNode* f = model_->FocusedNode())
    for (TTreeNode* p = f->Parent(); p; p = p->Parent())
      if (p == node) {
        SetFocusedNode(node);
        break;
      }
  if (Events.Collapsed) Events.Collapsed(node);
  return true;
}

bool TCheckTree::OnKeyDown(WPARAM key, LPARAM flags) {
  if (!model_) return false;
  TTreeNode* f = KeyboardNode();
  // The first move without a focused node focuses the top row.
  bool focused = model_->FocusedNode() != nullptr;
  TTreeNode* target = nullptr;
  size_t page = PageRows();
  switch (key) {
    case VK_UP:
      target = focused ? model_->PrevVisible(f) : f;
      break;
    case VK_DOWN:
      target = focused ? model_->NextVisible(f) : f;
      break;
    case VK_PRIOR:
    case VK_NEXT: {
      size_t rows = model_->VisibleRowCount(), row = f ? model_->RowOf(f) : 0;
      if (rows == 0 || row == TTreeModel::npos) break;
      if (key == VK_PRIOR)
        row = row > page ? row - page : 0;
      else
        row = std::min(row + page, rows - 1);
      target = model_->NodeAtRow(row);
      break;
    }
    case VK_HOME:
      target = model_->NodeAtRow(0);
      break;
    case VK_END:
      target = model_->VisibleRowCount() ? model_->NodeAtRow(model_->VisibleRowCount() - 1) : nullptr;
      break;
    case VK_LEFT:
      if (f && f->FirstChild() && f->Expanded())
        SetExpandedByUser(f, false);
      else if (f)
        target = f->Parent();
      break;
    case VK_RIGHT:
      if (f && f->FirstChild()) {
        if (!f->Expanded())
          SetExpandedByUser(f, true);
        else
          target = f->FirstChild();
      }
      break;
    case VK_ADD:
    case VK_OEM_PLUS:
      SetExpandedByUser(f, true);
      break;
    case VK_SUBTRACT:
    case VK_OEM_MINUS:
      SetExpandedByUser(f, false);
      break;
    case VK_SPACE:
      // Held down, the key repeats: the box toggles once per press.
      if (f && f == model_->FocusedNode() && !(flags & (1 << 30)) &&
          f->CheckType() != TCheckType::None)
        model_->UserToggleCheck(f);
      break;
    default:
      return false;
  }
  if (target) SetFocusedNode(target);
  return true;
}

void TCheckTree::OnButtonDown(int x, int y, UINT button, bool doubleClick) {
  if (hwnd_ && !hasFocus_) SetFocus(hwnd_);
  if (!model_) return;
  TCheckTreeHit hit = HitTest(x, y);
  // An expand button leaves the focus where it is, as tree views do.
  if (hit.Node && hit.Part != TCheckTreePart::Button && hit.Node != model_->FocusedNode())
    SetFocusedNode(hit.Node);
  if (Events.MouseDown) Events.MouseDown(hit, button);
  // The handlers may have changed the tree: look again.
  hit = HitTest(x, y);
  if (button != VK_LBUTTON || !hit.Node) return;
  switch (hit.Part) {
    case TCheckTreePart::Button:
      SetExpandedByUser(hit.Node, !hit.Node->Expanded());
      break;
    case TCheckTreePart::CheckBox:
      // Toggled when the button comes up over the same box; pressed while it is held.
      CancelPress();
      pressedNode_ = hit.Node;
      pressedInside_ = true;
      model_->SetPressed(hit.Node, true);
      SetCapture(hwnd_);
      break;
    default:
      if (doubleClick && Events.DblClick) Events.DblClick(hit.Node);
      break;
  }
}

void TCheckTree::OnMouseMove(int x, int y) {
  if (pressedNode_) {
    TCheckTreeHit hit = HitTest(x, y);
    bool inside = hit.Node == pressedNode_ && hit.Part == TCheckTreePart::CheckBox;
    if (inside != pressedInside_) {
      pressedInside_ = inside;
      model_->SetPressed(pressedNode_, inside);
    }
    return;
  }
  if (Events.MouseMove) Events.MouseMove(HitTest(x, y));
}

void TCheckTree::OnLButtonUp(int x, int y) {
  if (!pressedNode_) return;
  TTreeNode* node = pressedNode_;
  pressedNode_ = nullptr;  // before ReleaseCapture, whose WM_CAPTURECHANGED would cancel
  if (GetCapture() == hwnd_) ReleaseCapture();
  TCheckTreeHit hit = HitTest(x, y);
  model_->SetPressed(node, false);
  if (hit.Node == node && hit.Part == TCheckTreePart::CheckBox) model_->UserToggleCheck(node);
}

void TCheckTree::CancelPress() {
  if (!pressedNode_) return;
  TTreeNode* node = pressedNode_;
  pressedNode_ = nullptr;
  if (model_) model_->SetPressed(node, false);
}

void TCheckTree::OnMouseWheel(int delta) {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  if (lines == 0) return;
  // Small steps of precise wheels add up until they make a row.
  wheelRemainder_ += delta;
  ptrdiff_t rows;
  if (lines == WHEEL_PAGESCROLL) {
    rows = wheelRemainder_ / WHEEL_DELTA * static_cast<ptrdiff_t>(PageRows());
    wheelRemainder_ %= WHEEL_DELTA;
  } else {
    rows = static_cast<ptrdiff_t>(wheelRemainder_) * static_cast<int>(lines) / WHEEL_DELTA;
    wheelRemainder_ -= static_cast<int>(rows * WHEEL_DELTA / static_cast<int>(lines));
  }
  if (rows) ScrollRows(-rows);  // forward, away from the user, is up
}

void TCheckTree::OnContextMenu(LPARAM lp) {
  POINT pt = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  TTreeNode* node = nullptr;
  if (lp == -1) {
    // The menu key: below the focused node's text.
    node = model_ ? model_->FocusedNode() : nullptr;
    RECT r;
    if (node && GetPartRect(node, 0, TCheckTreePart::Text, r))
      pt = {r.left, r.bottom};
    else
      pt = {0, 0};
    ClientToScreen(hwnd_, &pt);
  } else {
    POINT client = pt;
    ScreenToClient(hwnd_, &client);
    node = HitTest(client.x, client.y).Node;
  }
  Events.ContextMenu(node, pt);
}
