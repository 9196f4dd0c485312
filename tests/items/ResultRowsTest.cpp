#include "items/ResultRows.h"

#include <gtest/gtest.h>

#include "items/ItemSummary.h"
#include "system/ByteSizeText.h"

namespace {

struct TCountStructure : TTreeObserver {
  int structureChanged = 0;
  void StructureChanged() override { ++structureChanged; }
};

// A group with one tri-state item, as the catalogue builds them.
TTreeNode* AddGroup(TTreeModel& tree, const char* caption) {
  TTreeNode* g = AddResultNode(&tree, caption, false, "", nullptr, 39, caption, "", "");
  tree.SetCheckType(g, TCheckType::TriState);
  return g;
}
TTreeNode* AddItem(TTreeModel& tree, TTreeNode* group, const char* caption, bool checked) {
  TTreeNode* item = AddResultNode(&tree, caption, false, "", group, 9, caption, "", "推荐");
  tree.SetCheckType(item, TCheckType::TriState);
  tree.SetCheckState(item, checked ? TCheckState::Checked : TCheckState::Unchecked);
  return item;
}

}  // namespace

TEST(ResultRows, AddResultNodeFillsTheRecordAndFocusesTopLevelNodes) {
  EXPECT_EQ(AddResultNode(nullptr, "x", true, "", nullptr, 1, "", "", ""), nullptr);

  TTreeModel tree;
  TTreeNode* g1 = AddResultNode(&tree, "上网历史痕迹", false, "", nullptr, 39, "上网历史痕迹", "", "");
  EXPECT_EQ(tree.FocusedNode(), g1);
  TTreeNode* item = AddResultNode(&tree, "FireFox 清理", false, "", g1, 35, "FireFox 清理", "", "推荐");
  EXPECT_EQ(tree.FocusedNode(), g1);  // children leave the focus alone
  EXPECT_EQ(item->Data.ImageIndex, 35);
  EXPECT_EQ(item->Data.Path, "推荐");
  EXPECT_EQ(item->CheckType(), TCheckType::None);  // the catalogue decides items' boxes

  TTreeNode* f = AddResultNode(&tree, "C:\\p\\places.sqlite", true, "id>5", item, 35, "FireFox",
                               "moz_places", "C:\\p\\places.sqlite");
  EXPECT_EQ(f->Parent(), item);
  EXPECT_EQ(f->Level(), 2);
  EXPECT_EQ(f->CheckType(), TCheckType::CheckBox);
  EXPECT_EQ(f->CheckState(), TCheckState::Checked);
  EXPECT_EQ(f->Data.ImageIndex, -1);  // the image argument is ignored for findings
  EXPECT_EQ(f->Data.Root + "|" + f->Data.Kind + "|" + f->Data.Name, "id>5|FireFox|moz_places");

  TTreeNode* g2 = AddResultNode(&tree, "注册表", false, "", nullptr, 19, "注册表", "", "");
  EXPECT_EQ(tree.FocusedNode(), g2);
  EXPECT_EQ(g1->NextSibling(), g2);
  EXPECT_EQ(tree.TopCount(), 2u);
}

TEST(ResultRows, RegistryFindings) {
  TTreeModel tree;
  TTreeNode* item = AddItem(tree, AddGroup(tree, "注册表"), "无效的字体", true);
  const std::string key = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

  // No row without a key path or a caption, and none without an item.
  EXPECT_EQ(AddRegistryFinding(&tree, "字体", "", false, item, "HKEY_LOCAL_MACHINE", 61, "无效的字体",
                               "x", "Arial"),
            nullptr);
  EXPECT_EQ(AddRegistryFinding(&tree, "", key, true, item, "HKEY_LOCAL_MACHINE", 61, "", "", ""),
            nullptr);
  EXPECT_EQ(AddRegistryFinding(&tree, "字体", key, false, nullptr, "HKEY_LOCAL_MACHINE", 61, "", "",
                               ""),
            nullptr);
  EXPECT_EQ(item->ChildCount(), 0u);
  EXPECT_EQ(tree.NodeCount(), 2u);

  // The same value in both views gives two rows; only the 64-bit one is marked.
  const std::string caption = "HKEY_LOCAL_MACHINE\\" + key + "\\Arial";
  TTreeNode* plain = AddRegistryFinding(&tree, caption, key, false, item, "HKEY_LOCAL_MACHINE", 61,
                                        "无效的字体", "说明", "Arial");
  TTreeNode* wide = AddRegistryFinding(&tree, caption, key, true, item, "HKEY_LOCAL_MACHINE", 61,
                                       "无效的字体", "说明", "Arial");
  ASSERT_NE(plain, nullptr);
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(item->ChildCount(), 2u);
  EXPECT_EQ(plain->Data.Caption, caption);
  EXPECT_EQ(plain->Data.Kind, "");
  EXPECT_EQ(wide->Data.Caption, "64位分支:" + caption);
  EXPECT_EQ(wide->Data.Kind, "x64");
  for (TTreeNode* n : {plain, wide}) {
    EXPECT_EQ(n->Data.Path, key);
    EXPECT_EQ(n->Data.Name, "Arial");
    EXPECT_EQ(n->Data.Root, "HKEY_LOCAL_MACHINE");
    EXPECT_EQ(n->Data.ImageIndex, -1);  // image, category and extra text are not kept
    EXPECT_EQ(n->CheckState(), TCheckState::Checked);
  }
}

TEST(ResultRows, CountFindingAddsOnlyPositiveSizes) {
  TScanTotals totals;
  totals.Count = 7;  // earlier items of the same scan
  totals.Size = 100;
  int64_t itemSize = 0;
  int32_t itemCount = 0;
  CountFinding(0, itemSize, itemCount, totals);
  EXPECT_EQ(itemCount, 1);
  EXPECT_EQ(itemSize, 0);
  CountFinding(4096, itemSize, itemCount, totals);
  // A file of 2.5 GiB passed as the signed 32-bit size the handlers use.
  const int64_t big = 2684354560LL;
  CountFinding(static_cast<int32_t>(static_cast<uint32_t>(big)), itemSize, itemCount, totals);
  CountFinding(-1, itemSize, itemCount, totals);
  EXPECT_EQ(itemCount, 4);
  EXPECT_EQ(itemSize, 4096);
  EXPECT_EQ(totals.Count, 11);
  EXPECT_EQ(totals.Size, 4196);
  totals.Reset();
  EXPECT_EQ(totals.Count, 0);
  EXPECT_EQ(totals.Size, 0);
}

TEST(ResultRows, SummariesAndSuffixes) {
  const int64_t size = 5 * 1024 * 1024 + 300;
  EXPECT_EQ(FormatSummary(3, kUnitFiles, size), "(3个文件，共" + FormatByteSize(size) + ")");
  EXPECT_EQ(FormatSummary(0, kUnitItems, 0), "(0个项目)");
  EXPECT_EQ(FormatSummary(12, kUnitRecords, -5), "(12个记录)");
  EXPECT_EQ(FormatFileRegistrySummary(2, 5, 0), "(2个文件，5项注册表，共" + FormatByteSize(0) + ")");
  EXPECT_EQ(FormatFileSizeSummary(0, 0), "(0个文件，共" + FormatByteSize(0) + ")");

  TTreeModel tree;
  TTreeNode* item = AddItem(tree, AddGroup(tree, "应用程序历史记录"), "Windows画图", true);
  SetItemSuffix(&tree, item, FormatSummary(4, kUnitItems, 0));
  EXPECT_EQ(item->Data.Caption, "Windows画图(4个项目)");
  // A new summary replaces the old one.
  SetItemSuffix(&tree, item, kSuffixCleaned);
  EXPECT_EQ(item->Data.Caption, "Windows画图(清理完成)");
  SetItemSuffix(&tree, item, "");
  EXPECT_EQ(item->Data.Caption, "Windows画图");
  SetItemSuffix(&tree, nullptr, kSuffixRunning);  // ignored
  SetItemSuffix(nullptr, item, kSuffixRunning);   // no tree to repaint, caption still set
  EXPECT_EQ(item->Data.Caption, "Windows画图(正在运行，跳过)");
}

TEST(ResultRows, ClearFindingsKeepsItemsAndTheirStates) {
  TTreeModel tree;
  TTreeNode* g1 = AddGroup(tree, "系统历史痕迹和临时文件");
  TTreeNode* mixed = AddItem(tree, g1, "最近打开的文件", true);
  TTreeNode* full = AddItem(tree, g1, "清空回收站", true);
  TTreeNode* off = AddItem(tree, g1, "剪贴板内容", false);
  TTreeNode* g2 = AddGroup(tree, "注册表");
  TTreeNode* reg = AddItem(tree, g2, "无效的字体", true);
  for (int i = 0; i < 3; ++i) {
    AddResultNode(&tree, "f" + std::to_string(i), true, "", mixed, 6, "文件", "", "");
    AddResultNode(&tree, "r" + std::to_string(i), true, "", full, 46, "文件", "", "");
    AddRegistryFinding(&tree, "k", "Software\\K", false, reg, "HKEY_CURRENT_USER", 0, "", "", "");
  }
  tree.UserToggleCheck(mixed->FirstChild());
  SetItemSuffix(&tree, mixed, FormatSummary(3, kUnitFiles, 0));
  SetItemSuffix(&tree, full, FormatSummary(3, kUnitFiles, 1234));
  SetItemSuffix(&tree, off, kSuffixRunning);
  tree.SetExpanded(g1, true);
  tree.SetExpanded(mixed, true);
  ASSERT_EQ(mixed->CheckState(), TCheckState::Mixed);
  ASSERT_EQ(g1->CheckState(), TCheckState::Mixed);
  ASSERT_EQ(tree.NodeCount(), 15u);

  TCountStructure rec;
  tree.SetObserver(&rec);
  ClearFindings(&tree);
  tree.SetObserver(nullptr);
  EXPECT_EQ(rec.structureChanged, 1);  // one refresh for the whole reset
  EXPECT_EQ(tree.NodeCount(), 6u);
  for (TTreeNode* item : {mixed, full, off, reg}) {
    EXPECT_EQ(item->ChildCount(), 0u);
    EXPECT_EQ(item->Data.Caption, item->Data.Kind);
  }
  EXPECT_EQ(mixed->CheckState(), TCheckState::Mixed);
  EXPECT_EQ(full->CheckState(), TCheckState::Checked);
  EXPECT_EQ(off->CheckState(), TCheckState::Unchecked);
  EXPECT_EQ(reg->CheckState(), TCheckState::Checked);
  EXPECT_EQ(g1->CheckState(), TCheckState::Mixed);
  EXPECT_EQ(g2->CheckState(), TCheckState::Checked);
  EXPECT_EQ(g1->Data.Caption, "系统历史痕迹和临时文件");
  EXPECT_EQ(tree.VisibleRowCount(), 2u + 3);

  // The next scan's findings sum up from scratch.
  AddResultNode(&tree, "new", true, "", off, 0, "文件", "", "");
  EXPECT_EQ(off->CheckState(), TCheckState::Checked);
  ClearFindings(nullptr);  // ignored
}

TEST(FormatByteSize, TheShellsShortSizeText) {
  EXPECT_EQ(FormatByteSize(1024), "1.00 KB");
  EXPECT_EQ(FormatByteSize(8192), "8.00 KB");
  EXPECT_EQ(FormatByteSize(10117), "9.87 KB");
  EXPECT_EQ(FormatByteSize(1536 * 1024), "1.50 MB");
  EXPECT_EQ(FormatByteSize(5LL * 1024 * 1024 * 1024), "5.00 GB") << "sizes beyond 32 bits";
}
