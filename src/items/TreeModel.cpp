#include "items/TreeModel.h"

#include <utility>

// The row budget of the future list control: links, sums and flags stay small next to the
// record's five strings.
static_assert(sizeof(void*) != 4 || sizeof(TTreeNode) <= 200, "tree node grew past its budget");

TTreeModel::TTreeModel() {
  root_.level_ = -1;
  root_.expanded_ = true;
}

TTreeModel::~TTreeModel() = default;

// --- structure -------------------------------------------------------------------------

TTreeNode* TTreeModel::AddChild(TTreeNode* parent, Column4TreeData data, TCheckType type,
                                TCheckState state) {
  TTreeNode* p = parent ? parent : &root_;
  TTreeNode* n = pool_.Allocate();
  n->Data = std::move(data);
  n->type_ = type;
  n->state_ = (type == TCheckType::CheckBox && IsMixed(state)) ? TCheckState::Unchecked : state;
  n->parent_ = p;
  n->level_ = static_cast<int8_t>(p->level_ + 1);
  if (TTreeNode* last = p->LastChild()) {
    last->next_ = n;
    n->prev_ = last;
    p->firstChild_->prev_ = n;
  } else {
    p->firstChild_ = n;
    n->prev_ = n;
  }
  ++p->childCount_;
  AddRows(p, 1);
  CountInParent(n, +1);
  UpdateAncestors(p);
  if (p->expanded_ && IsVisible(p))
    NotifyStructure();
  else if (p->childCount_ == 1 && p != &root_)
    NotifyNode(p);  // its expand button appears
  return n;
}

void TTreeModel::DeleteChildren(TTreeNode* node) {
  if (!node || !node->firstChild_) return;
  bool shown = node->expanded_ && IsVisible(node);
  for (TTreeNode* c = node->firstChild_; c;) {
    TTreeNode* next = c->next_;
    FreeSubtree(c);
    c = next;
  }
  node->firstChild_ = nullptr;
  node->childCount_ = node->boxChildren_ = node->checkedChildren_ = node->mixedChildren_ = 0;
  AddRows(node, -static_cast<int64_t>(node->rowsBelow_));
  if (shown)
    NotifyStructure();
  else
    NotifyNode(node);
}

void TTreeModel::DeleteNode(TTreeNode* node) {
  if (!node || node == &root_) return;
  TTreeNode* p = node->parent_;
  bool shown = p->expanded_ && IsVisible(p);
  AddRows(p, -static_cast<int64_t>(TotalRows(node)));
  CountInParent(node, -1);
  Unlink(node);
  FreeSubtree(node);
  UpdateAncestors(p);
  if (shown)
    NotifyStructure();
  else if (p != &root_)
    NotifyNode(p);
}

void TTreeModel::Clear() {
  if (observer_) {
    // Children before parents, as DeleteNode does.
    for (TTreeNode* c = root_.firstChild_; c;) {
      TTreeNode* next = c->next_;
      FreeSubtree(c);
      c = next;
    }
  }
  pool_.Clear();
  TTreeNode fresh;
  fresh.level_ = -1;
  fresh.expanded_ = true;
  root_ = std::move(fresh);
  focused_ = nullptr;
  NotifyStructure();
}

void TTreeModel::Unlink(TTreeNode* n) {
  TTreeNode* p = n->parent_;
  TTreeNode* last = p->LastChild();
  if (n == p->firstChild_) {
    p->firstChild_ = n->next_;
    if (p->firstChild_) p->firstChild_->prev_ = last;  // still the last child
  } else {
    n->prev_->next_ = n->next_;
    if (n->next_)
      n->next_->prev_ = n->prev_;
    else
      p->firstChild_->prev_ = n->prev_;  // the new last child
  }
  --p->childCount_;
  n->prev_ = n->next_ = nullptr;
}

void TTreeModel::FreeSubtree(TTreeNode* n) {
  for (TTreeNode* c = n->firstChild_; c;) {
    TTreeNode* next = c->next_;
    FreeSubtree(c);
    c = next;
  }
  if (focused_ == n) focused_ = nullptr;
  if (observer_) observer_->NodeFreeing(n);
  pool_.Release(n);
}

TTreeNode* TTreeModel::GetNext(const TTreeNode* node) const {
  if (!node) return nullptr;
  if (node->firstChild_) return node->firstChild_;
  for (const TTreeNode* n = node; n && n != &root_; n = n->parent_)
    if (n->next_) return n->next_;
  return nullptr;
}

void TTreeModel::InvalidateNode(TTreeNode* node) {
  if (node) NotifyNode(node);
}

// --- check boxes -----------------------------------------------------------------------

void TTreeModel::CountInParent(const TTreeNode* child, int sign) {
  if (child->type_ == TCheckType::None) return;
  TTreeNode* p = child->parent_;
  p->boxChildren_ += sign;
  if (IsChecked(child->state_))
    p->checkedChildren_ += sign;
  else if (IsMixed(child->state_))
    p->mixedChildren_ += sign;
}

bool TTreeModel::ChildrenDisagree(const TTreeNode* n, TCheckState normal) {
  if (normal == TCheckState::Checked) return n->checkedChildren_ != n->boxChildren_;
  return n->checkedChildren_ != 0 || n->mixedChildren_ != 0;
}

void TTreeModel::SetStateCounted(TTreeNode* n, TCheckState state) {
  CountInParent(n, -1);
  n->state_ = state;
  CountInParent(n, +1);
}

void TTreeModel::SetCheckType(TTreeNode* node, TCheckType type) {
  if (!node || node == &root_ || node->type_ == type) return;
  CountInParent(node, -1);
  node->type_ = type;
  if (type == TCheckType::CheckBox && IsMixed(node->state_)) node->state_ = TCheckState::Unchecked;
  CountInParent(node, +1);
  if (type == TCheckType::TriState) UpdateAncestors(node);
  UpdateAncestors(node->parent_);
  NotifyNode(node);
}

bool TTreeModel::SetCheckState(TTreeNode* node, TCheckState state) {
  if (!node || node == &root_) return false;
  if (node->type_ == TCheckType::CheckBox && IsMixed(state)) return false;
  TCheckState normal = NormalState(state);
  bool valueChanged = NormalState(node->state_) != normal;
  bool push = node->type_ == TCheckType::TriState && normal != TCheckState::Mixed &&
              node->boxChildren_ != 0 && ChildrenDisagree(node, normal);
  if (!valueChanged && !push) {
    if (node->state_ != state) {
      node->state_ = state;  // only the pressed look
      NotifyNode(node);
    }
    return true;
  }
  SetStateCounted(node, state);
  if (push) {
    PushDown(node, normal);
    NotifySubtree(node);
  } else {
    NotifyNode(node);
  }
  UpdateAncestors(node->parent_);
  return true;
}

bool TTreeModel::UserSetCheckState(TTreeNode* node, TCheckState state) {
  if (!node || node == &root_) return false;
  if (checkingHook_ && !checkingHook_(node, state)) return false;
  return SetCheckState(node, state);
}

bool TTreeModel::UserToggleCheck(TTreeNode* node) {
  if (!node || node->type_ == TCheckType::None) return false;
  return UserSetCheckState(node, IsChecked(node->state_) ? TCheckState::Unchecked
                                                          : TCheckState::Checked);
}

void TTreeModel::SetPressed(TTreeNode* node, bool pressed) {
  if (!node || node == &root_) return;
  TCheckState s = pressed ? PressedState(node->state_) : NormalState(node->state_);
  if (s == node->state_) return;
  node->state_ = s;  // the sums look at the value only, never at the look
  NotifyNode(node);
}

// Every box below n takes the (normal) state; the sums of n follow without a recount.
void TTreeModel::PushDown(TTreeNode* n, TCheckState normal) {
  for (TTreeNode* c = n->firstChild_; c; c = c->next_) {
    if (c->type_ == TCheckType::None) continue;
    c->state_ = normal;
    if (c->type_ == TCheckType::TriState && c->boxChildren_ != 0 && ChildrenDisagree(c, normal))
      PushDown(c, normal);
  }
  n->checkedChildren_ = normal == TCheckState::Checked ? n->boxChildren_ : 0;
  n->mixedChildren_ = 0;
}

// The sums of n changed: recompute n and, as long as something changes, its ancestors.
void TTreeModel::UpdateAncestors(TTreeNode* n) {
  while (n && n != &root_ && n->type_ == TCheckType::TriState && n->boxChildren_ != 0) {
    TCheckState s;
    if (n->checkedChildren_ == n->boxChildren_)
      s = TCheckState::Checked;
    else if (n->checkedChildren_ == 0 && n->mixedChildren_ == 0)
      s = TCheckState::Unchecked;
    else
      s = TCheckState::Mixed;
    if (NormalState(n->state_) == s) return;
    SetStateCounted(n, s);
    NotifyNode(n);
    n = n->parent_;
  }
}

// --- expansion -------------------------------------------------------------------------

void TTreeModel::AddRows(TTreeNode* parent, int64_t delta) {
  for (TTreeNode* n = parent;; n = n->parent_) {
    n->rowsBelow_ = static_cast<uint32_t>(n->rowsBelow_ + delta);
    if (n == &root_ || !n->expanded_) return;
  }
}

void TTreeModel::SetExpanded(TTreeNode* node, bool expanded) {
  if (!node || node == &root_ || node->expanded_ == expanded) return;
  node->expanded_ = expanded;
  int64_t rows = node->rowsBelow_;
  AddRows(node->parent_, expanded ? rows : -rows);
  if (rows != 0 && IsVisible(node))
    NotifyStructure();
  else
    NotifyNode(node);
}

bool TTreeModel::UserSetExpanded(TTreeNode* node, bool expanded) {
  if (!node || node == &root_) return false;
  if (expandingHook_ && !expandingHook_(node, expanded)) return false;
  SetExpanded(node, expanded);
  return true;
}

// --- focus -----------------------------------------------------------------------------

void TTreeModel::SetFocusedNode(TTreeNode* node) {
  if (node == &root_ || node == focused_) return;
  TTreeNode* old = focused_;
  focused_ = node;
  if (old) NotifyNode(old);
  if (node) NotifyNode(node);
}

// --- rows ------------------------------------------------------------------------------

bool TTreeModel::IsVisible(const TTreeNode* node) const {
  if (!node) return false;
  for (const TTreeNode* p = node->parent_; p && p != &root_; p = p->parent_)
    if (!p->expanded_) return false;
  return node != &root_;
}

TTreeNode* TTreeModel::NodeAtRow(size_t row) const {
  if (row >= root_.rowsBelow_) return nullptr;
  const TTreeNode* parent = &root_;
  for (;;) {
    TTreeNode* c = parent->firstChild_;
    for (; c; c = c->next_) {
      size_t rows = TotalRows(c);
      if (row < rows) break;
      row -= rows;
    }
    if (!c) return nullptr;  // sums out of step; never expected
    if (row == 0) return c;
    --row;
    parent = c;
  }
}

size_t TTreeModel::RowOf(const TTreeNode* node) const {
  if (!IsVisible(node)) return npos;
  size_t row = 0;
  for (const TTreeNode* n = node; n != &root_; n = n->parent_) {
    for (const TTreeNode* s = n->PrevSibling(); s; s = s->PrevSibling()) row += TotalRows(s);
    if (n->parent_ != &root_) ++row;  // the parent's own row
  }
  return row;
}

TTreeNode* TTreeModel::NextVisible(const TTreeNode* node) const {
  if (!node || node == &root_) return nullptr;
  if (node->expanded_ && node->firstChild_) return node->firstChild_;
  for (const TTreeNode* n = node; n != &root_; n = n->parent_)
    if (n->next_) return n->next_;
  return nullptr;
}

TTreeNode* TTreeModel::PrevVisible(const TTreeNode* node) const {
  if (!node || node == &root_) return nullptr;
  if (TTreeNode* n = node->PrevSibling()) {
    while (n->expanded_ && n->firstChild_) n = n->LastChild();
    return n;
  }
  return node->Parent();
}

// --- notifications ---------------------------------------------------------------------

void TTreeModel::EndUpdate() {
  if (updateCount_ == 0 || --updateCount_ != 0) return;
  if (updatePending_) {
    updatePending_ = false;
    if (observer_) observer_->StructureChanged();
  }
}

void TTreeModel::NotifyNode(TTreeNode* n) {
  if (updateCount_ != 0)
    updatePending_ = true;
  else if (observer_)
    observer_->NodeChanged(n);
}

void TTreeModel::NotifySubtree(TTreeNode* n) {
  if (updateCount_ != 0)
    updatePending_ = true;
  else if (observer_)
    observer_->SubtreeChanged(n);
}

void TTreeModel::NotifyStructure() {
  if (updateCount_ != 0)
    updatePending_ = true;
  else if (observer_)
    observer_->StructureChanged();
}
