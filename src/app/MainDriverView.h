// The advanced page as the scan and clean drivers see it.
#pragma once
#include "app/MainControls.h"
#include "items/DriverView.h"

class TFormPurvex;

class TMainDriverView : public TDriverView {
 public:
  explicit TMainDriverView(TFormPurvex& form) : form_(form) {}
  std::string ScanButtonCaption() override;
  void SetScanButtonCaption(const std::string& caption) override;
  void EnableScanButton(bool enabled) override;
  void EnableCleanButton(bool enabled) override;
  void EnableCloseButton(bool enabled) override;
  void EnableLinks(bool enabled) override;
  void ShowAdvancedImage(TAdvancedImage image) override;
  void SetDescription(const std::string& first, const std::string& second, const std::string& third,
                      TTextStyle thirdStyle) override;
  void SetStatusText(const std::string& text) override;
  void ScrollIntoView(TTreeNode* node) override;
  void RepaintTree() override;
  void ReportOneClickStep(int step) override;
  bool AskYesNo(const std::string& text) override;
  void ShowNotice(const std::string& text) override;
  void ProcessMessages() override;
  // In a run nobody watches, questions take their safe answer (No) and notices are not
  // shown: no box may wait for a person.
  void SetUnattended(bool unattended) { unattended_ = unattended; }

 private:
  TFormPurvex& form_;
  bool unattended_ = false;
};
