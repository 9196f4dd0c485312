// Times the shared folder-tree scan of a generated tree against a bare FindFirstFileA walk
// of the same tree, interleaved in one run: without message pumping, with the program's
// time-throttled pump, and with a pump after every entry. The share of pumping is the
// difference to the scan without it, and also the time measured inside the pump calls.
// usage: trace_scan_bench [files, default 100000]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "BenchTree.h"
#include "items/ResultRows.h"
#include "system/AppContext.h"
#include "traces/ScanFolderTree.h"
#include "ui/MessagePump.h"

using namespace bench;

namespace {

struct TRun {
  double Best = 1e9;
  double PumpSeconds = 0;  // inside the pump, in the best run
  int32_t Found = 0;
  unsigned long Pumps = 0;
};

LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t;
}

// One scan into a fresh tree; pump is what KeepResponsive does besides answering "go on".
void TimeScan(const std::string& root, const std::function<void()>& pump, LARGE_INTEGER freq, TRun& run) {
  TTreeModel tree;
  TScanTotals totals;
  TItemScan scan;
  scan.Tree = &tree;
  scan.Item = AddResultNode(&tree, "item", false, std::string(), nullptr, 0, "item", std::string(), std::string());
  scan.Totals = &totals;
  double pumpSeconds = 0;
  if (pump) {
    scan.KeepResponsive = [&] {
      LARGE_INTEGER a = Now();
      pump();
      pumpSeconds += Seconds(a, Now(), freq);
      return false;
    };
  } else {
    scan.KeepResponsive = [] { return false; };
  }
  unsigned long pumpsBefore = PumpCount();
  LARGE_INTEGER a = Now();
  ScanFolderTree(scan, root, {"index.dat", "desktop.ini"});
  double seconds = Seconds(a, Now(), freq);
  if (seconds < run.Best) {
    run.Best = seconds;
    run.PumpSeconds = pumpSeconds;
    run.Found = scan.Count;
    run.Pumps = PumpCount() - pumpsBefore;
  }
}

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
  LARGE_INTEGER freq;
  QueryPerformanceFrequency(&freq);
  double bestBare = 1e9;
  long long bareFiles = 0;
  TRun plain, throttled, everyEntry;
  for (int round = 0; round < 3; ++round) {
    LARGE_INTEGER a = Now();
    bareFiles = BareWalk(root);
    bestBare = std::min(bestBare, Seconds(a, Now(), freq));
    TimeScan(root, nullptr, freq, plain);
    TimeScan(root, [] { PumpMessages(); }, freq, throttled);
    TimeScan(root, [] { PumpMessagesNow(); }, freq, everyEntry);
  }
  std::printf("tree: %lld files in %d folders (%s)\n", bareFiles, (files + kFilesPerFolder - 1) / kFilesPerFolder,
              context.IsWow64() ? "64-bit Windows, both views" : "32-bit Windows");
  std::printf("bare FindFirstFileA walk: %.3f s (best of 3)\n", bestBare);
  std::printf("ScanFolderTree, no pumping (%d findings): %.3f s, %.2f x bare walk\n", plain.Found, plain.Best,
              plain.Best / bestBare);
  const struct {
    const char* Name;
    const TRun& Run;
  } pumped[] = {{"throttled pump (PumpMessages, 30 ms)", throttled}, {"pump after every entry", everyEntry}};
  for (const auto& p : pumped) {
    std::printf("ScanFolderTree, %s: %.3f s, %.2f x bare walk; %lu pumps, %.3f s inside them (%.1f%% of the scan),"
                " %+.1f%% against the scan without pumping\n",
                p.Name, p.Run.Best, p.Run.Best / bestBare, p.Run.Pumps, p.Run.PumpSeconds,
                100.0 * p.Run.PumpSeconds / p.Run.Best, 100.0 * (p.Run.Best - plain.Best) / plain.Best);
  }
  if (window) DestroyWindow(window);
  return 0;
}
