// Times the shared folder scans of a generated tree against a bare FindFirstFileA walk of
// the same tree, interleaved in one run: ScanFolderTree over the tree and ScanFolderFiles
// over each of its folders, findings added to a tree model and the program's throttled
// message pump included, once with the fast listing (FindFirstFileExA, basic information,
// large fetch) and once with FindFirstFileA. Also shown: the cost of pumping after every
// entry, and the counted costs of one entry (the listing, the live test, the finding).
// usage: trace_scan_bench [files, default 100000]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "BenchTree.h"
#include "items/ResultRows.h"
#include "system/AppContext.h"
#include "system/FindFile.h"
#include "system/ToolsFiles.h"
#include "traces/ScanFolderFiles.h"
#include "traces/ScanFolderTree.h"
#include "traces/TraceFindings.h"
#include "ui/MessagePump.h"

using namespace bench;

namespace {

LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t;
}

LARGE_INTEGER g_freq;

// One scan into a fresh tree, pump being what KeepResponsive does besides "go on";
// returns the seconds and the findings.
double TimeScan(const std::function<void(TItemScan&)>& run, const std::function<void()>& pump, int32_t& found) {
  TTreeModel tree;
  TScanTotals totals;
  TItemScan scan;
  scan.Tree = &tree;
  scan.Item = AddResultNode(&tree, "item", false, std::string(), nullptr, 0, "item", std::string(), std::string());
  scan.Totals = &totals;
  scan.KeepResponsive = [&] {
    if (pump) pump();
    return false;
  };
  LARGE_INTEGER a = Now();
  run(scan);
  found = scan.Count;
  return Seconds(a, Now(), g_freq);
}

// The same walk as the bare one with the program's listing and an extra cost per file.
long long ListingWalk(const std::string& folder, const std::function<void(const std::string&)>& perFile) {
  long long files = 0;
  for (TFindFile f(folder + "\\*"); f.Found(); f.Next()) {
    if (f.Data().cFileName[0] == '.') continue;
    const std::string path = folder + "\\" + f.Data().cFileName;
    if (f.IsDir()) {
      files += ListingWalk(path, perFile);
    } else {
      if (perFile) perFile(path);
      ++files;
    }
  }
  return files;
}

struct TBest {
  double Seconds = 1e9;
  void Take(double s) { Seconds = std::min(Seconds, s); }
};

}  // namespace

int main(int argc, char** argv) {
  int files = argc > 1 ? std::atoi(argv[1]) : 100000;
  std::string root = TreeRoot();
  MakeTree(root, files);
  // The program's context: the file test looks into both views on 64-bit Windows.
  TAppContext context;
  context.OSInfo = TOrvOSInfo::Create();
  SetAppContext(&context);
  // A window of this thread, so that pumping has a queue with something behind it.
  HWND window = CreateWindowExA(0, "STATIC", "trace-scan-bench", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                nullptr, nullptr, nullptr);
  QueryPerformanceFrequency(&g_freq);
  const int folders = (files + kFilesPerFolder - 1) / kFilesPerFolder;
  auto tree = [&](TItemScan& scan) { ScanFolderTree(scan, root, {"index.dat", "desktop.ini"}); };
  auto perFolder = [&](TItemScan& scan) {
    for (int d = 0; d < folders; ++d) ScanFolderFiles(scan, root + "\\d" + std::to_string(d), "*.*");
  };
  const auto throttled = [] { PumpMessages(); };
  // The tree's paths, to time the findings and the pump on their own.
  std::vector<std::string> paths;
  ListingWalk(root, [&](const std::string& path) { paths.push_back(path); });
  TBest adding, pumping;
  TBest bare, fastListing, liveTest, oldLive, treeFast, treeOld, filesFast, filesOld, everyEntry;
  long long bareFiles = 0;
  int32_t found = 0, foundFiles = 0;
  for (int round = 0; round < 3; ++round) {
    LARGE_INTEGER a = Now();
    bareFiles = BareWalk(root);
    bare.Take(Seconds(a, Now(), g_freq));
    AllowFastListing(true);
    a = Now();
    ListingWalk(root, nullptr);
    fastListing.Take(Seconds(a, Now(), g_freq));
    a = Now();
    ListingWalk(root, [](const std::string& path) { IsListedFileLive(path); });
    liveTest.Take(Seconds(a, Now(), g_freq));
    a = Now();
    ListingWalk(root, [](const std::string& path) { IsLiveFile(path); });
    oldLive.Take(Seconds(a, Now(), g_freq));
    int32_t added = 0;
    adding.Take(TimeScan(
        [&](TItemScan& scan) {
          for (const std::string& path : paths) AddFileFinding(scan, path, path.substr(path.rfind('\\') + 1), kKindFile, 0);
        },
        nullptr, added));
    pumping.Take(TimeScan(
        [&](TItemScan& scan) {
          for (size_t i = 0; i < paths.size(); ++i) EntryDone(scan);
        },
        throttled, added));
    treeFast.Take(TimeScan(tree, throttled, found));
    filesFast.Take(TimeScan(perFolder, throttled, foundFiles));
    everyEntry.Take(TimeScan(tree, [] { PumpMessagesNow(); }, found));
    AllowFastListing(false);
    treeOld.Take(TimeScan(tree, throttled, found));
    filesOld.Take(TimeScan(perFolder, throttled, foundFiles));
  }
  AllowFastListing(true);
  std::printf("tree: %lld files in %d folders (%s)\n", bareFiles, folders,
              context.IsWow64() ? "64-bit Windows, both views" : "32-bit Windows");
  std::printf("bare FindFirstFileA walk: %.3f s (best of 3)\n", bare.Seconds);
  std::printf("counted costs, each against the bare walk:\n");
  std::printf("  the program's listing (FindFirstFileExA, basic, large fetch) and path joins: %.2f x\n",
              fastListing.Seconds / bare.Seconds);
  std::printf("  + the live test of a listed file (restart list only): %.2f x\n", liveTest.Seconds / bare.Seconds);
  std::printf("  + the earlier live test (a file-system call per file): %.2f x\n", oldLive.Seconds / bare.Seconds);
  std::printf("  the findings alone, added to the tree model (file names cut from the paths): %.2f x\n",
              adding.Seconds / bare.Seconds);
  std::printf("  the throttled pump alone, once per file: %.2f x\n", pumping.Seconds / bare.Seconds);
  std::printf("ScanFolderTree (%d findings, FindFirstFileA listing): %.2f x bare walk\n", found,
              treeOld.Seconds / bare.Seconds);
  std::printf("ScanFolderFiles over every folder (%d findings, FindFirstFileA listing): %.2f x bare walk\n", foundFiles,
              filesOld.Seconds / bare.Seconds);
  std::printf("ScanFolderTree, pump after every entry: %.2f x bare walk\n", everyEntry.Seconds / bare.Seconds);
  PrintGoal("ScanFolderTree with findings and pump", treeFast.Seconds / bare.Seconds, "x bare walk", 1.2);
  PrintGoal("ScanFolderFiles with findings and pump", filesFast.Seconds / bare.Seconds, "x bare walk", 1.2);
  if (window) DestroyWindow(window);
  return 0;
}
