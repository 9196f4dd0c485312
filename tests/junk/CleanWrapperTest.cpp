#include "junk/SysSweeperWrapper.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <vector>

#include "helpers/TempFolder.h"
#include "helpers/TempRedirect.h"
#include "system/WideText.h"

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
  EXPECT_FALSE(w.StartScan()) << "no engine, no scan: not a finished, empty one";
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
  TTempRedirect redirect(kFixtureTree);
  EXPECT_TRUE(w.StartScan());
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

namespace {
// A temporary folder with enough files that a scan of it can be stopped while it runs.
struct BigTemp {
  TTempFolder tree;
  std::string path = GbkFromWide(tree.Path());
  BigTemp() {
    for (int d = 0; d < 20; ++d) {
      std::wstring folder = tree.File(L"d" + std::to_wstring(d));
      CreateDirectoryW(folder.c_str(), nullptr);
      for (int f = 0; f < 100; ++f) {
        HANDLE h = CreateFileW((folder + L"\\f" + std::to_wstring(f) + L".tmp").c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, 0, nullptr);
        CloseHandle(h);
      }
    }
  }
};
}  // namespace

TEST(TCleanWrapper, AStopEndsTheWorkerAndTheNextScanIsWhole) {
  BigTemp big;
  TTempRedirect redirect(big.path.c_str());
  TCleanWrapper w;
  ASSERT_EQ(w.Availability(), 2);
  const TRubbishItem temp = CategoryNamed(w, "用户临时文件");
  SelectOnly(w, temp);
  // Stopped at once, before the worker may even have reached the engine: the stop holds.
  w.StartScan();
  w.StopScan();
  EXPECT_EQ(w.ScanState(), TCleanWrapper::kStopped);
  EXPECT_TRUE(w.IsScanDone());
  int count = 0, later = 0;
  int64_t size = 0;
  w.GetCategoryTotals(temp, count, size);
  Sleep(300);
  w.GetCategoryTotals(temp, later, size);
  EXPECT_EQ(later, count) << "nothing scans on after the stop";
  EXPECT_EQ(w.ScanState(), TCleanWrapper::kStopped);
  // A new scan starts from the stopped state and is not cut short by the old stop.
  w.StartScan();
  ASSERT_TRUE(WaitDone(w, 30000));
  EXPECT_EQ(w.ScanState(), TCleanWrapper::kFinished);
  w.GetCategoryTotals(temp, count, size);
  EXPECT_EQ(count, 2000);
}

TEST(TCleanWrapper, FreeingItDuringAScanEndsTheScanBeforeTheEngineGoes) {
  BigTemp big;
  TTempRedirect redirect(big.path.c_str());
  for (int stopFirst = 0; stopFirst < 2; ++stopFirst) {
    {
      TCleanWrapper w;
      ASSERT_EQ(w.Availability(), 2);
      SelectOnly(w, CategoryNamed(w, "用户临时文件"));
      w.StartScan();
      Sleep(20);
      if (stopFirst) w.StopScan();
    }
    EXPECT_EQ(GetModuleHandleA("Marvolent8.dll"), nullptr) << "the engine's library is unloaded";
  }
}

TEST(TCleanWrapper, AFindingThePrograms8BitTextCannotNameIsLeftOut) {
  TTempFolder tree;
  const std::wstring odd = tree.File(L"\u0915\u093e.tmp");  // a Devanagari name: not in code page 936
  CloseHandle(CreateFileW(odd.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  CloseHandle(CreateFileW(tree.File(L"报告.tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  TTempRedirect redirect(GbkFromWide(tree.Path()).c_str());
  TCleanWrapper w;
  const TRubbishItem temp = CategoryNamed(w, "用户临时文件");
  SelectOnly(w, temp);
  w.StartScan();
  ASSERT_TRUE(WaitDone(w, 20000));
  int count = 0;
  int64_t size = 0;
  w.GetCategoryTotals(temp, count, size);
  ASSERT_EQ(count, 2);
  std::set<std::string> named;
  for (int i = 0; i < count; ++i) {
    std::string path;
    if (w.GetCategoryFile(temp, i, path, size)) named.insert(path);
  }
  EXPECT_EQ(named, std::set<std::string>{GbkFromWide(tree.File(L"报告.tmp"))});
}

// An engine that ignores a stop: the wrapper waits ten seconds for its worker, then goes
// and leaves the engine's library loaded under it; the worker ends later without writing
// into the memory the wrapper had. That memory is taken over by blocks filled with the
// "scanning" mark, the byte a worker that still held the wrapper would change.
TEST(TCleanWrapper, AWorkerThatIgnoresAStopNeverTouchesTheFreedWrapper) {
  typedef LONG (*TScanState)();
  std::unique_ptr<TCleanWrapper> w(new TCleanWrapper("StubbornEngine.dll"));
  ASSERT_EQ(w->Availability(), TCleanWrapper::kAvailable);
  const auto state = reinterpret_cast<TScanState>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("StubbornEngine.dll"), "StubbornScanState")));
  ASSERT_NE(state, nullptr);
  ASSERT_TRUE(w->StartScan());
  for (DWORD start = GetTickCount(); state() != 1 && GetTickCount() - start < 5000;) Sleep(10);
  ASSERT_EQ(state(), 1);
  const DWORD freeing = GetTickCount();
  w.reset();
  const DWORD waited = GetTickCount() - freeing;
  EXPECT_GE(waited, 9500u) << "a stop is waited for";
  EXPECT_LT(waited, 11500u) << "but not for ever";
  EXPECT_NE(GetModuleHandleA("StubbornEngine.dll"), nullptr) << "the library stays under its worker";
  std::vector<std::unique_ptr<unsigned char[]>> blocks;  // the freed wrapper's memory, likely among them
  for (int i = 0; i < 64; ++i) {
    blocks.emplace_back(new unsigned char[sizeof(TCleanWrapper)]);
    memset(blocks.back().get(), TCleanWrapper::kScanning, sizeof(TCleanWrapper));
  }
  for (DWORD start = GetTickCount(); state() != 2 && GetTickCount() - start < 5000;) Sleep(10);
  ASSERT_EQ(state(), 2);
  Sleep(200);  // the worker's last steps after the engine returned
  for (const auto& block : blocks)
    for (size_t i = 0; i < sizeof(TCleanWrapper); ++i) ASSERT_EQ(block[i], TCleanWrapper::kScanning) << "written after it was freed";
}
