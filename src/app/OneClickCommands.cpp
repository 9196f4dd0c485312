// The home page's one-click clean: the start link, the cancel button, the progress the
// drivers report, the result tree and the unattended "CleanNow" run.
#include <windows.h>

#include "app/ApplicationWindow.h"
#include "app/MainDriverView.h"
#include "app/MainUnit.h"
#include "app/OneClickFlow.h"
#include "app/OneClickPage.h"
#include "app/RunExit.h"
#include "res/resource.h"
#include "system/AppContext.h"
#include "system/ResStrings.h"
#include "system/ToolsPrivileges.h"
#include "system/ToolsViews.h"
#include "ui/WindowThunk.h"

void TFormPurvex::CreateOneClickFlow() {
  TOneClickPageParts parts;
  parts.Controls = &c_;
  parts.FinishedPicture = pictures_.ImgRight;
  parts.CleanResultTree = &cleanResultTree_;
  parts.EnablePageButtons = [this](bool enabled) { EnablePageButtons(enabled); };
  parts.ShowStatistics = [this] { ShowHomeStatistics(true); };
  oneClickPage_.reset(new TMainOneClickPage(parts));
  TOneClickFlow::TActions actions;
  actions.Clean = [this] {
    state_.Cleaning = true;
    CleanWithoutRedirection(true);
    state_.Cleaning = false;
  };
  actions.Shutdown = [] { ShutdownComputer(false); };
  oneClickFlow_.reset(new TOneClickFlow(cleanResultTree_, *oneClickPage_, actions));
  const TAppContext& ctx = AppContext();
  oneClickFlow_->SetServer(ctx.OSInfo && ctx.OSInfo->IsServer);
}

void TFormPurvex::SetUpCleanResultTree() {
  TCheckTree& tree = trees_.CleanResult;
  tree.Events.GetText = [](TTreeNode* node, int column) { return column == 0 ? node->Data.Caption : node->Data.Path; };
  tree.Events.PaintText = [](TTreeNode* node, int, TCheckTreeTextStyle& style) {
    if (node->Level() == 0) {
      style.Color = RGB(0, 0, 128);
      style.Bold = true;
    }
  };
  tree.Events.Collapsed = [this](TTreeNode*) { SetFocus(c_.DescPanel); };
}

void TFormPurvex::EnablePageButtons(bool enabled) {
  EnableWindow(c_.BtnHomepage, enabled);
  EnableWindow(c_.BtnOverview, enabled);
}

void TFormPurvex::CleanWithoutRedirection(bool oneClick) {
  TLibrariesForNoRedirection loadedFirst;
  TFsRedirectionGuard noRedirection;  // only does something on 64-bit Windows
  cleanDriver_->CleanItems(oneClick);
}

namespace {
TFormPurvex* g_unattendedForm = nullptr;  // the form of a "CleanNow" run
}  // namespace

void TFormPurvex::FailUnattendedRun() {
  unattendedFailed_ = true;
  RestoreAfterError();
}

void TFormPurvex::Label10Click() {
  if (state_.Scanning || state_.Cleaning) return;
  TRunExit onError([this] { RestoreAfterError(); });
  oneClickFlow_->Start();
  state_.Stop = false;
  driverView_->SetScanButtonCaption(LoadResString(IDS_SCAN_START));
  state_.Scanning = true;
  scanDriver_->ScanItems(true);
  state_.Scanning = false;
  if (closeAfterScan_) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void TFormPurvex::Button1Click() {
  if (!state_.Scanning) return;  // the clean has begun: it cannot be cancelled
  state_.Stop = true;
  driverView_->SetScanButtonCaption(LoadResString(IDS_SCAN_STOP));
  scanDriver_->ScanItems(false);
  oneClickFlow_->Cancelled();
  // The scanning flag stays on until the walk beneath has returned: until then the tree
  // must not be rebuilt by the links of the advanced page.
}

void TFormPurvex::ReportOneClickStep(int step) { oneClickFlow_->ReportStep(step, state_.Stop); }

void TFormPurvex::Timer1Timer() {
  KillTimer(hwnd_, kTimer1);
  // Nobody is there to answer: every question takes its safe answer without a box, and an
  // error anywhere in the run (here or in a message handled beneath it) ends the run with
  // its own exit code instead of a box that would wait for ever.
  driverView_->SetUnattended(true);
  g_unattendedForm = this;
  SetHandlerErrorReporter([](HWND, const char*) {
    if (g_unattendedForm) g_unattendedForm->FailUnattendedRun();
  });
  try {
    Label10Click();
  } catch (...) {
    FailUnattendedRun();
    return;
  }
  PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}
