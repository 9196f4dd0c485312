// The cleaning item tree without a window: nodes, check boxes with tri-state propagation,
// expansion, focus and rows, so that the scan and clean drivers run (and are tested) without
// a control, and a virtual control can paint any row from it.
//
// Sized for 100,000 findings under one tree: appending is O(1), a check change of one node
// costs O(depth) (every node keeps the sums of its children's boxes), a group or item checked
// as a whole costs O(its subtree). Nodes come from a pool and are linked intrusively.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>

#include "items/CheckState.h"
#include "items/Column4TreeData.h"
#include "items/TreeNodePool.h"

class TTreeNode {
 public:
  Column4TreeData Data;  // the caller's; call TTreeModel::InvalidateNode after changing it

  // Null for a top-level node.
  TTreeNode* Parent() const { return parent_ && parent_->level_ >= 0 ? parent_ : nullptr; }
  TTreeNode* FirstChild() const { return firstChild_; }
  TTreeNode* LastChild() const { return firstChild_ ? firstChild_->prev_ : nullptr; }
  TTreeNode* NextSibling() const { return next_; }
  TTreeNode* PrevSibling() const { return parent_ && parent_->firstChild_ == this ? nullptr : prev_; }
  uint32_t ChildCount() const { return childCount_; }
  // 0 group, 1 item, 2 finding.
  int Level() const { return level_; }
  TCheckType CheckType() const { return type_; }
  TCheckState CheckState() const { return state_; }
  bool Expanded() const { return expanded_; }

 private:
  friend class TTreeModel;
  friend class TTreeNodePool;

  TTreeNode* parent_ = nullptr;  // the model's hidden root for top-level nodes
  TTreeNode* firstChild_ = nullptr;
  // The previous sibling; the first child's is the last child (no pointer of its own:
  // every byte of a node counts a million times).
  TTreeNode* prev_ = nullptr;
  TTreeNode* next_ = nullptr;  // also links the pool's free nodes
  uint32_t childCount_ = 0;
  // Sums over the children that have a box, kept on every change so that a parent's
  // state is recomputed without visiting its siblings.
  uint32_t boxChildren_ = 0;
  uint32_t checkedChildren_ = 0;  // checked or checked-pressed
  uint32_t mixedChildren_ = 0;    // mixed or mixed-pressed
  // Rows the subtrees of the children show while this node is expanded.
  uint32_t rowsBelow_ = 0;
  int8_t level_ = 0;  // -1 for the hidden root
  TCheckType type_ = TCheckType::None;
  TCheckState state_ = TCheckState::Unchecked;
  bool expanded_ = false;
};

// Told about changes so that a view can repaint; every method does nothing by default.
class TTreeObserver {
 public:
  virtual ~TTreeObserver() = default;
  // The node's own row looks different: text, image, check box, focus, expand button.
  virtual void NodeChanged(TTreeNode* node) { (void)node; }
  // The rows of node and of everything below it may look different (a check pushed down).
  virtual void SubtreeChanged(TTreeNode* node) { (void)node; }
  // Rows appeared or went away (add, delete, expand, collapse), or a batch of changes ended:
  // repaint everything.
  virtual void StructureChanged() {}
  // The node is about to be freed (its children before it): drop every reference to it.
  // Sent even inside BeginUpdate/EndUpdate.
  virtual void NodeFreeing(TTreeNode* node) { (void)node; }
};

// Asked before the user's action changes a node's check state or expands/collapses it;
// false refuses the change.
using TCheckingHook = std::function<bool(TTreeNode* node, TCheckState newState)>;
using TExpandingHook = std::function<bool(TTreeNode* node, bool expand)>;

class TTreeModel {
 public:
  TTreeModel();
  ~TTreeModel();
  TTreeModel(const TTreeModel&) = delete;
  TTreeModel& operator=(const TTreeModel&) = delete;

  // --- structure ---------------------------------------------------------------------
  // Appends a collapsed node as the last child of parent (null: at the top level). A plain
  // check box cannot be mixed: a mixed state given with it is taken as unchecked.
  TTreeNode* AddChild(TTreeNode* parent, Column4TreeData data = Column4TreeData(),
                      TCheckType type = TCheckType::None,
                      TCheckState state = TCheckState::Unchecked);
  // Frees all children of node. The node keeps its own check state: with no boxes below it
  // there is nothing to recompute it from.
  void DeleteChildren(TTreeNode* node);
  // Frees node and its subtree; the parent's state follows the children that remain.
  void DeleteNode(TTreeNode* node);
  // Frees every node.
  void Clear();

  TTreeNode* GetFirst() const { return root_.firstChild_; }  // first top-level node
  TTreeNode* GetLast() const { return root_.LastChild(); }  // last top-level node
  uint32_t TopCount() const { return root_.childCount_; }
  // Pre-order successor over every node, expanded or not; null after the last.
  TTreeNode* GetNext(const TTreeNode* node) const;
  size_t NodeCount() const { return pool_.LiveCount(); }

  // Repaints the node's row after its Data changed.
  void InvalidateNode(TTreeNode* node);

  // --- check boxes ---------------------------------------------------------------------
  void SetCheckType(TTreeNode* node, TCheckType type);
  // By the program (no hook). Checked or unchecked on a tri-state node is pushed down to
  // every box below it; any change of the checked/mixed/unchecked value is summed up into
  // the ancestors: all boxes of a tri-state parent checked -> checked, none checked or
  // mixed -> unchecked, otherwise mixed. False when the state is not possible (mixed on a
  // plain check box) or node is null.
  bool SetCheckState(TTreeNode* node, TCheckState state);
  // By the user: the checking hook is asked first.
  bool UserSetCheckState(TTreeNode* node, TCheckState state);
  // A click on the box: checked becomes unchecked, unchecked and mixed become checked.
  bool UserToggleCheck(TTreeNode* node);
  // The pressed look while the mouse button is held; changes nothing else.
  void SetPressed(TTreeNode* node, bool pressed);
  void SetCheckingHook(TCheckingHook hook) { checkingHook_ = std::move(hook); }

  // --- expansion -----------------------------------------------------------------------
  void SetExpanded(TTreeNode* node, bool expanded);
  // By the user: the expanding hook is asked first.
  bool UserSetExpanded(TTreeNode* node, bool expanded);
  void SetExpandingHook(TExpandingHook hook) { expandingHook_ = std::move(hook); }

  // --- focus ---------------------------------------------------------------------------
  TTreeNode* FocusedNode() const { return focused_; }
  void SetFocusedNode(TTreeNode* node);

  // --- rows (nodes whose ancestors are all expanded) -------------------------------------
  static constexpr size_t npos = static_cast<size_t>(-1);
  size_t VisibleRowCount() const { return root_.rowsBelow_; }
  bool IsVisible(const TTreeNode* node) const;
  // Both walk the siblings before the row: paint consecutive rows with NextVisible.
  TTreeNode* NodeAtRow(size_t row) const;   // null past the end
  size_t RowOf(const TTreeNode* node) const;  // npos when hidden or null
  TTreeNode* NextVisible(const TTreeNode* node) const;
  TTreeNode* PrevVisible(const TTreeNode* node) const;

  // --- notifications -------------------------------------------------------------------
  void SetObserver(TTreeObserver* observer) { observer_ = observer; }
  // Between these, repaint notices are held back and sent as one StructureChanged at the
  // end; they nest.
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();

 private:
  static uint32_t TotalRows(const TTreeNode* n) { return 1 + (n->expanded_ ? n->rowsBelow_ : 0); }
  static void CountInParent(const TTreeNode* child, int sign);
  static bool ChildrenDisagree(const TTreeNode* n, TCheckState normal);
  void SetStateCounted(TTreeNode* n, TCheckState state);
  void PushDown(TTreeNode* n, TCheckState normal);
  void UpdateAncestors(TTreeNode* n);
  void AddRows(TTreeNode* parent, int64_t delta);
  void FreeSubtree(TTreeNode* n);
  void Unlink(TTreeNode* n);

  void NotifyNode(TTreeNode* n);
  void NotifySubtree(TTreeNode* n);
  void NotifyStructure();

  TTreeNode root_;  // hidden, always expanded, level -1
  TTreeNodePool pool_;
  TTreeNode* focused_ = nullptr;
  TTreeObserver* observer_ = nullptr;
  TCheckingHook checkingHook_;
  TExpandingHook expandingHook_;
  int updateCount_ = 0;
  bool updatePending_ = false;
};

// BeginUpdate/EndUpdate for a scope; a null tree is allowed.
class TTreeUpdate {
 public:
  explicit TTreeUpdate(TTreeModel* tree) : tree_(tree) {
    if (tree_) tree_->BeginUpdate();
  }
  ~TTreeUpdate() {
    if (tree_) tree_->EndUpdate();
  }
  TTreeUpdate(const TTreeUpdate&) = delete;
  TTreeUpdate& operator=(const TTreeUpdate&) = delete;

 private:
  TTreeModel* tree_;
};
