#include "junk/SysSweeperWrapper.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TRubbishItem CategoryNamed(TCleanWrapper& w, const std::string& name) {
  for (TRubbishItem item = w.GetFirstCategory(); item != 0; item = w.GetNextItem(item))
    if (w.GetItemName(item) == name) return item;
  return 0;
}

void SelectOnly(TCleanWrapper& w, TRubbishItem only) {
  for (TRubbishItem item = w.GetFirstCategory(); item != 0; item = w.GetNextItem(item))
    w.SetItemChecked(item, item == only);
}

bool WaitDone(TCleanWrapper& w, DWORD ms) {
  DWORD start = GetTickCount();
  while (!w.IsScanDone()) {
    if (GetTickCount() - start > ms) return false;
    Sleep(10);
  }
  return true;
}

struct TempRedirect {
  explicit TempRedirect(const char* folder) {
    GetEnvironmentVariableA("TEMP", old, MAX_PATH);
    SetEnvironmentVariableA("TMP", folder);
    SetEnvironmentVariableA("TEMP", folder);
  }
  ~TempRedirect() {
    SetEnvironmentVariableA("TMP", old);
    SetEnvironmentVariableA("TEMP", old);
  }
  char old[MAX_PATH] = {};
};

const char kFixtureTree[] = "C:\\purvex-fixtures\\reparse\\tree";

}  // namespace

TEST(TCleanWrapper, AnswersByItselfWithoutTheEngine) {
  TCleanWrapper w("purvex-no-such-engine.dll");
  EXPECT_EQ(w.Availability(), 0);
  w.Initialize();
  w.Prepare();
  w.LoadSettings();
  EXPECT_EQ(w.GetCategoryCount(), 0);
  EXPECT_EQ(w.GetFirstCategory(), static_cast<TRubbishItem>(-1));
  EXPECT_EQ(w.GetNextItem(1), static_cast<TRubbishItem>(-1));
  EXPECT_EQ(w.GetItemName(1), "");
  EXPECT_FALSE(w.GetItemChecked(1));
  EXPECT_EQ(w.GetItemImageIndex(1), 0);
  int count = 7;
  int64_t size = 7;
  w.GetCategoryTotals(1, count, size);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(size, 0);
  w.StartScan();
  EXPECT_FALSE(w.IsScanning());
  EXPECT_EQ(w.ScanState(), TCleanWrapper::kIdle);
}

TEST(TCleanWrapper, ScansOnItsWorkerThreadAndConvertsTexts) {
  TCleanWrapper w;
  ASSERT_EQ(w.Availability(), 2);
  w.Initialize();
  w.Prepare();
  w.LoadSettings();
  EXPECT_GE(w.GetCategoryCount(), 7);
  TRubbishItem temp = CategoryNamed(w, "用户临时文件");  // GBK on our side
  ASSERT_NE(temp, 0u);
  SelectOnly(w, temp);
  TempRedirect redirect(kFixtureTree);
  w.StartScan();
  EXPECT_TRUE(w.IsScanning() || w.IsScanDone());
  ASSERT_TRUE(WaitDone(w, 10000));
  EXPECT_EQ(w.ScanState(), TCleanWrapper::kFinished);
  int count = 0;
  int64_t size = 0;
  w.GetCategoryTotals(temp, count, size);
  std::set<std::string> files;
  for (int i = 0; i < count; ++i) {
    std::string path;
    int64_t s = 0;
    EXPECT_TRUE(w.GetCategoryFile(temp, i, path, s));
    files.insert(path);
  }
  EXPECT_EQ(files, (std::set<std::string>{std::string(kFixtureTree) + "\\own.tmp",
                                          std::string(kFixtureTree) + "\\sub\\deep.tmp"}));
  std::string path;
  int64_t s = 0;
  EXPECT_FALSE(w.GetCategoryFile(temp, count, path, s));
  EXPECT_EQ(w.GetScanningPath(), "");
}

TEST(TCleanWrapper, StopLeavesTheStoppedState) {
  TCleanWrapper w;
  ASSERT_EQ(w.Availability(), 2);
  // Every recommended category of the bench: long enough to be stopped while it runs.
  w.StartScan();
  w.StopScan();
  EXPECT_EQ(w.ScanState(), TCleanWrapper::kStopped);
  EXPECT_TRUE(w.IsScanDone());
  Sleep(300);  // the worker has returned by now and must not overwrite the stop
  EXPECT_EQ(w.ScanState(), TCleanWrapper::kStopped);
  // A new scan starts from the stopped state.
  w.StartScan();
  EXPECT_TRUE(WaitDone(w, 20000));
}
