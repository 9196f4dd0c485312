// 100,000 findings under 40 items: the size of a large junk scan. Correctness is asserted,
// the timings are printed for whoever tunes the model.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include "items/ResultRows.h"

namespace {

constexpr int kGroups = 2;
constexpr int kItemsPerGroup = 20;
constexpr int kFindingsPerItem = 2500;
constexpr size_t kFindings = size_t(kGroups) * kItemsPerGroup * kFindingsPerItem;

struct TStopwatch {
  LARGE_INTEGER frequency, start;
  TStopwatch() {
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
  }
  void Lap(const char* what) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    double ms = 1000.0 * double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
    std::printf("  %-40s %8.2f ms\n", what, ms);
    start = now;
  }
};

// Every finding of every item has the given value, and items and groups agree with them.
void ExpectAll(TTreeModel& tree, TCheckState expected) {
  size_t findings = 0, wrong = 0;
  for (TTreeNode* g = tree.GetFirst(); g; g = g->NextSibling()) {
    EXPECT_EQ(g->CheckState(), expected);
    for (TTreeNode* item = g->FirstChild(); item; item = item->NextSibling()) {
      EXPECT_EQ(item->CheckState(), expected);
      for (TTreeNode* f = item->FirstChild(); f; f = f->NextSibling()) {
        ++findings;
        if (f->CheckState() != expected) ++wrong;
      }
    }
  }
  EXPECT_EQ(findings, kFindings);
  EXPECT_EQ(wrong, 0u);
}

}  // namespace

TEST(TreeScale, HundredThousandFindingsUnderFortyItems) {
  TTreeModel tree;
  TScanTotals totals;
  TStopwatch watch;
  std::vector<TTreeNode*> items;
  for (int g = 0; g < kGroups; ++g) {
    TTreeNode* group = AddResultNode(&tree, "组", false, "", nullptr, 0, "组", "", "");
    tree.SetCheckType(group, TCheckType::TriState);
    for (int i = 0; i < kItemsPerGroup; ++i) {
      TTreeNode* item = AddResultNode(&tree, "项", false, "", group, 1, "项", "", "推荐");
      tree.SetCheckType(item, TCheckType::TriState);
      tree.SetCheckState(item, TCheckState::Checked);
      items.push_back(item);
    }
    tree.SetExpanded(group, true);
  }
  for (TTreeNode* item : items) {
    tree.SetExpanded(item, true);  // shown while they fill, as during a scan
    int64_t itemSize = 0;
    int32_t itemCount = 0;
    for (int f = 0; f < kFindingsPerItem; ++f) {
      AddResultNode(&tree, "C:\\Documents and Settings\\用户\\Local Settings\\Temp\\file.tmp", true,
                    "", item, 0, "文件", "", "file.tmp");
      CountFinding(f, itemSize, itemCount, totals);
    }
    SetItemSuffix(&tree, item, "(2500个文件)");
    EXPECT_EQ(itemCount, kFindingsPerItem);
  }
  watch.Lap("add 100,000 findings");
  EXPECT_EQ(tree.NodeCount(), kFindings + items.size() + kGroups);
  EXPECT_EQ(totals.Count, static_cast<int64_t>(kFindings));
  EXPECT_EQ(totals.Size, int64_t(items.size()) * (kFindingsPerItem - 1) * kFindingsPerItem / 2);
  EXPECT_EQ(tree.VisibleRowCount(), tree.NodeCount());
  ExpectAll(tree, TCheckState::Checked);

  // Every finding unchecked one by one, as clicks: each is summed up without a recount.
  for (TTreeNode* item : items)
    for (TTreeNode* f = item->FirstChild(); f; f = f->NextSibling()) tree.UserToggleCheck(f);
  watch.Lap("uncheck each finding");
  ExpectAll(tree, TCheckState::Unchecked);

  // Rechecked through their items.
  for (TTreeNode* item : items) tree.UserToggleCheck(item);
  watch.Lap("recheck through the 40 items");
  ExpectAll(tree, TCheckState::Checked);

  // Rows deep in the list map both ways.
  size_t last = tree.VisibleRowCount() - 1;
  EXPECT_EQ(tree.NodeAtRow(last), items.back()->LastChild());
  EXPECT_EQ(tree.RowOf(items.back()->LastChild()), last);
  watch.Lap("row lookups at the end");

  ClearFindings(&tree);
  watch.Lap("clear findings");
  EXPECT_EQ(tree.NodeCount(), items.size() + kGroups);
  EXPECT_EQ(tree.VisibleRowCount(), tree.NodeCount());
  for (TTreeNode* item : items) {
    EXPECT_EQ(item->CheckState(), TCheckState::Checked);
    EXPECT_EQ(item->Data.Caption, "项");
  }
  std::printf("  node size %u bytes\n", static_cast<unsigned>(sizeof(TTreeNode)));
}
