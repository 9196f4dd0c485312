#include "app/MainUnit.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/ApplicationWindow.h"
#include "app/CleanStatistics.h"
#include "app/ItemHandlerTable.h"
#include "app/ItemSelection.h"
#include "app/FamilyWindow.h"
#include "app/MainDriverView.h"
#include "app/MainLayout.h"
#include "app/OneClickFlow.h"
#include "app/OneClickPage.h"
#include "app/RunExit.h"
#include "app/TestFault.h"
#include "system/ResStrings.h"
#include "core/CommandLine.h"
#include "core/GbkText.h"
#include "core/LocateRules.h"
#include "items/ItemSummary.h"
#include "items/ResultRows.h"
#include "items/JunkProgress.h"
#include "junk/SysSweeperWrapper.h"
#include "registry/RegBackup.h"
#include "registry/RegistryCaches.h"
#include "res/MainStrings.h"
#include "traces/IEItems.h"
#include "traces/ShellHistoryScans.h"
#include "res/resource.h"
#include "system/AppContext.h"
#include "system/SysEvent.h"
#include "system/FolderValues.h"
#include "system/IEHistory.h"
#include "system/ToolsProcesses.h"
#include "system/ToolsShellOpen.h"
#include "system/ToolsViews.h"
#include "ui/Panel.h"
#include "system/WideText.h"
#include "ui/WindowThunk.h"

namespace {
const wchar_t kClassName[] = L"TFormPurvex";
const COLORREF kBackground = RGB(247, 252, 246);
const COLORREF kGreen = RGB(0, 128, 0);
const COLORREF kNavy = RGB(0, 0, 128);
const COLORREF kRed = RGB(255, 0, 0);
// Fixed single border with the system menu and the minimise box only.
const DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
const UINT kMsgScheduledClean = WM_USER + 118;  // 1142, to the family's main program
const UINT kMsgCleaned = WM_USER + 112;         // 1136, after every clean

HBITMAP LoadPicture(const wchar_t* name) {
  return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}
}  // namespace

TFormPurvex::TFormPurvex(TApplicationWindow& app) : app_(app) {
  background_.Reset(CreateSolidBrush(kBackground));
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  WNDCLASSW wc = {};
  wc.lpfnWndProc = ObjectWndProc<TFormPurvex>;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
  wc.hbrBackground = background_.Get();
  wc.lpszClassName = kClassName;
  RegisterClassW(&wc);

  RECT r = {0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&r, kStyle, FALSE, 0);
  int w = r.right - r.left, h = r.bottom - r.top;
  int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  std::string caption = LoadResString(IDS_CAPTION) + " " + LoadResString(IDS_PRODUCT_URL);
  hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, WideFromGbk(caption).c_str(), kStyle, x, y, w, h,
                          app.Handle(), nullptr, wc.hInstance, this);
  if (hwnd_ && !FormCreate()) {
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
}

TFormPurvex::~TFormPurvex() {
  if (hwnd_) DestroyWindow(hwnd_);
  FormDestroy();
}

void TFormPurvex::Show() {
  // The unattended run starts minimised: the form appears only when the user restores it.
  if (core::IsCleanNowRun(core::SplitCommandLine(GetCommandLineA()))) {
    app_.Minimize();
  } else {
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
  }
  FormShow();
}

HBITMAP TFormPurvex::OwnedPicture(const wchar_t* name) {
  ownedPictures_.emplace_back(LoadPicture(name));
  return ownedPictures_.back().Get();
}

void TFormPurvex::LoadPictures() {
  pictures_.Banner = OwnedPicture(L"BANNER");
  pictures_.BtnClean = OwnedPicture(L"BTNCLEAN");
  pictures_.BtnAdvanceClean = OwnedPicture(L"BTNADVANCECLEAN");
  pictures_.HomepagePanelPure = OwnedPicture(L"HOMEPAGEPANELPURE");
  pictures_.ImgRight = OwnedPicture(L"IMGRIGHT");
  pictures_.ImgError = OwnedPicture(L"IMGERROR");
  pictures_.ImgBusy = OwnedPicture(L"IMGBUSY");
  pictures_.ImgStart = OwnedPicture(L"IMGSTART");
  pictures_.ImgDesc = OwnedPicture(L"IMGDESC");
  pictures_.ImgWarn = OwnedPicture(L"IMGWARN");
  pictures_.ImgApp = OwnedPicture(L"IMGAPP");
}

bool TFormPurvex::FormCreate() {
  TAppContext& ctx = AppContext();
  // The Windows, system and temporary folders everything else depends on: without them
  // the program cannot work. The other folder values are best effort.
  if (!FillFolderValues(ctx)) {
    MessageBoxW(hwnd_, WideFromGbk(LoadResString(IDS_FOLDER_ERROR)).c_str(),
                WideFromGbk(LoadResString(IDS_CAPTION)).c_str(), MB_OK | MB_ICONERROR);
    return false;
  }
  fonts_.reset(new TFormFonts());
  LoadPictures();
  CreateMainControls(hwnd_, pictures_, *fonts_, c_, trees_);
  SetUpTraceTree();

  state_ = TRunState();
  ShowHomeStatistics(false);
  BtnHomepageClick();
  if (ctx.OSInfo && ctx.OSInfo->IsServer) ShowWindow(c_.LblRestore, SW_HIDE);

  junk_.reset(new TCleanWrapper());
  junk_->Initialize();
  junk_->Prepare();
  junk_->LoadSettings();
  CreateDrivers();
  pmLocate_.Reset(CreatePopupMenu());
  AppendMenuW(pmLocate_.Get(), MF_STRING, ID_MI_FILE, WideFromGbk(LoadResString(IDS_MI_FILE)).c_str());
  AppendMenuW(pmLocate_.Get(), MF_STRING, ID_MI_REGISTRY, WideFromGbk(LoadResString(IDS_MI_REGISTRY)).c_str());
  return true;
}

void TFormPurvex::PMLocatePopup() {
  TTreeNode* node = traceTree_.FocusedNode();
  core::TLocateCommands commands;
  if (node) commands = core::LocateCommandsFor(node->Level(), node->Data.Caption, node->Data.Kind, node->Data.Root);
  EnableMenuItem(pmLocate_.Get(), ID_MI_FILE, MF_BYCOMMAND | (commands.File ? MF_ENABLED : MF_GRAYED));
  EnableMenuItem(pmLocate_.Get(), ID_MI_REGISTRY, MF_BYCOMMAND | (commands.Registry ? MF_ENABLED : MF_GRAYED));
}

void TFormPurvex::ShowLocateMenu(POINT screen) {
  TTreeNode* node = traceTree_.FocusedNode();
  if (!node || node->Level() <= 1) return;  // the menu belongs to findings only
  PMLocatePopup();
  TrackPopupMenu(pmLocate_.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd_, nullptr);
}

void TFormPurvex::MIFileClick() {
  TTreeNode* node = traceTree_.FocusedNode();
  if (!node) return;
  const std::string path = core::LocateFilePath(node->Data.Caption, node->Data.Kind);
  if (path.empty()) return;
  const TAppContext& ctx = AppContext();
  const std::string parameters =
      core::ExplorerLocateParameters(path, ctx.MajorVersion(), ctx.OSInfo ? ctx.OSInfo->MinorVersion : 0, ctx.WindowsDir);
  TFsRedirectionGuard noRedirection;  // the finding may lie in the 64-bit system folder
  ShellExecuteA(nullptr, "open", "explorer.exe", parameters.c_str(), "", SW_SHOWNORMAL);
}

void TFormPurvex::SetUpTraceTree() {
  imageList1_.Reset(ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 87, 8));
  TBitmapHandle strip(LoadPicture(L"IMAGELIST1"));
  if (strip) ImageList_AddMasked(imageList1_.Get(), strip.Get(), RGB(255, 0, 255));
  TCheckTree& tree = trees_.TraceOption;
  tree.SetModel(&traceTree_);
  tree.SetImageList(imageList1_.Get());
  tree.SetColumns({TCheckTreeColumn()});
  FormResize();
  // While a scan or a clean runs the boxes are locked, nothing collapses, and only the
  // drivers themselves expand.
  traceTree_.SetCheckingHook([this](TTreeNode*, TCheckState) { return !state_.Scanning && !state_.Cleaning; });
  traceTree_.SetExpandingHook([this](TTreeNode*, bool expand) {
    if (!state_.Scanning && !state_.Cleaning) return true;
    return expand && state_.ExpandSwitch;
  });
  tree.Events.PaintText = [this](TTreeNode* node, int, TCheckTreeTextStyle& style) {
    if (state_.Scanning && node == state_.CurrentNode) style.Color = kRed;
  };
  tree.Events.Collapsed = [this](TTreeNode*) { trees_.TraceOption.FitColumnToContent(0); };
  tree.Events.TextOverflow = [this](TTreeNode*, int column, int) { trees_.TraceOption.FitColumnToContent(column); };
  tree.Events.ContextMenu = [this](TTreeNode*, POINT screen) { ShowLocateMenu(screen); };
  tree.Events.DblClick = [this](TTreeNode* node) {
    if (!node || node->Level() <= 1) return;
    if (!IsRegistryFinding(node->Data))
      MIFileClick();
    else
      MIRegistryClick();
  };

  std::vector<TCheckTreeColumn> resultColumns(2);
  resultColumns[0].Width = 290;
  resultColumns[1].Width = 203;
  resultColumns[1].Align = TColumnAlign::Right;
  trees_.CleanResult.SetModel(&cleanResultTree_);
  trees_.CleanResult.SetColumns(resultColumns);
  SetUpCleanResultTree();
  trees_.Log.SetModel(&logTree_);
  SetUpLogTree();
}

void TFormPurvex::FormResize() {
  RECT r;
  GetWindowRect(c_.VTTraceOption, &r);
  trees_.TraceOption.SetColumnWidth(0, (r.right - r.left) - 30);
}

void TFormPurvex::CreateDrivers() {
  TDriverViewParts parts;
  parts.Owner = hwnd_;
  parts.Controls = &c_;
  parts.Fonts = fonts_.get();
  parts.ScrollTo = [this](TTreeNode* node) { ScrollTraceTreeTo(node); };
  parts.ReportOneClickStep = [this](int step) { ReportOneClickStep(step); };
  driverView_.reset(new TMainDriverView(parts));
  RegisterItemHandlers(handlers_, invalidFiles_);
  AddTestFault(handlers_);
  TScanPhases scan;
  scan.ClearRegistryScanLists = ClearRegistryScanLists;
  scan.CreateInvalidFilesFinder = [this] { invalidFiles_.Create(); };
  scan.StopInvalidFilesFinder = [this] { invalidFiles_.Stop(); };
  junkProgress_.reset(new TJunkProgress(traceTree_, state_, *driverView_, *junk_, [this](bool on) {
    if (on)
      SetTimer(hwnd_, kTmrRubbish, 10, nullptr);
    else
      KillTimer(hwnd_, kTmrRubbish);
  }));
  scan.PrepareJunkScan = [this] { junkProgress_->PrepareJunkScan(); };
  scan.RunJunkScan = [this] { junkProgress_->RunJunkScan(); };
  scan.JunkSummary = [this](TTextStyle& style) { return junkProgress_->JunkSummary(style); };
  scan.JunkScanning = [this] { return junk_->IsScanning(); };
  scan.StopJunkScan = [this] { junk_->StopScan(); };
  scanDriver_.reset(new TScanDriver(traceTree_, state_, *driverView_, handlers_, scan));
  TCleanPhases clean;
  clean.BackupBeforeClean = [this](const std::vector<const TTreeNode*>& rows) {
    return BackupBeforeClean(rows, itemTree_.RegistryGroupNode);
  };
  clean.Services.Owner = hwnd_;
  clean.Services.ReportUndeletedFile = [this](const std::string& path) { junk_->ReportUndeletedFile(path); };
  clean.RestartExplorer = [] { KillProcessByName("explorer.exe", true); };
  clean.RecordCleanTime = ::RecordCleanTime;
  clean.RecordCleanStatistics = ::RecordCleanStatistics;
  clean.ShowStatistics = [this] { ShowHomeStatistics(true); };
  clean.NotifyFamily = [] {
    if (HWND family = FindFamilyMainWindow()) PostMessageW(family, kMsgCleaned, 0, 0);
  };
  cleanDriver_.reset(new TCleanDriver(traceTree_, state_, *driverView_, *scanDriver_, clean));
  CreateOneClickFlow();
}

TCatalogueSystem TFormPurvex::CatalogueSystem() const {
  const TAppContext& ctx = AppContext();
  TCatalogueSystem system;
  if (ctx.OSInfo) {
    system.MajorVersion = ctx.OSInfo->MajorVersion;
    system.MinorVersion = ctx.OSInfo->MinorVersion;
    system.OSName = ctx.OSInfo->OSName;
    system.IsWow64 = ctx.OSInfo->IsWow64;
    system.IsServer = ctx.OSInfo->IsServer;
  }
  return system;
}

void TFormPurvex::RestoreAfterError() {
  state_.Scanning = state_.Cleaning = false;
  state_.CurrentNode = nullptr;
  EnableWindow(c_.BtnScanTrace, TRUE);
  EnableWindow(c_.BtnClose, TRUE);
  driverView_->EnableLinks(true);
  driverView_->SetScanButtonCaption(LoadResString(IDS_SCAN_AGAIN));
  if (oneClickFlow_) oneClickFlow_->Cancelled();
  if (closeAfterScan_ || unattendedFailed_) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void TFormPurvex::ButtonScanTraceClick() {
  TRunExit onError([this] { RestoreAfterError(); });
  EnableWindow(c_.BtnClose, FALSE);
  driverView_->SetStatusText("");
  scanDriver_->ScanItems(false);
  driverView_->SetStatusText("");
  EnableWindow(c_.BtnClose, TRUE);
  if (closeAfterScan_ && !state_.Scanning) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void TFormPurvex::ButtonDelAllTraceClick() {
  TRunExit onError([this] { RestoreAfterError(); });
  EnableWindow(c_.BtnDeleteAllTrace, FALSE);
  state_.Cleaning = true;
  driverView_->EnableLinks(false);
  EnableWindow(c_.BtnScanTrace, FALSE);
  EnableWindow(c_.BtnClose, FALSE);
  driverView_->SetStatusText("");
  CleanWithoutRedirection(false);
  driverView_->SetScanButtonCaption(LoadResString(IDS_SCAN_AGAIN));
  EnableWindow(c_.BtnScanTrace, TRUE);
  EnableWindow(c_.BtnClose, TRUE);
  driverView_->EnableLinks(true);
  state_.Cleaning = false;
  trees_.TraceOption.FitColumnToContent(0);
  if (closeAfterScan_) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void TFormPurvex::SelectionLinkClick(HWND link, TSelectionLink kind) {
  // The one-click run keeps the links enabled; rebuilding the tree under its walk would
  // pull the items from under the drivers.
  if (state_.Scanning || state_.Cleaning) return;
  EnableWindow(link, FALSE);
  itemTree_ = ApplySelectionLink(traceTree_, CatalogueSystem(), *junk_, kind);
  junkProgress_->SetCategories(itemTree_.JunkCategories);
  driverView_->SetDescription(LoadResString(IDS_DESC_IDLE_TEXT), std::string(), std::string(), TTextStyle::Normal);
  EnableWindow(c_.BtnDeleteAllTrace, FALSE);
  driverView_->ShowAdvancedImage(TAdvancedImage::Application);
  EnableWindow(link, TRUE);
  trees_.TraceOption.FitColumnToContent(0);
}

void TFormPurvex::Label1Click() { SelectionLinkClick(c_.Label1, TSelectionLink::All); }
void TFormPurvex::Label2Click() { SelectionLinkClick(c_.Label2, TSelectionLink::None); }
void TFormPurvex::Label3Click() { SelectionLinkClick(c_.Label3, TSelectionLink::Recommended); }

void TFormPurvex::ScrollTraceTreeTo(TTreeNode* node) { trees_.TraceOption.ScrollIntoView(node, true); }

void TFormPurvex::FormShow() {
  if (!traceTree_.GetFirst()) {
    itemTree_ = BuildItemTree(traceTree_, CatalogueSystem(), *junk_, true, ReadItemChecked);
    junkProgress_->SetCategories(itemTree_.JunkCategories);
  }
  if (!logTree_.GetFirst()) LoadOfficialLog();
  if (core::IsCleanNowRun(core::SplitCommandLine(GetCommandLineA()))) {
    app_.Minimize();
    SetTimer(hwnd_, kTimer1, 1000, nullptr);
  }
  // The NT family gives back the working set that start-up used.
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

void TFormPurvex::FormActivate() {
  if (activatedOnce_) return;
  activatedOnce_ = true;
  RECT r;
  GetWindowRect(hwnd_, &r);
  SetWindowPos(hwnd_, nullptr, r.left, r.top - 15, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormPurvex::FormClose() {
  KillTimer(hwnd_, kTimer1);
  KillTimer(hwnd_, kTmrRubbish);
  SaveItemSelection(traceTree_);
}

bool TFormPurvex::ShowHomeStatistics(bool justCleaned) {
  core::TCleanStatisticsLabels labels = ShowCleanStatistics(justCleaned);
  SetLabelText(c_.Label6, labels.TimeLabel);
  SetLabelText(c_.Label5, labels.ResultLabel);
  SetLabelText(c_.Label12, labels.TotalLabel);
  if (!justCleaned) {
    SetPictureBitmap(c_.Image3, labels.RecentlyCleaned ? pictures_.ImgRight : pictures_.ImgError);
    SetLabelText(c_.Label4, LoadResString(labels.RecentlyCleaned ? IDS_STATE_GOOD : IDS_STATE_BAD));
  }
  return labels.RecentlyCleaned;
}

void TFormPurvex::FormDestroy() {
  pmLocate_.Reset();
  oneClickFlow_.reset();
  oneClickPage_.reset();
  cleanDriver_.reset();
  scanDriver_.reset();
  junkProgress_.reset();
  for (TCheckTree* tree : {&trees_.TraceOption, &trees_.CleanResult, &trees_.Log}) tree->SetModel(nullptr);
  imageList1_.Reset();
  driverView_.reset();
  junk_.reset();
  traceTree_.Clear();
  pictures_ = TMainPictures();
  ownedPictures_.clear();
  fonts_.reset();
}

void TFormPurvex::ShowPage(bool home) {
  homeSelected_ = home;
  ShowWindow(home ? c_.HomePage : c_.AdvancedPage, SW_SHOW);
  ShowWindow(home ? c_.AdvancedPage : c_.HomePage, SW_HIDE);
  InvalidateRect(c_.BtnHomepage, nullptr, TRUE);
  InvalidateRect(c_.BtnOverview, nullptr, TRUE);
}

void TFormPurvex::BtnHomepageClick() {
  if (state_.Scanning || state_.Cleaning) return;
  ShowPage(true);
}

void TFormPurvex::BtnOverviewClick() { ShowPage(false); }

void TFormPurvex::Label13Click() { OpenURL("http://" + LoadResString(IDS_PRODUCT_URL)); }

void TFormPurvex::LabelAutoCleanOptionClick() {
  HWND family = FindFamilyMainWindow();
  if (!family) return;
  PostMessageW(family, kMsgScheduledClean, 0, 0);
  PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void TFormPurvex::Button3Click() { PostMessageW(hwnd_, WM_CLOSE, 0, 0); }

void TFormPurvex::OnCommand(int id, int code) {
  // The notes box is for reading: the focus goes to its panel.
  if (id == ID_NOTEMEMO && code == EN_SETFOCUS) {
    SetFocus(c_.NotePanel);
    return;
  }
  if (code != BN_CLICKED && code != STN_CLICKED) return;
  switch (id) {
    case ID_BTN_HOMEPAGE: BtnHomepageClick(); break;
    case ID_BTN_OVERVIEW: BtnOverviewClick(); break;
    case ID_LABEL13: Label13Click(); break;
    case ID_LABEL_AUTOCLEAN: LabelAutoCleanOptionClick(); break;
    case ID_BTN_CLOSE: Button3Click(); break;
    case ID_BTN_SCANTRACE: ButtonScanTraceClick(); break;
    case ID_BTN_DELETEALLTRACE: ButtonDelAllTraceClick(); break;
    case ID_LABEL1: Label1Click(); break;
    case ID_LABEL2: Label2Click(); break;
    case ID_LABEL3: Label3Click(); break;
    case ID_MI_FILE: MIFileClick(); break;
    case ID_MI_REGISTRY: MIRegistryClick(); break;
    case ID_LBL_RESTORE: LblRestoreClick(); break;
    case ID_LBL_OPTION: LblOptionClick(); break;
    case ID_LABEL17: Label17Click(); break;
    case ID_LABEL10:
    case ID_LBL_RECLEAN: Label10Click(); break;
    case ID_BUTTON1: Button1Click(); break;
  }
}

LRESULT TFormPurvex::OnCtlColorStatic(HDC dc, HWND label) {
  COLORREF color = GetSysColor(COLOR_WINDOWTEXT);
  switch (LabelStyleOf(label)) {
    case TLabelStyle::Link: color = IsWindowEnabled(label) ? kGreen : RGB(193, 193, 193); break;
    case TLabelStyle::StartLink: color = RGB(255, 255, 255); break;
    case TLabelStyle::Navy: color = kNavy; break;
    case TLabelStyle::Red:
    case TLabelStyle::Warning: color = kRed; break;
    default: break;
  }
  SetTextColor(dc, color);
  // A read-only edit box asks here too: it paints its own background, or old text would
  // stay under new.
  wchar_t cls[16] = {};
  GetClassNameW(label, cls, 16);
  if (lstrcmpiW(cls, L"Edit") == 0) {
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  }
  SetBkMode(dc, TRANSPARENT);
  // See-through: the panel's picture or colour shows behind the text.
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

void TFormPurvex::DrawPageButton(const DRAWITEMSTRUCT& item) {
  bool home = item.hwndItem == c_.BtnHomepage;
  bool down = home == homeSelected_;
  PaintParentBackground(item.hwndItem, item.hDC);
  RECT r = item.rcItem;
  if (down || (item.itemState & ODS_SELECTED)) {
    // The selected page's button is shown pressed; the other stays flat and see-through.
    TBrushHandle face(CreateSolidBrush(RGB(226, 244, 222)));
    FillRect(item.hDC, &r, face.Get());
    DrawEdge(item.hDC, &r, BDR_SUNKENOUTER, BF_RECT);
  }
  RECT picture = {r.left + 11, r.top + 4, r.left + 51, r.top + 44};
  DrawStretchedBitmap(item.hDC, home ? pictures_.BtnClean : pictures_.BtnAdvanceClean, picture);
  wchar_t text[64] = {};
  GetWindowTextW(item.hwndItem, text, 63);
  HGDIOBJ old = SelectObject(item.hDC, down ? fonts_->Bold() : fonts_->Normal());
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, down ? RGB(0, 64, 0) : RGB(255, 255, 255));
  RECT textRect = {r.left, r.top + 44, r.right, r.bottom};
  DrawTextW(item.hDC, text, -1, &textRect, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(item.hDC, old);
  if (item.itemState & ODS_FOCUS) {
    RECT focus = r;
    InflateRect(&focus, -2, -2);
    DrawFocusRect(item.hDC, &focus);
  }
}

bool TFormPurvex::OnSetCursor(HWND over) {
  TLabelStyle style = over ? LabelStyleOf(over) : TLabelStyle::Normal;
  if ((style == TLabelStyle::Link || style == TLabelStyle::StartLink) && IsWindowEnabled(over)) {
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
    return true;
  }
  return false;
}

LRESULT TFormPurvex::OnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      OnCommand(LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_DRAWITEM: {
      const DRAWITEMSTRUCT& item = *reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      if (item.CtlType == ODT_BUTTON)
        DrawPageButton(item);
      else
        DrawPicture(item);
      return TRUE;
    }
    case WM_SETCURSOR:
      if (OnSetCursor(reinterpret_cast<HWND>(wp))) return TRUE;
      break;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) FormActivate();
      break;
    case WM_UPDATEUISTATE:
      // Focus rectangles and mnemonics changed: repaint everything.
      DefWindowProcW(hwnd, msg, wp, lp);
      RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return 0;
    case WM_SYSCOMMAND:
      if ((wp & 0xFFF0) == SC_MINIMIZE) {
        app_.Minimize();
        return 0;
      }
      break;
    case WM_TIMER:
      if (wp == kTimer1) {
        Timer1Timer();
        return 0;
      }
      if (wp == kTmrRubbish) {
        junkProgress_->TmrRubbishTimer();
        return 0;
      }
      break;
    case WM_CLOSE:
      // A scan runs beneath this message (it pumps them): stop it first and close when it
      // has returned, not while its walk still uses the window.
      if (state_.Scanning) {
        closeAfterScan_ = true;
        scanDriver_->StopRequest();
        return 0;
      }
      // A clean's question box lets this through: close once the clean has returned.
      if (state_.Cleaning) {
        closeAfterScan_ = true;
        return 0;
      }
      FormClose();
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}
