// The scan driver: walks the checked items of the cleaning item tree in catalogue order,
// calls each item's handler, runs the junk scan last and ends with the closing summary.
// The same call stops a running scan (the scan button reads "停止" then).
#pragma once
#include <functional>
#include <string>

#include "items/DriverView.h"
#include "items/ItemHandlers.h"
#include "items/RunState.h"

// The phases that other parts of the program plug in; an empty function is skipped.
struct TScanPhases {
  std::function<void()> ClearRegistryScanLists;
  std::function<void()> CreateInvalidFilesFinder;
  std::function<void()> StopInvalidFilesFinder;
  std::function<void()> PrepareJunkScan;
  std::function<void()> RunJunkScan;
  std::function<bool()> JunkScanning;
  std::function<void()> StopJunkScan;
  // The junk part of the closing summary and its style; empty: the plain advice.
  std::function<std::string(TTextStyle&)> JunkSummary;
};

class TScanDriver {
 public:
  const THandlerTable& Handlers() const { return handlers_; }
  TScanDriver(TTreeModel& tree, TRunState& state, TDriverView& view, const THandlerTable& handlers,
              TScanPhases phases = TScanPhases());

  // Starts a scan, or, while one runs, asks it to stop.
  void ScanItems(bool oneClick);
  // Marks the item as current and shows what is being done to it (both drivers use it).
  void BeginItem(TTreeNode* item);
  // Asks a running scan to stop (also when the window closes under it).
  void StopRequest();

 private:
  void RunScan(bool oneClick);
  void Walk();
  void WalkItems(TTreeNode* group, const std::string& stepAfterKind, int step);
  void ProcessItem(TTreeNode* item);
  void ClosingSummary();
  TTreeNode* Group(size_t catalogueIndex) const;
  void Call(const std::function<void()>& phase) const {
    if (phase) phase();
  }

  TTreeModel& tree_;
  TRunState& state_;
  TDriverView& view_;
  const THandlerTable& handlers_;
  TScanPhases phases_;
};
