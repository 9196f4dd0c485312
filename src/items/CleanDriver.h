// The clean driver: counts what the last scan found and the user left checked, has the
// rows it is about to remove backed up, hands each item's checked findings to the removers
// their group registered, runs the items that act of their own, and records the clean from
// the removers' outcomes.
#pragma once
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "items/DriverView.h"
#include "items/RunState.h"
#include "items/ScanDriver.h"

// What the backup answers for among the rows a clean removes, and whether it saved them
// whole. A row it answers for is removed only after a whole save, and never when the
// backup could not save that row exactly.
struct TBackupGate {
  std::vector<const TTreeNode*> Covered;
  bool Saved = true;
  std::vector<const TTreeNode*> Refused;
  bool Keeps(const TTreeNode* row) const;
};

// The parts of a clean that the window plugs in; an empty function is skipped.
struct TCleanPhases {
  // Saves the rows it answers for (the registry group's) out of rows, every row this
  // clean removes.
  std::function<TBackupGate(const std::vector<const TTreeNode*>& rows)> BackupBeforeClean;
  TCleanServices Services;
  std::function<void()> RestartExplorer;
  // The clean's record in the settings: its time, then its count and bytes.
  std::function<void()> RecordCleanTime;
  std::function<void(int32_t count, int64_t bytes)> RecordCleanStatistics;
  std::function<void()> ShowStatistics;  // the home page's texts right after a clean
  std::function<void()> NotifyFamily;
};

class TCleanDriver {
 public:
  TCleanDriver(TTreeModel& tree, TRunState& state, TDriverView& view, TScanDriver& scan, TCleanPhases phases);

  void CleanItems(bool oneClick);

  // Entries removed or found already gone by the last clean, and the bytes that freed.
  int32_t CleanCount() const { return cleanCount_; }
  int64_t CleanedSize() const { return cleanedSize_; }

 private:
  // A checked or mixed item and the rows of it this clean removes: its checked findings.
  struct TItemRows {
    TTreeNode* Item;
    std::vector<TTreeNode*> Rows;
  };
  std::vector<TItemRows> SelectedRows() const;
  int32_t CountingPass(const std::vector<TItemRows>& selected) const;
  void CleanItem(const TItemRows& item, const TBackupGate& gate);
  // Removes rows through their removers; those with no remover, or that the gate keeps,
  // go to kept.
  void RemoveRows(const TItemRows& item, const TBackupGate& gate, std::vector<TTreeNode*>& kept,
                  bool& restartExplorer);
  void Tally(const TRemoveOutcome& outcome);

  TTreeModel& tree_;
  TRunState& state_;
  TDriverView& view_;
  TScanDriver& scan_;
  TCleanPhases phases_;
  int32_t cleanCount_ = 0;
  int64_t cleanedSize_ = 0;
  bool gateKept_ = false;            // the backup failed and rows stayed for it
  std::set<std::string> cleaned_;    // Kinds of the items this clean processed
};
