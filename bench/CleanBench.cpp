// Times the clean driver removing file findings against a bare DeleteFileA loop over the
// same files, interleaved in one run: the files are made again before each timed pass, the
// findings sit under one checked item of a tree model as a scan leaves them, and the
// driver's counting pass, sizes and statistics are part of its time.
// usage: clean_bench [files, default 100000]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchTree.h"
#include "items/FileRemover.h"
#include "items/CleanDriver.h"
#include "items/ResultRows.h"
#include "system/AppContext.h"
#include "ui/MessagePump.h"

using namespace bench;

namespace {

// The window's view as far as a clean asks it; the pump is the window's throttled one.
class TQuietView : public TDriverView {
 public:
  std::string ScanButtonCaption() override { return caption_; }
  void SetScanButtonCaption(const std::string& c) override { caption_ = c; }
  void EnableScanButton(bool) override {}
  void EnableCleanButton(bool) override {}
  void EnableCloseButton(bool) override {}
  void EnableLinks(bool) override {}
  void ShowAdvancedImage(TAdvancedImage) override {}
  void SetDescription(const std::string&, const std::string&, const std::string&, TTextStyle) override {}
  void SetStatusText(const std::string&) override {}
  void ScrollIntoView(TTreeNode*) override {}
  void RepaintTree() override {}
  void ReportOneClickStep(int) override {}
  bool AskYesNo(const std::string&) override { return false; }
  void ShowNotice(const std::string&) override {}
  void ProcessMessages() override { PumpMessages(); }

 private:
  std::string caption_ = "开始扫描";
};

std::vector<std::string> MakeFiles(const std::string& root, int files) {
  std::vector<std::string> paths;
  CreateDirectoryA(root.c_str(), nullptr);
  for (int i = 0; i < files; ++i) {
    const std::string folder = root + "\\d" + std::to_string(i / kFilesPerFolder);
    if (i % kFilesPerFolder == 0) CreateDirectoryA(folder.c_str(), nullptr);
    paths.push_back(folder + "\\f" + std::to_string(i) + ".tmp");
    HANDLE h = CreateFileA(paths.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    WriteFile(h, "junk", 4, &done, nullptr);
    CloseHandle(h);
  }
  return paths;
}

LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  const int files = argc > 1 ? std::atoi(argv[1]) : 100000;
  const std::string root = "C:\\purvex-clean-bench";
  TAppContext context;
  context.OSInfo = TOrvOSInfo::Create();
  SetAppContext(&context);
  LARGE_INTEGER freq;
  QueryPerformanceFrequency(&freq);
  double bestBare = 1e9, bestClean = 1e9;
  // Counted costs: other ways of deleting the same files, each against the bare loop.
  const struct {
    const char* Name;
    void (*Delete)(const std::string& path);
  } kWays[] = {
      {"open for deletion, size from the handle, close",
       [](const std::string& p) {
         HANDLE h = CreateFileA(p.c_str(), DELETE | FILE_READ_ATTRIBUTES, 7, nullptr, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
         LARGE_INTEGER size;
         GetFileSizeEx(h, &size);
         CloseHandle(h);
       }},
      {"open for deletion, close", [](const std::string& p) {
         CloseHandle(CreateFileA(p.c_str(), DELETE, 7, nullptr, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
       }},
      {"attributes with size, then DeleteFileA", [](const std::string& p) {
         WIN32_FILE_ATTRIBUTE_DATA data;
         GetFileAttributesExA(p.c_str(), GetFileExInfoStandard, &data);
         DeleteFileA(p.c_str());
       }},
  };
  double bestWay[3] = {1e9, 1e9, 1e9};  // measured in the first round only
  int32_t cleaned = 0;
  int64_t bytes = 0;
  for (int round = 0; round < 3; ++round) {
    std::vector<std::string> paths = MakeFiles(root, files);
    LARGE_INTEGER a = Now();
    for (const std::string& path : paths) DeleteFileA(path.c_str());
    bestBare = std::min(bestBare, Seconds(a, Now(), freq));

    for (int w = 0; round == 0 && w < 3; ++w) {
      paths = MakeFiles(root, files);
      a = Now();
      for (const std::string& path : paths) kWays[w].Delete(path);
      bestWay[w] = std::min(bestWay[w], Seconds(a, Now(), freq));
    }
    paths = MakeFiles(root, files);
    TTreeModel tree;
    TRunState state;
    TQuietView view;
    THandlerTable handlers;
    TItemHandler files;
    files.Cleaner.Removers = FileRemovers({kKindFile});
    handlers.Register("item", files);
    TScanDriver scan(tree, state, view, handlers);
    TTreeNode* group = tree.AddChild(nullptr, Column4TreeData{"group", "推荐", "", "group", "", 0}, TCheckType::TriState,
                                     TCheckState::Checked);
    TTreeNode* item = tree.AddChild(group, Column4TreeData{"item", "推荐", "", "item", "", 1}, TCheckType::TriState,
                                    TCheckState::Checked);
    for (const std::string& path : paths)
      AddResultNode(&tree, path, true, std::string(), item, -1, kKindFile, std::string(), path.substr(path.rfind('\\') + 1));
    TCleanPhases phases;
    phases.RecordCleanStatistics = [&](int32_t count, int64_t size) {
      cleaned = count;
      bytes = size;
    };
    TCleanDriver clean(tree, state, view, scan, phases);
    a = Now();
    clean.CleanItems(false);
    bestClean = std::min(bestClean, Seconds(a, Now(), freq));
  }
  std::printf("clean: %d files in %d folders\n", files, (files + kFilesPerFolder - 1) / kFilesPerFolder);
  std::printf("bare DeleteFileA loop: %.3f s (best of 3)\n", bestBare);
  std::printf("clean driver (%d cleaned, %lld bytes): %.3f s (best of 3)\n", cleaned, static_cast<long long>(bytes),
              bestClean);
  std::printf("counted costs (first round), against the bare loop:\n");
  for (int w = 0; w < 3; ++w) std::printf("  %s: %.2f x\n", kWays[w].Name, bestWay[w] / bestBare);
  PrintGoal("clean of the file findings", bestClean / bestBare, "x bare DeleteFileA loop", 1.2);
  for (int d = 0; d * kFilesPerFolder < files; ++d) RemoveDirectoryA((root + "\\d" + std::to_string(d)).c_str());
  RemoveDirectoryA(root.c_str());
  return 0;
}
