// TCleanWrapper: the program's only way to the junk-sweeping engine. It loads the engine
// library, converts texts between the engine's BSTRs and the program's GBK strings, runs
// the blocking scan on TScanThread, and answers by itself when the engine is missing.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "RubbishCleanApi.h"
#include "system/Handles.h"

class TCleanWrapper {
 public:
  enum : uint8_t { kIdle = 0, kScanning = 1, kStopped = 3, kFinished = 6 };
  enum : uint8_t { kUnavailable = 0, kAvailable = 2 };

  explicit TCleanWrapper(const char* libraryName = "Marvolent8.dll");
  ~TCleanWrapper();
  TCleanWrapper(const TCleanWrapper&) = delete;
  TCleanWrapper& operator=(const TCleanWrapper&) = delete;

  // 2 when the engine's interface was obtained, else 0.
  uint8_t Availability() const { return availability_; }
  // An item the engine named: the item calls answer 0 or -1 (no engine) for none.
  static bool IsItem(TRubbishItem item) { return item != 0 && item != static_cast<TRubbishItem>(-1); }
  uint8_t ScanState() const { return *state_; }

  void Initialize();
  void Prepare();
  void LoadSettings();
  void SaveSettings();

  std::string GetItemName(TRubbishItem item);
  bool GetItemChecked(TRubbishItem item);
  void SetItemChecked(TRubbishItem item, bool checked);
  bool GetItemRecommended(TRubbishItem item);
  bool GetItemUserDefined(TRubbishItem item);
  std::string GetItemGroupName(TRubbishItem item);
  int GetItemImageIndex(TRubbishItem item);
  int GetCategoryCount();
  TRubbishItem GetFirstCategory();
  TRubbishItem GetNextItem(TRubbishItem item);
  TRubbishItem GetFirstChild(TRubbishItem item);
  TRubbishItem GetFileTypeRoot();
  // Findings so far; a negative count shows as 0 with size 0.
  void GetCategoryTotals(TRubbishItem item, int& count, int64_t& size);
  // False also for a path the program's code page cannot hold: a look-alike name could be
  // another file.
  bool GetCategoryFile(TRubbishItem item, int index, std::string& path, int64_t& size);
  std::string GetScanningPath();
  TRubbishItem GetScanningCategory();
  void SetAgeFilter(int days);
  std::string GetExcludedFolders();
  void SetExcludedFolders(const std::string& folders);
  void ReportUndeletedFile(const std::string& path);

  // Starts RunScan on a worker thread; state 1. A worker of an earlier scan is ended first.
  // False when no scan started: no engine, an earlier worker that would not end, or no
  // thread; the state is then unchanged.
  bool StartScan();
  // The engine's StopScan; state 3. Returns when the worker has left the engine (the
  // engine stops within a fraction of a second), so no findings change afterwards.
  void StopScan();
  bool IsScanning() const { return *state_ == kScanning; }
  bool IsScanDone() const { return *state_ == kStopped || *state_ == kFinished; }

 private:
  friend class TScanThread;
  // Waits for the worker to end, repeating the stop (one given before RunScan began is
  // not seen by it); false when it is still running after timeoutMs.
  bool EndWorker(DWORD timeoutMs);
  TModuleHandle library_;
  TKernelHandle worker_;
  IRubbishClean* engine_ = nullptr;
  uint8_t availability_ = kUnavailable;
  // Written by both threads: the main thread writes 1 and 3, the worker turns 1 into 6
  // (never a 3 that the main thread wrote meanwhile). Shared with the worker, which may
  // outlive a wrapper it would not stop for: then it writes here, never into the wrapper.
  std::shared_ptr<std::atomic<uint8_t>> state_ = std::make_shared<std::atomic<uint8_t>>(kIdle);
};

// Worker that runs one scan and deletes itself; the wrapper keeps its thread handle. It
// holds the engine (which a wrapper never releases under a running worker) and the shared
// state, nothing of the wrapper itself.
class TScanThread {
 public:
  static HANDLE Start(TCleanWrapper& wrapper);

 private:
  TScanThread(IRubbishClean* engine, std::shared_ptr<std::atomic<uint8_t>> state)
      : engine_(engine), state_(std::move(state)) {}
  static unsigned __stdcall Run(void* self);
  IRubbishClean* engine_;
  std::shared_ptr<std::atomic<uint8_t>> state_;
};
