#include "app/MainLayout.h"

#include <commctrl.h>

#include <string>

#include "app/FormFonts.h"
#include "system/ResStrings.h"
#include "res/MainStrings.h"
#include "res/resource.h"
#include "ui/Panel.h"
#include "system/WideText.h"

namespace {

const wchar_t kStyleProp[] = L"PurvexLabelStyle";
const COLORREF kPageColor = RGB(247, 252, 246);
const int kBannerHeight = 70;

HWND Child(HWND parent, const wchar_t* cls, const std::string& text, DWORD style, int id, int x, int y, int w, int h,
           HFONT font) {
  HWND hwnd = CreateWindowExW(0, cls, WideFromGbk(text).c_str(), WS_CHILD | style, x, y, w, h, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (hwnd && font) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return hwnd;
}

// A static label; links notify their clicks.
HWND Label(HWND parent, const std::string& text, int id, int x, int y, int w, int h, TLabelStyle style, HFONT font,
           bool visible = true) {
  bool link = style == TLabelStyle::Link || style == TLabelStyle::StartLink;
  DWORD s = SS_LEFT | SS_NOPREFIX | (visible ? WS_VISIBLE : 0) | (link ? SS_NOTIFY : 0);
  HWND label = Child(parent, L"STATIC", text, s, id, x, y, w, h, font);
  if (label) SetPropW(label, kStyleProp, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(style) + 1));
  return label;
}

HWND Button(HWND parent, const std::string& text, int id, int x, int y, int w, int h, HFONT font, DWORD extra = 0) {
  return Child(parent, L"BUTTON", text, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | extra, id, x, y, w, h, font);
}

HWND Tree(TCheckTree& tree, HWND parent, int id, int x, int y, int w, int h, bool visible, HFONT font) {
  RECT bounds = {x, y, x + w, y + h};
  HWND hwnd = tree.Create(parent, id, bounds, WS_TABSTOP | (visible ? WS_VISIBLE : 0));
  if (hwnd) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return hwnd;
}

void CreateHomePage(HWND page, HWND form, const TMainPictures& p, const TFormFonts& f, TMainControls& c,
                    TMainTrees& trees) {
  c.StatusPanel = CreatePanel(page, 12, 11, 550, 118, kPageColor, p.HomepagePanelPure, form);
  c.Image3 = CreatePicture(c.StatusPanel, ID_IMAGE3, 20, 20, 48, 48, p.ImgError);
  c.Image6 = CreatePicture(c.StatusPanel, ID_IMAGE6, 20, 20, 48, 48, p.ImgBusy, false);
  c.Label4 = Label(c.StatusPanel, "", ID_LABEL4, 84, 16, 450, 24, TLabelStyle::Normal, f.Larger3());
  c.Label6 = Label(c.StatusPanel, "", ID_LABEL6, 84, 48, 450, 16, TLabelStyle::Normal, f.Normal());
  c.Label5 = Label(c.StatusPanel, "", ID_LABEL5, 84, 68, 450, 16, TLabelStyle::Normal, f.Normal());
  c.Label12 = Label(c.StatusPanel, "", ID_LABEL12, 84, 88, 450, 16, TLabelStyle::Normal, f.Normal());
  c.ProgressBar1 = Child(c.StatusPanel, PROGRESS_CLASSW, "", 0, ID_PROGRESSBAR1, 84, 56, 360, 18, nullptr);
  c.Button1 = Button(c.StatusPanel, LoadResString(IDS_BUTTON1), ID_BUTTON1, 456, 52, 75, 25, f.Normal());
  ShowWindow(c.Button1, SW_HIDE);

  c.DescPanel = CreatePanel(page, 12, 136, 550, 273, kPageColor, nullptr, form);
  c.Label7 = Label(c.DescPanel, LoadResString(IDS_LABEL7), ID_LABEL7, 16, 14, 500, 18, TLabelStyle::Heading, f.Bold());
  c.Label8 = Label(c.DescPanel, LoadResString(IDS_LABEL8), ID_LABEL8, 16, 44, 520, 16, TLabelStyle::Normal, f.Normal());
  c.Label9 = Label(c.DescPanel, LoadResString(IDS_LABEL9), ID_LABEL9, 16, 64, 520, 16, TLabelStyle::Normal, f.Normal());
  c.Label11 = Label(c.DescPanel, "", ID_LABEL11, 16, 84, 520, 16, TLabelStyle::Normal, f.Normal());
  c.Image5 = CreatePicture(c.DescPanel, ID_IMAGE5, 195, 140, 160, 52, p.ImgStart);
  c.Label10 = Label(c.DescPanel, LoadResString(IDS_LABEL10), ID_LABEL10, 215, 150, 120, 34, TLabelStyle::StartLink,
                    f.Larger10());
  SetWindowLongW(c.Label10, GWL_STYLE, GetWindowLongW(c.Label10, GWL_STYLE) | SS_CENTER);
  c.LblReClean = Label(c.DescPanel, LoadResString(IDS_LBL_RECLEAN), ID_LBL_RECLEAN, 470, 246, 64, 16,
                       TLabelStyle::Link, f.Underlined(), false);
  c.VTCleanResult = Tree(trees.CleanResult, c.DescPanel, ID_VT_CLEANRESULT, 16, 40, 518, 196, false, f.Normal());
  // The result tree lies over the description; the labels must not paint into it.
  for (HWND label : {c.Label7, c.Label8, c.Label9, c.Label11})
    SetWindowLongW(label, GWL_STYLE, GetWindowLongW(label, GWL_STYLE) | WS_CLIPSIBLINGS);
  SetWindowPos(c.VTCleanResult, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  c.ChkAutoShutdown = Child(c.DescPanel, L"BUTTON", LoadResString(IDS_CHK_AUTOSHUTDOWN), BS_AUTOCHECKBOX | WS_TABSTOP,
                            ID_CHK_AUTOSHUTDOWN, 16, 244, 200, 18, f.Normal());

  c.VTLog = Tree(trees.Log, page, ID_VT_LOG, 578, 9, 190, 233, true, f.Normal());
  c.LblShortcut = Label(page, LoadResString(IDS_LBL_SHORTCUT), ID_LBL_SHORTCUT, 582, 248, 120, 16, TLabelStyle::Navy,
                        f.Bold());
  c.LabelAutoCleanOption = Label(page, LoadResString(IDS_LABEL_AUTOCLEAN), ID_LABEL_AUTOCLEAN, 582, 271, 120, 16,
                                 TLabelStyle::Link, f.Underlined());
  c.NotePanel = CreatePanel(page, 578, 305, 189, 114, kPageColor, nullptr, form);
  c.Label16 = Label(c.NotePanel, "", ID_LABEL16, 4, 2, 180, 16, TLabelStyle::Heading, f.Bold());
  c.NoteMemo = Child(c.NotePanel, L"EDIT", "", WS_VISIBLE | ES_MULTILINE | ES_READONLY | WS_VSCROLL, ID_NOTEMEMO, 4, 20,
                     181, 72, f.Normal());
  c.Label17 = Label(c.NotePanel, "", ID_LABEL17, 4, 95, 180, 16, TLabelStyle::Link, f.Underlined());
}

void CreateAdvancedPage(HWND page, const TMainPictures& p, const TFormFonts& f, TMainControls& c,
                        TMainTrees& trees) {
  c.ImgDesc = CreatePicture(page, ID_IMG_DESC, 9, 5, 16, 16, p.ImgDesc, false);
  c.ImgWarn = CreatePicture(page, ID_IMG_WARN, 9, 5, 16, 16, p.ImgWarn, false);
  c.ImgApp = CreatePicture(page, ID_IMG_APP, 9, 5, 16, 16, p.ImgApp, true);
  c.LblDesc1 = Label(page, LoadResString(IDS_DESC_IDLE_TEXT), ID_LBL_DESC1, 32, 5, 700, 16, TLabelStyle::Normal, f.Normal());
  c.LblDesc2 = Label(page, "", ID_LBL_DESC2, 32, 5, 0, 16, TLabelStyle::Red, f.Normal());
  c.LblDesc3 = Label(page, "", ID_LBL_DESC3, 32, 5, 0, 16, TLabelStyle::Normal, f.Normal());
  c.VTTraceOption = Tree(trees.TraceOption, page, ID_VT_TRACEOPTION, 6, 28, 763, 367, true, f.Normal());
  struct Link {
    HWND* Handle;
    int TextId, Id, Left, Width;
  } links[] = {
      {&c.Label1, IDS_LABEL1, ID_LABEL1, 13, 36},          {&c.Label2, IDS_LABEL2, ID_LABEL2, 53, 48},
      {&c.Label3, IDS_LABEL3, ID_LABEL3, 104, 36},         {&c.LblRestore, IDS_LBL_RESTORE, ID_LBL_RESTORE, 144, 72},
      {&c.LblOption, IDS_LBL_OPTION, ID_LBL_OPTION, 224, 36},
  };
  for (const Link& l : links)
    *l.Handle = Label(page, LoadResString(l.TextId), l.Id, l.Left, 413, l.Width, 16, TLabelStyle::Link, f.Underlined());
  c.BtnScanTrace = Button(page, LoadResString(IDS_SCAN_START), ID_BTN_SCANTRACE, 520, 408, 75, 25, f.Normal());
  c.BtnDeleteAllTrace = Button(page, LoadResString(IDS_BTN_DELETE), ID_BTN_DELETEALLTRACE, 606, 408, 75, 25, f.Normal());
  EnableWindow(c.BtnDeleteAllTrace, FALSE);
  c.BtnClose = Button(page, LoadResString(IDS_BTN_CLOSE), ID_BTN_CLOSE, 693, 408, 75, 25, f.Normal());
}

}  // namespace

void CreateMainControls(HWND form, const TMainPictures& p, const TFormFonts& f, TMainControls& c,
                        TMainTrees& trees) {
  RECT client;
  GetClientRect(form, &client);
  c.Banner = CreatePanel(form, 0, 0, client.right, kBannerHeight, kPageColor, p.Banner, form);
  // Owner-drawn page buttons: their window text is the caption, drawn with the bitmap.
  c.BtnHomepage = Child(c.Banner, L"BUTTON", LoadResString(IDS_BTN_HOMEPAGE), WS_VISIBLE | BS_OWNERDRAW | WS_TABSTOP,
                        ID_BTN_HOMEPAGE, 10, 7, 62, 65, f.Normal());
  c.BtnOverview = Child(c.Banner, L"BUTTON", LoadResString(IDS_BTN_OVERVIEW), WS_VISIBLE | BS_OWNERDRAW | WS_TABSTOP,
                        ID_BTN_OVERVIEW, 77, 7, 62, 65, f.Normal());
  c.Label13 = Label(c.Banner, "", ID_LABEL13, 615, 12, 160, 44, TLabelStyle::Link, nullptr);

  c.StatusBar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, form,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(ID_STATUSBAR)), GetModuleHandleW(nullptr),
                                nullptr);
  SendMessageW(c.StatusBar, WM_SETFONT, reinterpret_cast<WPARAM>(f.Normal()), FALSE);
  int parts[2] = {520, 520 + 250};
  SendMessageW(c.StatusBar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  RECT status;
  GetWindowRect(c.StatusBar, &status);
  int pageTop = kBannerHeight, pageHeight = client.bottom - kBannerHeight - (status.bottom - status.top);

  // The page control without tabs: two panels, one shown at a time.
  c.HomePage = CreatePanel(form, 0, pageTop, client.right, pageHeight, kPageColor, nullptr, form);
  c.AdvancedPage = CreatePanel(form, 0, pageTop, client.right, pageHeight, kPageColor, nullptr, form);
  ShowWindow(c.AdvancedPage, SW_HIDE);
  CreateHomePage(c.HomePage, form, p, f, c, trees);
  CreateAdvancedPage(c.AdvancedPage, p, f, c, trees);
}

void SetLabelStyle(HWND label, TLabelStyle style, HFONT font) {
  SetPropW(label, kStyleProp, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(style) + 1));
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

TLabelStyle LabelStyleOf(HWND label) {
  INT_PTR v = reinterpret_cast<INT_PTR>(GetPropW(label, kStyleProp));
  return v > 0 ? static_cast<TLabelStyle>(v - 1) : TLabelStyle::Normal;
}

void SetLabelText(HWND label, const std::string& gbkText) {
  HWND parent = GetParent(label);
  RECT r;
  GetWindowRect(label, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  SetWindowTextW(label, WideFromGbk(gbkText).c_str());
  // The label is see-through: what lies behind its old text must be painted again.
  InvalidateRect(parent, &r, TRUE);
}

void LayOutInLine(HWND first, HWND second, HWND third) {
  HWND labels[3] = {first, second, third};
  RECT r;
  GetWindowRect(first, &r);
  MapWindowPoints(nullptr, GetParent(first), reinterpret_cast<POINT*>(&r), 2);
  int x = r.left;
  for (HWND label : labels) {
    wchar_t text[512] = {};
    GetWindowTextW(label, text, 511);
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    SetWindowPos(label, nullptr, x, r.top, size.cx, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(label, nullptr, TRUE);
    x += size.cx;
  }
  InvalidateRect(GetParent(first), nullptr, TRUE);
}
