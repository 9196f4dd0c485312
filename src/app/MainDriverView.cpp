#include "app/MainDriverView.h"

#include <commctrl.h>

#include "app/MainLayout.h"
#include "system/ResStrings.h"
#include "res/resource.h"
#include "ui/MessagePump.h"
#include "system/WideText.h"

std::string TMainDriverView::ScanButtonCaption() {
  wchar_t text[64] = {};
  GetWindowTextW(c_.BtnScanTrace, text, 63);
  return GbkFromWide(text);
}

void TMainDriverView::SetScanButtonCaption(const std::string& caption) {
  SetWindowTextW(c_.BtnScanTrace, WideFromGbk(caption).c_str());
}

void TMainDriverView::EnableScanButton(bool enabled) { EnableWindow(c_.BtnScanTrace, enabled); }
void TMainDriverView::EnableCleanButton(bool enabled) { EnableWindow(c_.BtnDeleteAllTrace, enabled); }
void TMainDriverView::EnableCloseButton(bool enabled) { EnableWindow(c_.BtnClose, enabled); }

void TMainDriverView::EnableLinks(bool enabled) {
  const TMainControls& c = c_;
  // The colour follows the enabled state (green or grey) when the label repaints.
  for (HWND link : {c.Label1, c.Label2, c.Label3, c.LblRestore, c.LblOption}) {
    EnableWindow(link, enabled);
    InvalidateRect(link, nullptr, TRUE);
  }
}

void TMainDriverView::ShowAdvancedImage(TAdvancedImage image) {
  const TMainControls& c = c_;
  ShowWindow(c.ImgDesc, image == TAdvancedImage::Description ? SW_SHOW : SW_HIDE);
  ShowWindow(c.ImgWarn, image == TAdvancedImage::Warning ? SW_SHOW : SW_HIDE);
  ShowWindow(c.ImgApp, image == TAdvancedImage::Application ? SW_SHOW : SW_HIDE);
}

void TMainDriverView::SetDescription(const std::string& first, const std::string& second, const std::string& third,
                                     TTextStyle thirdStyle) {
  const TMainControls& c = c_;
  SetLabelStyle(c.LblDesc3, thirdStyle == TTextStyle::Warning ? TLabelStyle::Warning : TLabelStyle::Normal,
                thirdStyle == TTextStyle::Warning ? parts_.Fonts->Bold() : parts_.Fonts->Normal());
  SetLabelText(c.LblDesc1, first);
  SetLabelText(c.LblDesc2, second);
  SetLabelText(c.LblDesc3, third);
  LayOutInLine(c.LblDesc1, c.LblDesc2, c.LblDesc3);
}

void TMainDriverView::SetStatusText(const std::string& text) {
  SendMessageW(c_.StatusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(WideFromGbk(text).c_str()));
}

void TMainDriverView::ScrollIntoView(TTreeNode* node) { if (parts_.ScrollTo) parts_.ScrollTo(node); }

void TMainDriverView::RepaintTree() { InvalidateRect(c_.VTTraceOption, nullptr, FALSE); }

void TMainDriverView::ReportOneClickStep(int step) { if (parts_.ReportOneClickStep) parts_.ReportOneClickStep(step); }

bool TMainDriverView::AskYesNo(const std::string& text) {
  if (unattended_) return false;
  return MessageBoxW(parts_.Owner, WideFromGbk(text).c_str(), WideFromGbk(LoadResString(IDS_CAPTION)).c_str(),
                     MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TMainDriverView::ShowNotice(const std::string& text) {
  if (unattended_) return;
  MessageBoxW(parts_.Owner, WideFromGbk(text).c_str(), WideFromGbk(LoadResString(IDS_CAPTION)).c_str(),
              MB_OK | MB_ICONINFORMATION);
}

void TMainDriverView::ProcessMessages() { PumpMessages(); }
