#include "items/ScanDriver.h"

#include <gtest/gtest.h>

#include "helpers/RecordingDriverView.h"
#include "helpers/TreeFixtures.h"

#include <vector>

#include "items/ItemSummary.h"
#include "items/ItemTree.h"
#include "items/ResultRows.h"
#include "junk/SysSweeperWrapper.h"
#include "system/ByteSizeText.h"

namespace {




// A handler that adds n file findings of the given size each.
TItemHandler FilesHandler(int n, int32_t size) {
  TItemHandler h;
  h.UnitWord = "文件";
  h.Scan = [n, size](TItemScan& s) {
    for (int i = 0; i < n; ++i) {
      AddResultNode(s.Tree, "C:\\f" + std::to_string(i), true, "", s.Item, 0, "文件", "", "");
      ++s.Count;
      s.Size += size;
    }
  };
  return h;
}

struct Bench {
  TCleanWrapper noEngine{"purvex-no-such-engine.dll"};
  TTreeModel tree;
  TRunState state;
  TRecordingDriverView view;
  THandlerTable handlers;
  Bench() { BuildItemTree(tree, Windows7(), noEngine, false, TReadItemChecked()); }
};

}  // namespace

TEST(ScanDriver, StopDuringTheThirdGroupLeavesLaterItemsWithoutSummaries) {
  Bench b;
  TScanDriver driver(b.tree, b.state, b.view, b.handlers);
  b.handlers.Register("FireFox 清理", FilesHandler(2, 100));
  // Pressing "停止" while the walk runs: the press runs the stop request inside the walk.
  TItemHandler pressStop = FilesHandler(1, 10);
  auto scan = pressStop.Scan;
  pressStop.Scan = [&driver, scan](TItemScan& s) {
    scan(s);
    driver.ScanItems(false);
  };
  b.handlers.Register("文件打开与保存历史记录", pressStop);
  b.handlers.Register("最近打开的文件", FilesHandler(5, 1));
  b.handlers.Register("Windows画图", FilesHandler(5, 1));
  b.handlers.Register("无效的字体", FilesHandler(5, 1));

  driver.ScanItems(false);
  EXPECT_EQ(Find(b.tree, "FireFox 清理")->Data.Caption, "FireFox 清理" + FormatSummary(2, "文件", 200));
  EXPECT_EQ(Find(b.tree, "文件打开与保存历史记录")->ChildCount(), 1u);
  for (const char* later : {"最近打开的文件", "Windows画图", "无效的字体"}) {
    EXPECT_EQ(Find(b.tree, later)->Data.Caption, later) << "no summary after the stop";
    EXPECT_EQ(Find(b.tree, later)->ChildCount(), 0u);
  }
  EXPECT_EQ(b.state.Totals.Count, 3);
  EXPECT_EQ(b.state.Totals.Size, 210);
  EXPECT_EQ(b.view.Caption, "重新扫描");
  EXPECT_FALSE(b.state.Scanning);
  EXPECT_TRUE(b.view.CleanEnabled);
  EXPECT_EQ(b.view.Image, TAdvancedImage::Warning);
  EXPECT_EQ(b.view.Desc1, "扫描已经完成，共发现可清理项目 ");
  EXPECT_EQ(b.view.Desc2, "3个，占用磁盘空间" + FormatByteSize(210));
  EXPECT_EQ(b.view.Desc3, " 。建议您立即清理。");
}

TEST(ScanDriver, RunningApplicationIsSkippedAndASecondScanReplacesTheFirst) {
  Bench b;
  TItemHandler guarded = FilesHandler(4, 1);
  guarded.GuardExecutables = {"items_tests.exe"};  // this very program runs
  b.handlers.Register("Windows写字板", guarded);
  b.handlers.Register("剪贴板内容", FilesHandler(2, 0));
  TItemHandler unscanned;  // an application that is not installed: no summary at all
  unscanned.Scan = [](TItemScan& scan) { scan.Unscanned = true; };
  b.handlers.Register("Windows画图", unscanned);
  int starts = 0;
  b.handlers.OnScanStart([&starts] { ++starts; });
  TScanDriver driver(b.tree, b.state, b.view, b.handlers);
  driver.ScanItems(false);
  EXPECT_EQ(Find(b.tree, "Windows写字板")->Data.Caption, "Windows写字板(正在运行，跳过)");
  EXPECT_EQ(Find(b.tree, "Windows写字板")->ChildCount(), 0u);
  EXPECT_EQ(Find(b.tree, "剪贴板内容")->Data.Caption, "剪贴板内容(2个文件)");
  EXPECT_EQ(Find(b.tree, "Windows画图")->Data.Caption, "Windows画图");
  EXPECT_EQ(b.view.Desc2, "2个") << "no size text when nothing has a size";
  driver.ScanItems(false);
  EXPECT_EQ(b.state.Totals.Count, 2) << "totals of the second scan replace the first";
  EXPECT_EQ(starts, 2) << "each scan lets the groups forget what the last one found (the bin's count)";
  EXPECT_EQ(Find(b.tree, "剪贴板内容")->ChildCount(), 2u);
}

// Unticking one finding leaves its item mixed: the item is still selected, and the next
// scan replaces all its findings (before, it was skipped and lost them all).
TEST(ScanDriver, AMixedItemIsScannedAgainAndGetsAllItsFindingsBack) {
  Bench b;
  b.handlers.Register("剪贴板内容", FilesHandler(3, 0));
  TScanDriver driver(b.tree, b.state, b.view, b.handlers);
  driver.ScanItems(false);
  TTreeNode* item = Find(b.tree, "剪贴板内容");
  ASSERT_EQ(item->ChildCount(), 3u);
  b.tree.SetCheckState(item->FirstChild(), TCheckState::Unchecked);
  ASSERT_TRUE(IsMixed(item->CheckState()));
  driver.ScanItems(false);
  EXPECT_EQ(item->ChildCount(), 3u);
  EXPECT_EQ(item->Data.Caption, "剪贴板内容(3个文件)");
  EXPECT_EQ(b.state.Totals.Count, 3);
}

TEST(ScanDriver, NothingCheckedEndsAtOnceWithTheIdleLine) {
  Bench b;
  b.handlers.Register("剪贴板内容", FilesHandler(2, 5));
  SetAllChecked(b.tree, false);
  TScanDriver driver(b.tree, b.state, b.view, b.handlers);
  driver.ScanItems(false);
  EXPECT_EQ(b.state.Totals.Count, 0);
  EXPECT_FALSE(b.view.CleanEnabled);
  EXPECT_EQ(b.view.Image, TAdvancedImage::Application);
  EXPECT_EQ(b.view.Desc1, "很多软件会在使用后留下包含个人信息的使用痕迹，经常清理可以保护您的隐私！");
}

TEST(ScanDriver, OneClickStepsInOrderAndWithoutTheWebGroup) {
  Bench b;
  TScanDriver driver(b.tree, b.state, b.view, b.handlers);
  driver.ScanItems(true);
  EXPECT_EQ(b.view.Steps, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
  b.tree.SetCheckState(b.tree.GetFirst(), TCheckState::Unchecked);
  b.view.Steps.clear();
  b.view.Caption = "重新扫描";
  driver.ScanItems(true);
  EXPECT_EQ(b.view.Steps, (std::vector<int>{0, 2, 3, 4, 5, 6})) << "step 1 only when the first group is walked";
}

TEST(ScanDriver, StopRequestWhenNoWalkRunsReadiesTheWindow) {
  Bench b;
  bool junkStopped = false;
  b.view.Caption = "停止";
  b.state.Totals.Count = 3;
  TScanPhases phases;
  phases.JunkScanning = [] { return true; };
  phases.StopJunkScan = [&] { junkStopped = true; };
  TScanDriver withJunk(b.tree, b.state, b.view, b.handlers, phases);
  withJunk.ScanItems(false);
  EXPECT_TRUE(b.state.Stop);
  EXPECT_TRUE(junkStopped);
  EXPECT_TRUE(b.view.ScanEnabled);
  EXPECT_TRUE(b.view.CleanEnabled);
}
