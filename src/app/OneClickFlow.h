// The home page's one-click clean as a sequence of steps: which result row changes to which
// state at each step the drivers report, the progress bar, and how the run ends (finished,
// nothing to clean, cancelled, or the computer switched off). The controls are the page's;
// this class only decides.
#pragma once
#include <functional>
#include <string>

#include "items/TreeModel.h"

// What the flow does to the home page's controls.
class TOneClickPage {
 public:
  virtual ~TOneClickPage() = default;
  // Progress bar hidden or shown with the cancel button, headline, pictures, result tree.
  virtual void ShowRunning() = 0;
  virtual void ShowFinished() = 0;
  virtual void ShowNothingToClean() = 0;
  virtual void ShowCancelled() = 0;
  virtual void ResetProgress(int maximum) = 0;
  virtual void StepProgress() = 0;
  virtual void EnableCancel(bool enabled) = 0;
  virtual bool AutoShutdownChecked() = 0;
  virtual void ExpandRow(TTreeNode* row) = 0;
  virtual void RepaintRow(TTreeNode* row) = 0;
};

// The rows of the result tree, in the order they are first added.
enum class TResultRow { Root, Web, System, Apps, Registry, Count };

class TOneClickFlow {
 public:
  struct TActions {
    std::function<void()> Clean;     // the clean of the selected items, one-click flag on
    std::function<void()> Shutdown;  // forced power-off
  };

  // results holds the rows: column 0 from Caption, column 1 from Path (the state text).
  TOneClickFlow(TTreeModel& results, TOneClickPage& page, TActions actions);

  // Whether a registry row exists (not on server editions).
  void SetServer(bool isServer) { isServer_ = isServer; }
  // A new run: the rows are forgotten and the tree emptied, the progress starts at 0.
  void Start();
  // stopped: the user cancelled; step 6 then does not start the clean.
  void ReportStep(int step, bool stopped);
  void Cancelled();
  TTreeNode* Row(TResultRow row) const { return rows_[static_cast<int>(row)]; }

 private:
  void SetRowState(TResultRow row, unsigned stateTextId);

  TTreeModel& results_;
  TOneClickPage& page_;
  TActions actions_;
  bool isServer_ = false;
  TTreeNode* rows_[static_cast<int>(TResultRow::Count)] = {};
};
