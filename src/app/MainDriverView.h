// The advanced page as the scan and clean drivers see it.
#pragma once
#include <windows.h>

#include <functional>

#include "app/FormFonts.h"
#include "app/MainControls.h"
#include "items/DriverView.h"

// What the view works with: the window (owner of its boxes), its controls and fonts (they
// live as long as the window), and what it asks the window to do.
struct TDriverViewParts {
  HWND Owner = nullptr;
  const TMainControls* Controls = nullptr;
  const TFormFonts* Fonts = nullptr;
  std::function<void(TTreeNode* node)> ScrollTo;
  std::function<void(int step)> ReportOneClickStep;
};

class TMainDriverView : public TDriverView {
 public:
  explicit TMainDriverView(TDriverViewParts parts) : parts_(std::move(parts)), c_(*parts_.Controls) {}
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
  TDriverViewParts parts_;
  const TMainControls& c_;
  bool unattended_ = false;
};
