// What the scan and clean drivers show and ask through the window. The main window
// implements it; tests record the calls.
#pragma once
#include <string>

#include "items/TreeModel.h"

enum class TAdvancedImage { Description, Warning, Application };
enum class TTextStyle { Normal, Warning };  // warning: red and bold

class TDriverView {
 public:
  virtual ~TDriverView() = default;
  virtual std::string ScanButtonCaption() = 0;
  virtual void SetScanButtonCaption(const std::string& caption) = 0;
  virtual void EnableScanButton(bool enabled) = 0;
  virtual void EnableCleanButton(bool enabled) = 0;
  virtual void EnableCloseButton(bool enabled) = 0;
  // 全选, 全不选, 推荐, 恢复注册表 and 选项: green when enabled, grey when not.
  virtual void EnableLinks(bool enabled) = 0;
  virtual void ShowAdvancedImage(TAdvancedImage image) = 0;
  // The three description labels, laid out one after another; the second is red.
  virtual void SetDescription(const std::string& first, const std::string& second, const std::string& third,
                              TTextStyle thirdStyle) = 0;
  virtual void SetStatusText(const std::string& text) = 0;
  virtual void ScrollIntoView(TTreeNode* node) = 0;
  virtual void RepaintTree() = 0;
  virtual void ReportOneClickStep(int step) = 0;
  // Yes/No question owned by the window; true for Yes. In an unattended run the window
  // answers No without asking: every question must have No as its safe answer.
  virtual bool AskYesNo(const std::string& text) = 0;
  // A message with the information icon and OK, owned by the window; not shown in an
  // unattended run.
  virtual void ShowNotice(const std::string& text) = 0;
  // Lets pending window messages through (time-throttled).
  virtual void ProcessMessages() = 0;
};
