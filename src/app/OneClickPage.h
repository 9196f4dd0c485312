// The home page's controls as the one-click flow drives them.
#pragma once
#include "app/OneClickFlow.h"

class TFormPurvex;

class TMainOneClickPage : public TOneClickPage {
 public:
  explicit TMainOneClickPage(TFormPurvex& form) : form_(form) {}
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
  TFormPurvex& form_;
};
