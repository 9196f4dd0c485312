// The home page's controls as the one-click flow drives them.
#pragma once
#include <windows.h>

#include <functional>

#include "app/MainControls.h"
#include "app/OneClickFlow.h"

// What the page works with: the window's controls, the picture of a finished run and the
// result tree (they live as long as the window), and what it asks the window to do.
struct TOneClickPageParts {
  const TMainControls* Controls = nullptr;
  HBITMAP FinishedPicture = nullptr;
  TTreeModel* CleanResultTree = nullptr;
  std::function<void(bool enabled)> EnablePageButtons;
  std::function<void()> ShowStatistics;  // the home page's texts of the clean just done
};

class TMainOneClickPage : public TOneClickPage {
 public:
  explicit TMainOneClickPage(TOneClickPageParts parts) : parts_(std::move(parts)), c_(*parts_.Controls) {}
  void ShowRunning() override;
  void ShowFinished() override;
  void ShowNothingToClean() override;
  void ShowCancelled() override;
  void ResetProgress(int maximum) override;
  void StepProgress() override;
  void EnableCancel(bool enabled) override;
  bool AutoShutdownChecked() override;
  void ExpandRow(TTreeNode* row) override;
  void RepaintRow(TTreeNode* row) override;

 private:
  // What the finished and the nothing-to-clean pages share; headline and status text differ.
  void ShowDone(unsigned headlineId);
  void ShowStatistics(bool show);
  void ShowStartLink(bool show);
  TOneClickPageParts parts_;
  const TMainControls& c_;
};
