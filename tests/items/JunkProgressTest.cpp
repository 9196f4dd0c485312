// The junk group during a scan, against the real engine scanning a temporary folder of
// our own: the polls' budget, the final fetch, which captions show numbers, the summary.
#include "items/JunkProgress.h"

#include <gtest/gtest.h>

#include <map>

#include "helpers/RecordingDriverView.h"
#include "helpers/TempFolder.h"
#include "helpers/TempRedirect.h"
#include "helpers/TreeFixtures.h"
#include "helpers/RemoverCoverage.h"
#include "items/ItemSummary.h"
#include "junk/SysSweeperWrapper.h"
#include "system/WideText.h"

namespace {

const char kUserTemp[] = "用户临时文件";

void MakeFiles(const TTempFolder& dir, int count) {
  for (int i = 0; i < count; ++i) {
    HANDLE h = CreateFileW(dir.File(L"junk" + std::to_wstring(i) + L".tmp").c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_NEW, 0, nullptr);
    DWORD done = 0;
    WriteFile(h, "0123456789", 10, &done, nullptr);
    CloseHandle(h);
  }
}

// A temporary folder of count junk files that the user-temporary category scans.
struct TTempJunk {
  TTempFolder dir;
  TTempRedirect redirect;
  explicit TTempJunk(int count) : redirect((MakeFiles(dir, count), GbkFromWide(dir.Path())).c_str()) {}
};

// The item tree with its junk group; only the user-temporary category checked.
struct Bench {
  TCleanWrapper engine;
  TTreeModel tree;
  TRunState state;
  TRecordingDriverView view;
  TItemTreeResult items;
  bool timerOn = false;
  TJunkProgress progress{tree, state, view, engine, [this](bool on) { timerOn = on; }};
  TTreeNode* temp = nullptr;

  Bench() {
    engine.Initialize();
    engine.Prepare();
    engine.LoadSettings();
    items = BuildItemTree(tree, Windows7(), engine, false, TReadItemChecked());
    progress.SetCategories(items.JunkCategories);
    for (const TJunkCategoryNode& c : items.JunkCategories) {
      tree.SetCheckState(c.Node, TCheckState::Unchecked);
      if (c.Node->Data.Kind == kUserTemp) temp = c.Node;
    }
  }
  const TJunkCategoryRecord& Record(const TTreeNode* node) const {
    for (const TJunkCategoryRecord& r : progress.Records())
      if (r.Node == node) return r;
    return progress.Records().front();
  }
  bool WaitScanDone() {
    for (DWORD start = GetTickCount(); !engine.IsScanDone();) {
      if (GetTickCount() - start > 20000) return false;
      Sleep(10);
    }
    return true;
  }
};

}  // namespace

TEST(JunkProgress, PollsAddAtMostThreeHundredPerCategoryAndTheFinalPollTheRest) {
  TTempJunk junk(1000);
  Bench b;
  ASSERT_NE(b.temp, nullptr);
  b.tree.SetCheckState(b.temp, TCheckState::Checked);
  b.progress.PrepareJunkScan();
  ASSERT_TRUE(b.engine.StartScan());
  ASSERT_TRUE(b.WaitScanDone());

  b.progress.PollJunkFindings(false, false);
  EXPECT_EQ(b.temp->ChildCount(), 300u);
  EXPECT_EQ(b.temp->Data.Caption, kUserTemp + FormatSummary(1000, "文件", 10000))
      << "the caption shows the engine's totals while the tree catches up";
  b.progress.PollJunkFindings(false, false);
  EXPECT_EQ(b.temp->ChildCount(), 600u);
  b.progress.PollJunkFindings(false, true);
  EXPECT_EQ(b.temp->ChildCount(), 1000u);
  EXPECT_EQ(b.Record(b.temp).FetchedCount, 1000);
  EXPECT_EQ(b.Record(b.temp).FetchedSize, 10000);
  EXPECT_EQ(b.state.Totals.Count, 1000);
  EXPECT_EQ(b.state.Totals.Size, 10000);
  const TTreeNode* first = b.temp->FirstChild();
  EXPECT_EQ(first->Data.Kind, "文件");
  EXPECT_EQ(first->Data.Caption, first->Data.Path);
  EXPECT_EQ(first->Data.Root, first->Data.Path.substr(0, 3)) << "the drive's root, where the engine's walks start";
  EXPECT_TRUE(first->Data.Name.empty());
  EXPECT_EQ(first->CheckState(), TCheckState::Checked);
  THandlerTable table;
  RegisterJunkGroupCleaner(table);
  EXPECT_EQ(FindingsWithoutRemover(b.tree, table), std::vector<std::string>()) << "the junk group removes its files";
  b.progress.PollJunkFindings(false, true);
  EXPECT_EQ(b.temp->ChildCount(), 1000u) << "nothing is fetched twice";

  b.progress.PrepareJunkScan();
  EXPECT_EQ(b.Record(b.temp).FetchedCount, 0) << "every scan counts afresh";
}

TEST(JunkProgress, RunJunkScanWaitsWithTheTimerOnAndLeavesEveryFindingInTheTree) {
  TTempJunk junk(700);
  Bench b;
  ASSERT_NE(b.temp, nullptr);
  b.tree.SetCheckState(b.temp, TCheckState::Checked);
  TTreeNode* unchecked = b.items.JunkCategories.front().Node == b.temp ? b.items.JunkCategories.back().Node
                                                                      : b.items.JunkCategories.front().Node;
  b.tree.SetCheckState(unchecked, TCheckState::Unchecked);
  unchecked->Data.Caption = unchecked->Data.Kind + "(旧的结果)";
  int polls = 0;
  std::string scanningText;
  b.view.OnProcessMessages = [&] {
    if (!b.timerOn) return;
    b.progress.TmrRubbishTimer();  // what the window's timer does between two waits
    ++polls;
    scanningText = b.view.Desc1;
    EXPECT_TRUE(b.timerOn) << "the timer event switches the timer on again";
  };
  b.progress.PrepareJunkScan();
  EXPECT_FALSE(b.engine.GetItemChecked(b.Record(unchecked).Category)) << "the engine skips unchecked categories";
  b.view.Caption = "停止";  // as the scan driver leaves it while a scan runs
  b.progress.RunJunkScan();
  EXPECT_FALSE(b.timerOn);
  EXPECT_FALSE(b.progress.StartFailed());
  EXPECT_GE(polls, 1);
  EXPECT_EQ(scanningText.rfind("正在扫描：", 0), 0u) << scanningText;
  EXPECT_EQ(b.temp->ChildCount(), 700u);
  EXPECT_EQ(b.temp->Data.Caption, kUserTemp + FormatSummary(700, "文件", 7000));
  EXPECT_EQ(unchecked->ChildCount(), 0u);
  EXPECT_EQ(unchecked->Data.Caption, unchecked->Data.Kind + "(旧的结果)") << "an unchecked category keeps its caption";
  TTextStyle style = TTextStyle::Warning;
  EXPECT_EQ(b.progress.JunkSummary(style), " 。建议您立即清理。");
  EXPECT_EQ(style, TTextStyle::Normal);
}

TEST(JunkProgress, AfterAStopOnlyCategoriesWithFindingsShowNumbers) {
  TTempJunk junk(5);
  Bench b;
  ASSERT_NE(b.temp, nullptr);
  b.tree.SetCheckState(b.temp, TCheckState::Checked);
  b.progress.PrepareJunkScan();
  ASSERT_TRUE(b.engine.StartScan());
  ASSERT_TRUE(b.WaitScanDone());
  // Other checked categories that the engine was not asked to scan found nothing.
  std::map<TTreeNode*, std::string> before;
  for (const TJunkCategoryNode& c : b.items.JunkCategories) {
    if (c.Node == b.temp) continue;
    b.tree.SetCheckState(c.Node, TCheckState::Checked);
    before[c.Node] = c.Node->Data.Caption;
  }
  ASSERT_FALSE(before.empty());
  b.progress.PollJunkFindings(true, true);
  EXPECT_EQ(b.temp->Data.Caption, kUserTemp + FormatSummary(5, "文件", 50));
  for (const auto& [node, caption] : before) EXPECT_EQ(node->Data.Caption, caption) << caption;

  b.progress.PollJunkFindings(false, true);
  for (const auto& [node, caption] : before)
    EXPECT_EQ(node->Data.Caption, node->Data.Kind + "(0个文件)") << "without a stop every checked category shows numbers";
}

TEST(JunkProgress, TheScanButtonBackAtItsIdleCaptionStopsTheEngine) {
  TTempJunk junk(50);
  Bench b;
  ASSERT_NE(b.temp, nullptr);
  b.tree.SetCheckState(b.temp, TCheckState::Checked);
  b.progress.PrepareJunkScan();
  b.view.Caption = "重新扫描";
  b.progress.RunJunkScan();
  EXPECT_EQ(b.engine.ScanState(), TCleanWrapper::kStopped);
  EXPECT_FALSE(b.timerOn);
  int count = 0;
  int64_t size = 0;
  b.engine.GetCategoryTotals(b.Record(b.temp).Category, count, size);
  EXPECT_EQ(static_cast<int>(b.temp->ChildCount()), count) << "what was found before the stop is fetched";
}

TEST(JunkProgress, WithoutTheEngineNoScanStartsAndTheSummaryIsThePlainAdvice) {
  TCleanWrapper missing("purvex-no-such-engine.dll");
  TTreeModel tree;
  TRunState state;
  TRecordingDriverView view;
  TItemTreeResult items = BuildItemTree(tree, Windows7(), missing, false, TReadItemChecked());
  EXPECT_EQ(items.JunkGroupNode, nullptr);
  // A record made by hand: the engine's start fails, which is not an empty scan.
  TTreeNode* group = tree.AddChild(nullptr, Column4TreeData{"垃圾文件清理", "", "", "垃圾文件清理", "", 46},
                                   TCheckType::TriState, TCheckState::Checked);
  TTreeNode* category = tree.AddChild(group, Column4TreeData{"类别", "推荐", "", "类别", "", 0}, TCheckType::TriState,
                                      TCheckState::Checked);
  bool timerUsed = false;
  TJunkProgress progress(tree, state, view, missing, [&](bool) { timerUsed = true; });
  progress.SetCategories({TJunkCategoryNode{category, 1}});
  progress.RunJunkScan();
  EXPECT_TRUE(progress.StartFailed());
  EXPECT_FALSE(timerUsed);
  EXPECT_EQ(category->ChildCount(), 0u);
  TTextStyle style = TTextStyle::Warning;
  EXPECT_EQ(progress.JunkSummary(style), " 。建议您立即清理。");
  EXPECT_EQ(style, TTextStyle::Normal);
}

TEST(JunkProgress, TheSummaryWarnsOnlyAboveItsThresholds) {
  EXPECT_EQ(JunkWarningFor(50000, 0), TJunkWarning::None);
  EXPECT_EQ(JunkWarningFor(50001, 0), TJunkWarning::TooMany);
  EXPECT_EQ(JunkWarningFor(10, 10737418240LL), TJunkWarning::None);
  EXPECT_EQ(JunkWarningFor(10, 10737418241LL), TJunkWarning::TooBig);
  EXPECT_EQ(JunkWarningFor(50001, 10737418241LL), TJunkWarning::TooMany) << "the count is looked at first";
}
