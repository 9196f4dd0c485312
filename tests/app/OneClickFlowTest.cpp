// The one-click flow's steps on a real result tree, with the home page recorded: the rows
// and their states, the progress, and the four ways a run ends.
#include "app/OneClickFlow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class TRecordingPage : public TOneClickPage {
 public:
  std::vector<std::string> Calls;
  int Progress = -1, Maximum = 0;
  bool CancelEnabled = false, AutoShutdown = false;

  void ShowRunning() override { Calls.push_back("running"); }
  void ShowFinished() override { Calls.push_back("finished"); }
  void ShowNothingToClean() override { Calls.push_back("nothing"); }
  void ShowCancelled() override { Calls.push_back("cancelled"); }
  void ResetProgress(int maximum) override {
    Maximum = maximum;
    Progress = 0;
  }
  void StepProgress() override { ++Progress; }
  void EnableCancel(bool enabled) override { CancelEnabled = enabled; }
  bool AutoShutdownChecked() override { return AutoShutdown; }
  void ExpandRow(TTreeNode* row) override { Calls.push_back("expand " + row->Data.Caption); }
  void RepaintRow(TTreeNode*) override {}
};

struct Flow {
  TTreeModel results;
  TRecordingPage page;
  int cleans = 0, shutdowns = 0;
  // The clean reports its steps as the clean driver does.
  TOneClickFlow flow{results, page, {[this] {
                                       ++cleans;
                                       for (int step : {7, 9, 10, 11}) flow.ReportStep(step, false);
                                     },
                                     [this] { ++shutdowns; }}};

  // Row caption -> state text, in tree order.
  std::vector<std::pair<std::string, std::string>> Rows() const {
    std::vector<std::pair<std::string, std::string>> out;
    const TTreeNode* root = results.GetFirst();
    if (!root) return out;
    out.emplace_back(root->Data.Caption, root->Data.Path);
    for (const TTreeNode* r = root->FirstChild(); r; r = r->NextSibling()) out.emplace_back(r->Data.Caption, r->Data.Path);
    return out;
  }
  void Scan(std::vector<int> steps, bool stopped = false) {
    for (int step : steps) flow.ReportStep(step, stopped);
  }
};

using Rows = std::vector<std::pair<std::string, std::string>>;

}  // namespace

TEST(OneClickFlow, AWholeRunGoesThroughEveryRowAndEndsWithTheFinishedPage) {
  Flow f;
  f.results.AddChild(nullptr, Column4TreeData{"上次的行", "", "", "", "", -1});
  f.flow.Start();
  EXPECT_EQ(f.page.Calls, std::vector<std::string>{"running"});
  EXPECT_EQ(f.results.GetFirst(), nullptr) << "the last run's rows are gone";
  EXPECT_EQ(f.page.Maximum, 12);
  EXPECT_TRUE(f.page.CancelEnabled);

  f.Scan({0, 1, 2});
  EXPECT_EQ(f.Rows(), (Rows{{"Purvex的项目有：", ""}, {"上网历史痕迹", "扫描完成"}, {"系统历史痕迹和临时文件", "正在扫描中..."}}));
  EXPECT_EQ(f.page.Calls.back(), "expand Purvex的项目有：");
  f.Scan({3, 4});
  EXPECT_EQ(f.Rows().back(), (std::pair<std::string, std::string>{"注册表冗余信息", "正在扫描中..."}));
  f.Scan({5, 6});
  EXPECT_EQ(f.cleans, 1);
  EXPECT_FALSE(f.page.CancelEnabled) << "the clean cannot be cancelled";
  EXPECT_EQ(f.Rows(), (Rows{{"Purvex的项目有：", ""},
                            {"上网历史痕迹", "清理完成"},
                            {"系统历史痕迹和临时文件", "清理完成"},
                            {"应用程序历史记录", "清理完成"},
                            {"注册表冗余信息", "清理完成"}}));
  EXPECT_EQ(f.page.Progress, 10) << "steps 0 to 7, 9 and 10 advance the bar; 11 ends it";
  EXPECT_EQ(f.page.Calls.back(), "finished");
  EXPECT_EQ(f.shutdowns, 0);
}

TEST(OneClickFlow, WithoutTheFirstGroupTheSystemRowFirstAppearsAtTheScansEnd) {
  Flow f;
  f.flow.SetServer(true);
  f.flow.Start();
  f.page.AutoShutdown = true;
  f.Scan({0, 2, 3, 4, 5});
  EXPECT_EQ(f.Rows(), (Rows{{"Purvex的项目有：", ""}, {"上网历史痕迹", "正在扫描中..."}, {"应用程序历史记录", "扫描完成"}}))
      << "a server has no registry row";
  f.Scan({6});
  EXPECT_EQ(f.Rows()[3], (std::pair<std::string, std::string>{"系统历史痕迹和临时文件", "清理完成"}));
  EXPECT_EQ(f.shutdowns, 1) << "switched off right after the clean";
  EXPECT_EQ(std::count(f.page.Calls.begin(), f.page.Calls.end(), "finished"), 0) << "no final page";
}

TEST(OneClickFlow, ACancelledScanCleansNothingAndAnEmptyScanEndsWithNothingToClean) {
  Flow f;
  f.flow.Start();
  f.Scan({0, 1, 2, 3}, false);
  f.Scan({4, 5, 6}, true);  // the user pressed cancel during the fourth group
  f.flow.Cancelled();
  EXPECT_EQ(f.cleans, 0);
  EXPECT_EQ(f.page.Calls.back(), "cancelled");

  f.flow.Start();
  f.Scan({0, 1, 2, 3, 4, 5});
  f.flow.ReportStep(12, false);  // the clean found nothing to do
  EXPECT_EQ(f.Rows()[1].second, "扫描完成");
  EXPECT_EQ(f.Rows()[2].second, "扫描完成");
  EXPECT_EQ(f.page.Calls.back(), "nothing");
}
