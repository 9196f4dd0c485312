#include "app/OneClickPage.h"

#include <windows.h>
#include <commctrl.h>

#include "app/MainLayout.h"
#include "res/MainStrings.h"
#include "system/ResStrings.h"
#include "system/WideText.h"
#include "ui/Panel.h"

namespace {

void Show(HWND control, bool show) { ShowWindow(control, show ? SW_SHOW : SW_HIDE); }

}  // namespace

void TMainOneClickPage::ShowStatistics(bool show) {
  const TMainControls& c = c_;
  Show(c.Label5, show);
  Show(c.Label6, show);
  Show(c.Label12, show);
  Show(c.ProgressBar1, !show);
  Show(c.Button1, !show);
}

void TMainOneClickPage::ShowStartLink(bool show) {
  const TMainControls& c = c_;
  Show(c.Label10, show);
  Show(c.Image5, show);
}

void TMainOneClickPage::ShowRunning() {
  const TMainControls& c = c_;
  ShowStatistics(false);
  Show(c.Image6, true);
  Show(c.Image3, false);
  if (parts_.EnablePageButtons) parts_.EnablePageButtons(false);
  Show(c.VTCleanResult, true);
  ShowStartLink(false);
  Show(c.LblReClean, false);
  Show(c.ChkAutoShutdown, true);
  EnableWindow(c.LabelAutoCleanOption, FALSE);
  InvalidateRect(c.LabelAutoCleanOption, nullptr, TRUE);  // its colour follows
  SetLabelText(c.Label4, LoadResString(IDS_ONECLICK_RUNNING));  // last: the page is complete when it shows
}

void TMainOneClickPage::ShowDone(unsigned headlineId) {
  const TMainControls& c = c_;
  EnableWindow(c.LabelAutoCleanOption, TRUE);
  InvalidateRect(c.LabelAutoCleanOption, nullptr, TRUE);
  ShowStatistics(true);
  SetPictureBitmap(c.Image3, parts_.FinishedPicture);
  Show(c.Image6, false);
  Show(c.Image3, true);
  if (parts_.EnablePageButtons) parts_.EnablePageButtons(true);
  Show(c.VTCleanResult, true);
  ShowStartLink(false);
  Show(c.LblReClean, true);
  Show(c.ChkAutoShutdown, false);
  SetLabelText(c.Label4, LoadResString(headlineId));
}

void TMainOneClickPage::ShowFinished() {
  if (parts_.ShowStatistics) parts_.ShowStatistics();
  wchar_t result[256] = {};
  GetWindowTextW(c_.Label5, result, 255);
  SendMessageW(c_.StatusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(result));
  ShowDone(IDS_ONECLICK_DONE);
}

void TMainOneClickPage::ShowNothingToClean() {
  SetLabelText(c_.Label5, LoadResString(IDS_ONECLICK_NOTHING));
  SendMessageW(c_.StatusBar, SB_SETTEXTW, 0,
               reinterpret_cast<LPARAM>(WideFromGbk(LoadResString(IDS_STATE_GOOD)).c_str()));
  ShowDone(IDS_STATE_GOOD);
}

void TMainOneClickPage::ShowCancelled() {
  const TMainControls& c = c_;
  ShowStatistics(true);
  Show(c.Image6, false);
  Show(c.Image3, true);  // its picture stays what it was
  if (parts_.EnablePageButtons) parts_.EnablePageButtons(true);
  Show(c.VTCleanResult, false);
  ShowStartLink(true);
  Show(c.LblReClean, false);
  Show(c.ChkAutoShutdown, false);
  EnableWindow(c.LabelAutoCleanOption, TRUE);
  InvalidateRect(c.LabelAutoCleanOption, nullptr, TRUE);
  SetLabelText(c.Label4, LoadResString(IDS_ONECLICK_CANCELLED));
}

void TMainOneClickPage::ResetProgress(int maximum) {
  HWND bar = c_.ProgressBar1;
  SendMessageW(bar, PBM_SETRANGE32, 0, maximum);
  SendMessageW(bar, PBM_SETSTEP, 1, 0);
  SendMessageW(bar, PBM_SETPOS, 0, 0);
}

void TMainOneClickPage::StepProgress() {
  HWND bar = c_.ProgressBar1;
  SendMessageW(bar, PBM_STEPIT, 0, 0);
  UpdateWindow(bar);  // the clean does not let messages through
}

void TMainOneClickPage::EnableCancel(bool enabled) { EnableWindow(c_.Button1, enabled); }

bool TMainOneClickPage::AutoShutdownChecked() {
  return SendMessageW(c_.ChkAutoShutdown, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TMainOneClickPage::ExpandRow(TTreeNode* row) { parts_.CleanResultTree->SetExpanded(row, true); }

void TMainOneClickPage::RepaintRow(TTreeNode*) { UpdateWindow(c_.VTCleanResult); }
