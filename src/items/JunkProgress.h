// The junk group while the engine scans on its worker thread: the per-category records,
// the 10 ms wait loop, the timer's polls that copy the engine's findings into the tree,
// and the junk part of the scan summary. Everything here runs on the main thread; the
// engine is only queried.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "RubbishCleanApi.h"
#include "items/DriverView.h"
#include "items/ItemTree.h"
#include "items/RunState.h"
#include "items/TreeModel.h"

class TCleanWrapper;
class THandlerTable;

// The junk group's categories come from the engine and have no entries of their own: the
// group's entry removes their files.
void RegisterJunkGroupCleaner(THandlerTable& table);

// One engine category and what of its findings is already in the tree.
struct TJunkCategoryRecord {
  TRubbishItem Category = 0;
  TTreeNode* Node = nullptr;
  int32_t FetchedCount = 0;
  int64_t FetchedSize = 0;
};

// Findings one timer event adds per category; the final poll adds the rest.
const int32_t kJunkPollBudget = 300;
// The summary warns above these (not at them).
const int64_t kJunkWarnCount = 50000;
const int64_t kJunkWarnSize = 10737418240LL;  // 10 GiB

// Whether the summary warns of a junk result: too many files first, then too many bytes.
enum class TJunkWarning { None, TooMany, TooBig };
TJunkWarning JunkWarningFor(int64_t count, int64_t size);

class TJunkProgress {
 public:
  // enableTimer switches the window's 10 ms timer (tmrRubbish) on and off; its event
  // calls TmrRubbishTimer.
  TJunkProgress(TTreeModel& tree, TRunState& state, TDriverView& view, TCleanWrapper& engine,
                std::function<void(bool)> enableTimer);

  // After every build of the item tree: one record per junk category, in tree order.
  void SetCategories(const std::vector<TJunkCategoryNode>& categories);
  const std::vector<TJunkCategoryRecord>& Records() const { return records_; }

  // Before the walk: the counts restart and the engine learns which categories to scan.
  void PrepareJunkScan();
  // After the walk: starts the engine and waits for it, letting messages (and the timer)
  // through every 10 ms; stops the engine when the user pressed Stop; then the final poll.
  void RunJunkScan();
  void TmrRubbishTimer();
  void PollJunkFindings(bool stopped, bool final);
  // The third description label's text when the junk group took part in the scan.
  std::string JunkSummary(TTextStyle& style) const;
  // The last RunJunkScan could not start the engine's scan.
  bool StartFailed() const { return startFailed_; }

 private:
  bool UserPressedStop();
  void ShowCategoryAsCurrent(TTreeNode* node);

  TTreeModel& tree_;
  TRunState& state_;
  TDriverView& view_;
  TCleanWrapper& engine_;
  std::function<void(bool)> enableTimer_;
  std::vector<TJunkCategoryRecord> records_;
  bool startFailed_ = false;
};
