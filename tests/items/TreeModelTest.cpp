#include "items/TreeModel.h"

#include <gtest/gtest.h>

#include <vector>

#include "items/ResultRows.h"

namespace {

struct TRecorder : TTreeObserver {
  int nodeChanged = 0, subtreeChanged = 0, structureChanged = 0;
  std::vector<TTreeNode*> freed;
  void NodeChanged(TTreeNode*) override { ++nodeChanged; }
  void SubtreeChanged(TTreeNode*) override { ++subtreeChanged; }
  void StructureChanged() override { ++structureChanged; }
  void NodeFreeing(TTreeNode* n) override { freed.push_back(n); }
};

TTreeNode* AddBox(TTreeModel& tree, TTreeNode* parent, const char* caption) {
  Column4TreeData d;
  d.Caption = d.Kind = caption;
  return tree.AddChild(parent, d, TCheckType::TriState, TCheckState::Checked);
}

TTreeNode* AddFinding(TTreeModel& tree, TTreeNode* item, const std::string& caption) {
  return AddResultNode(&tree, caption, true, "", item, 5, "文件", "", caption);
}

// One group, two items with three findings each.
struct TSmallTree {
  TTreeModel tree;
  TTreeNode* group;
  TTreeNode* items[2];
  TTreeNode* findings[2][3];
  TSmallTree() {
    group = AddBox(tree, nullptr, "组");
    for (int i = 0; i < 2; ++i) {
      items[i] = AddBox(tree, group, i ? "乙" : "甲");
      for (int f = 0; f < 3; ++f) findings[i][f] = AddFinding(tree, items[i], std::to_string(f));
    }
  }
};

}  // namespace

TEST(TreeModel, ChecksPropagateUpAndDown) {
  TSmallTree t;
  EXPECT_EQ(t.group->Level(), 0);
  EXPECT_EQ(t.items[0]->Level(), 1);
  EXPECT_EQ(t.findings[0][0]->Level(), 2);
  EXPECT_EQ(t.group->CheckState(), TCheckState::Checked);

  // One finding off: its item and the group become mixed.
  EXPECT_TRUE(t.tree.UserToggleCheck(t.findings[0][1]));
  EXPECT_EQ(t.findings[0][1]->CheckState(), TCheckState::Unchecked);
  EXPECT_EQ(t.items[0]->CheckState(), TCheckState::Mixed);
  EXPECT_EQ(t.items[1]->CheckState(), TCheckState::Checked);
  EXPECT_EQ(t.group->CheckState(), TCheckState::Mixed);

  // All findings of the first item off: it is unchecked, the group still mixed.
  t.tree.UserToggleCheck(t.findings[0][0]);
  t.tree.UserToggleCheck(t.findings[0][2]);
  EXPECT_EQ(t.items[0]->CheckState(), TCheckState::Unchecked);
  EXPECT_EQ(t.group->CheckState(), TCheckState::Mixed);

  // The second item off as a whole: its findings follow, and the group is unchecked.
  t.tree.SetCheckState(t.items[1], TCheckState::Unchecked);
  for (TTreeNode* f : t.findings[1]) EXPECT_EQ(f->CheckState(), TCheckState::Unchecked);
  EXPECT_EQ(t.group->CheckState(), TCheckState::Unchecked);

  // Back to mixed from below, then the group checked from above reaches every finding.
  t.tree.UserToggleCheck(t.findings[1][2]);
  EXPECT_EQ(t.items[1]->CheckState(), TCheckState::Mixed);
  EXPECT_EQ(t.group->CheckState(), TCheckState::Mixed);
  EXPECT_TRUE(t.tree.UserToggleCheck(t.group));  // mixed -> checked
  EXPECT_EQ(t.group->CheckState(), TCheckState::Checked);
  for (auto& row : t.findings)
    for (TTreeNode* f : row) EXPECT_EQ(f->CheckState(), TCheckState::Checked);

  // A mixed item clicked becomes checked and completes its group.
  t.tree.UserToggleCheck(t.findings[0][0]);
  EXPECT_TRUE(t.tree.UserToggleCheck(t.items[0]));
  EXPECT_EQ(t.findings[0][0]->CheckState(), TCheckState::Checked);
  EXPECT_EQ(t.group->CheckState(), TCheckState::Checked);

  // Plain boxes have no mixed state.
  EXPECT_FALSE(t.tree.SetCheckState(t.findings[0][0], TCheckState::Mixed));
  EXPECT_EQ(t.findings[0][0]->CheckState(), TCheckState::Checked);
}

TEST(TreeModel, PressedLookCountsAsItsValue) {
  TSmallTree t;
  t.tree.UserToggleCheck(t.findings[0][0]);
  t.tree.SetPressed(t.items[0], true);
  EXPECT_EQ(t.items[0]->CheckState(), TCheckState::MixedPressed);
  EXPECT_TRUE(IsCheckedOrMixed(t.items[0]->CheckState()));
  t.tree.SetPressed(t.findings[1][0], true);
  EXPECT_EQ(t.findings[1][0]->CheckState(), TCheckState::CheckedPressed);
  EXPECT_EQ(t.items[1]->CheckState(), TCheckState::Checked);  // unchanged by the look
  // Releasing the button on a pressed box toggles its value and drops the look.
  EXPECT_TRUE(t.tree.UserToggleCheck(t.findings[1][0]));
  EXPECT_EQ(t.findings[1][0]->CheckState(), TCheckState::Unchecked);
  EXPECT_EQ(t.items[1]->CheckState(), TCheckState::Mixed);
  // A program may set a pressed state directly; it sums up as checked.
  t.tree.SetCheckState(t.findings[1][0], TCheckState::CheckedPressed);
  EXPECT_EQ(t.items[1]->CheckState(), TCheckState::Checked);
  EXPECT_FALSE(IsCheckedOrMixed(TCheckState::UncheckedPressed));
}

TEST(TreeModel, HooksRefuseOnlyTheUsersChanges) {
  TSmallTree t;
  bool locked = true;
  std::vector<std::pair<TTreeNode*, TCheckState>> asked;
  t.tree.SetCheckingHook([&](TTreeNode* n, TCheckState s) {
    asked.emplace_back(n, s);
    return !locked;
  });
  EXPECT_FALSE(t.tree.UserToggleCheck(t.items[0]));
  EXPECT_FALSE(t.tree.UserSetCheckState(t.findings[1][1], TCheckState::Unchecked));
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].first, t.items[0]);
  EXPECT_EQ(asked[0].second, TCheckState::Unchecked);
  EXPECT_EQ(asked[1].first, t.findings[1][1]);
  for (auto& row : t.findings)
    for (TTreeNode* f : row) EXPECT_EQ(f->CheckState(), TCheckState::Checked);
  // The drivers' own changes go through while the user is locked out.
  EXPECT_TRUE(t.tree.SetCheckState(t.items[0], TCheckState::Unchecked));
  EXPECT_EQ(t.group->CheckState(), TCheckState::Mixed);
  EXPECT_EQ(asked.size(), 2u);
  locked = false;
  EXPECT_TRUE(t.tree.UserToggleCheck(t.items[0]));
  EXPECT_EQ(t.group->CheckState(), TCheckState::Checked);

  t.tree.SetExpandingHook([&](TTreeNode*, bool expand) { return expand; });
  EXPECT_TRUE(t.tree.UserSetExpanded(t.group, true));
  EXPECT_FALSE(t.tree.UserSetExpanded(t.group, false));
  EXPECT_TRUE(t.group->Expanded());
}

TEST(TreeModel, DeletingKeepsSumsAndFocusSound) {
  TSmallTree t;
  TRecorder rec;
  t.tree.SetObserver(&rec);
  t.tree.SetFocusedNode(t.findings[0][2]);
  EXPECT_EQ(t.tree.NodeCount(), 9u);

  // The only unchecked finding goes: the rest decide.
  t.tree.UserToggleCheck(t.findings[0][2]);
  EXPECT_EQ(t.items[0]->CheckState(), TCheckState::Mixed);
  t.tree.DeleteNode(t.findings[0][2]);
  EXPECT_EQ(t.items[0]->CheckState(), TCheckState::Checked);
  EXPECT_EQ(t.group->CheckState(), TCheckState::Checked);
  EXPECT_EQ(t.tree.FocusedNode(), nullptr);
  EXPECT_EQ(t.items[0]->ChildCount(), 2u);
  EXPECT_EQ(t.items[0]->LastChild(), t.findings[0][1]);
  EXPECT_EQ(t.findings[0][1]->NextSibling(), nullptr);
  ASSERT_EQ(rec.freed.size(), 1u);

  // Removing all children leaves a mixed item mixed (nothing to recompute from).
  t.tree.UserToggleCheck(t.findings[1][0]);
  t.tree.DeleteChildren(t.items[1]);
  EXPECT_EQ(t.items[1]->CheckState(), TCheckState::Mixed);
  EXPECT_EQ(t.items[1]->FirstChild(), nullptr);
  EXPECT_EQ(t.items[1]->ChildCount(), 0u);
  EXPECT_EQ(t.group->CheckState(), TCheckState::Mixed);
  EXPECT_EQ(rec.freed.size(), 4u);

  // Freed nodes are reused; new children start the sums afresh.
  TTreeNode* again = AddFinding(t.tree, t.items[1], "新");
  EXPECT_EQ(again->Data.Caption, "新");
  EXPECT_EQ(again->PrevSibling(), nullptr);
  EXPECT_EQ(t.items[1]->CheckState(), TCheckState::Checked);
  EXPECT_EQ(t.group->CheckState(), TCheckState::Checked);
  EXPECT_EQ(t.tree.NodeCount(), 6u);

  // A whole group: items and findings are freed children first.
  rec.freed.clear();
  t.tree.DeleteNode(t.group);
  EXPECT_EQ(t.tree.NodeCount(), 0u);
  EXPECT_EQ(t.tree.GetFirst(), nullptr);
  ASSERT_EQ(rec.freed.size(), 6u);
  EXPECT_EQ(rec.freed.back(), t.group);
  EXPECT_EQ(t.tree.VisibleRowCount(), 0u);
  t.tree.SetObserver(nullptr);
}

TEST(TreeModel, RowsFollowExpansion) {
  TTreeModel tree;
  // Two groups; the first with three items of 0, 2 and 4 findings.
  TTreeNode* g1 = AddBox(tree, nullptr, "g1");
  TTreeNode* g2 = AddBox(tree, nullptr, "g2");
  for (int i = 0; i < 3; ++i) {
    TTreeNode* item = AddBox(tree, g1, "i");
    for (int f = 0; f < 2 * i; ++f) AddFinding(tree, item, "f");
  }
  AddBox(tree, g2, "j");
  EXPECT_EQ(tree.VisibleRowCount(), 2u);
  EXPECT_EQ(tree.NodeAtRow(1), g2);
  EXPECT_EQ(tree.RowOf(g1->FirstChild()), TTreeModel::npos);

  // Expansions in any order: inner ones are remembered while the group is collapsed.
  tree.SetExpanded(g1->LastChild(), true);
  EXPECT_EQ(tree.VisibleRowCount(), 2u);
  tree.SetExpanded(g1, true);
  tree.SetExpanded(g2, true);
  EXPECT_EQ(tree.VisibleRowCount(), 2u + 3 + 4 + 1);
  AddFinding(tree, g1->LastChild(), "late");  // appended while shown
  EXPECT_EQ(tree.VisibleRowCount(), 11u);

  // Every row maps to its node and back, and the visible walk matches the rows.
  std::vector<TTreeNode*> rows;
  for (TTreeNode* n = tree.GetFirst(); n; n = tree.NextVisible(n)) rows.push_back(n);
  ASSERT_EQ(rows.size(), tree.VisibleRowCount());
  for (size_t r = 0; r < rows.size(); ++r) {
    EXPECT_EQ(tree.NodeAtRow(r), rows[r]) << r;
    EXPECT_EQ(tree.RowOf(rows[r]), r) << r;
    EXPECT_EQ(tree.PrevVisible(rows[r]), r ? rows[r - 1] : nullptr) << r;
  }
  EXPECT_EQ(tree.NodeAtRow(rows.size()), nullptr);
  EXPECT_EQ(rows[6]->Data.Caption, "f");
  EXPECT_EQ(rows.back(), g2->FirstChild());

  // Collapsing the middle item's parent hides its findings; deleting updates the count.
  tree.SetExpanded(g1, false);
  EXPECT_EQ(tree.VisibleRowCount(), 3u);
  tree.SetExpanded(g1, true);
  tree.DeleteChildren(g1->LastChild());
  EXPECT_EQ(tree.VisibleRowCount(), 6u);

  // Pre-order over every node, shown or not.
  size_t all = 0;
  for (TTreeNode* n = tree.GetFirst(); n; n = tree.GetNext(n)) ++all;
  EXPECT_EQ(all, tree.NodeCount());
  EXPECT_EQ(all, 8u);
}

TEST(TreeModel, UpdatesAreBatched) {
  TSmallTree t;
  TRecorder rec;
  t.tree.SetObserver(&rec);
  t.tree.SetExpanded(t.group, true);
  EXPECT_EQ(rec.structureChanged, 1);
  t.tree.SetFocusedNode(t.items[1]);
  EXPECT_EQ(rec.nodeChanged, 1);
  t.tree.SetCheckState(t.items[1], TCheckState::Unchecked);
  EXPECT_EQ(rec.subtreeChanged, 1);  // the item and its findings in one notice
  EXPECT_GE(rec.nodeChanged, 2);     // the group's box changed too

  rec = TRecorder();
  {
    TTreeUpdate outer(&t.tree);
    TTreeUpdate inner(&t.tree);
    AddFinding(t.tree, t.items[0], "x");
    t.tree.SetCheckState(t.group, TCheckState::Checked);
    t.tree.SetExpanded(t.items[0], true);
  }
  EXPECT_EQ(rec.nodeChanged + rec.subtreeChanged, 0);
  EXPECT_EQ(rec.structureChanged, 1);

  t.tree.Clear();
  EXPECT_EQ(rec.freed.size(), 10u);
  EXPECT_EQ(t.tree.NodeCount(), 0u);
  EXPECT_EQ(t.tree.FocusedNode(), nullptr);
  EXPECT_EQ(t.tree.VisibleRowCount(), 0u);
  EXPECT_NE(AddBox(t.tree, nullptr, "g"), nullptr);
  EXPECT_EQ(t.tree.VisibleRowCount(), 1u);
  t.tree.SetObserver(nullptr);
}

TEST(TreeModel, SiblingLinksHoldWhateverChildGoes) {
  TTreeModel tree;
  TTreeNode* item = tree.AddChild(nullptr, Column4TreeData{"item", "", "", "item", "", -1}, TCheckType::TriState);
  std::vector<TTreeNode*> f;
  for (const char* c : {"0", "1", "2", "3", "4"}) f.push_back(AddFinding(tree, item, c));
  auto order = [&] {
    std::string forward, backward;
    for (TTreeNode* n = item->FirstChild(); n; n = n->NextSibling()) forward += n->Data.Caption;
    for (TTreeNode* n = item->LastChild(); n; n = n->PrevSibling()) backward = n->Data.Caption + backward;
    return forward == backward ? forward : forward + "/" + backward;
  };
  EXPECT_EQ(order(), "01234");
  tree.DeleteNode(f[0]);
  EXPECT_EQ(order(), "1234");
  tree.DeleteNode(f[2]);
  EXPECT_EQ(order(), "134");
  tree.DeleteNode(f[4]);
  EXPECT_EQ(order(), "13");
  AddFinding(tree, item, "5");
  EXPECT_EQ(order(), "135");
  tree.DeleteNode(f[1]);
  tree.DeleteNode(f[3]);
  EXPECT_EQ(order(), "5");
  EXPECT_EQ(item->ChildCount(), 1u);
  TTreeNode* second = tree.AddChild(nullptr, Column4TreeData{"second", "", "", "second", "", -1});
  EXPECT_EQ(tree.GetLast(), second);
  EXPECT_EQ(second->PrevSibling(), item);
  EXPECT_EQ(item->PrevSibling(), nullptr);
  tree.DeleteNode(item);
  EXPECT_EQ(tree.GetFirst(), second);
  EXPECT_EQ(tree.GetLast(), second);
  EXPECT_EQ(second->PrevSibling(), nullptr);
}
