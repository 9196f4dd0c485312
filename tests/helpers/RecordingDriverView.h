// A driver view for tests: records what the scan and clean drivers show and answers their
// question as told. The scan button's caption is the drivers' state, as in the window.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "items/DriverView.h"

class TRecordingDriverView : public TDriverView {
 public:
  std::string Caption = "开始扫描";
  bool CleanEnabled = false, ScanEnabled = true, LinksEnabled = true;
  TAdvancedImage Image = TAdvancedImage::Application;
  std::string Desc1, Desc2, Desc3;
  std::vector<int> Steps;
  int Questions = 0;
  std::vector<std::string> Notices;
  bool Answer = false;
  std::string LastQuestion;
  std::vector<std::string> StatusTexts;
  std::function<void()> OnProcessMessages;

  std::string ScanButtonCaption() override { return Caption; }
  void SetScanButtonCaption(const std::string& c) override { Caption = c; }
  void EnableScanButton(bool e) override { ScanEnabled = e; }
  void EnableCleanButton(bool e) override { CleanEnabled = e; }
  void EnableCloseButton(bool) override {}
  void EnableLinks(bool e) override { LinksEnabled = e; }
  void ShowAdvancedImage(TAdvancedImage i) override { Image = i; }
  void SetDescription(const std::string& a, const std::string& b, const std::string& c, TTextStyle) override {
    Desc1 = a;
    Desc2 = b;
    Desc3 = c;
  }
  void SetStatusText(const std::string& text) override { StatusTexts.push_back(text); }
  void ScrollIntoView(TTreeNode*) override {}
  void RepaintTree() override {}
  void ReportOneClickStep(int step) override { Steps.push_back(step); }
  bool AskYesNo(const std::string& text) override {
    ++Questions;
    LastQuestion = text;
    return Answer;
  }
  void ShowNotice(const std::string& text) override { Notices.push_back(text); }
  void ProcessMessages() override {
    if (OnProcessMessages) OnProcessMessages();
  }
};
