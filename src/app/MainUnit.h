// TFormPurvex, the program's main window: banner with the page buttons, the home page with
// the one-click clean and the statistics, the advanced page with the cleaning item tree.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/FormFonts.h"
#include "app/MainControls.h"
#include "items/CleanDriver.h"
#include "items/ItemHandlers.h"
#include "items/ItemTree.h"
#include "items/ScanDriver.h"
#include "items/RunState.h"
#include "items/ScanTotals.h"
#include "items/TreeModel.h"
#include "system/Handles.h"
#include "traces/InvalidFiles.h"

class TApplicationWindow;
class TCleanWrapper;
class TJunkProgress;
class TMainDriverView;
class TMainOneClickPage;
class TOneClickFlow;


class TFormPurvex {
 public:
  static const int kClientWidth = 784;
  static const int kClientHeight = 538;
  static const UINT kTimer1 = 1;
  static const UINT kTmrRubbish = 2;

  explicit TFormPurvex(TApplicationWindow& app);
  ~TFormPurvex();
  TFormPurvex(const TFormPurvex&) = delete;
  TFormPurvex& operator=(const TFormPurvex&) = delete;

  HWND Handle() const { return hwnd_; }
  void Show();
  LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  const TMainControls& Controls() const { return c_; }
  const TFormFonts& Fonts() const { return *fonts_; }
  const TMainPictures& Pictures() const { return pictures_; }
  TTreeModel& CleanResultTree() { return cleanResultTree_; }
  // The two page buttons of the banner.
  void EnablePageButtons(bool enabled);
  TRunState& State() { return state_; }
  TTreeModel& TraceTree() { return traceTree_; }

  // Event handlers, named after the control and the event.
  bool FormCreate();
  void FormShow();
  void FormActivate();
  void Timer1Timer();
  void FormClose();
  void FormDestroy();
  void BtnHomepageClick();
  void BtnOverviewClick();
  void Label13Click();
  void LabelAutoCleanOptionClick();
  void Button3Click();
  // The statistics labels of the home page; at start-up also the state picture and line.
  bool ShowHomeStatistics(bool justCleaned);
  void ButtonScanTraceClick();
  void ButtonDelAllTraceClick();
  void Label1Click();  // 全选
  void Label2Click();  // 全不选
  void Label3Click();  // 推荐
  // The one-click clean of the home page ("Purvex" and "重新清理"), its cancel button,
  // and its progress, reported by both drivers.
  void Label10Click();
  void Button1Click();
  void ReportOneClickStep(int step);
  // The finding's context menu: which commands apply, and "定位到文件".
  void PMLocatePopup();
  void MIFileClick();
  // "定位到注册表": the focused registry finding in the registry editor.
  void MIRegistryClick();
  // "恢复注册表": the newest backup imported again, after a confirmation.
  void LblRestoreClick();
  // "选项": the junk-scan options; OK keeps them, Cancel reloads the engine's settings.
  void LblOptionClick();
  // The news panel: the official log and the notes from Log.dat beside the program.
  void LoadOfficialLog();
  void Label17Click();
  // Shows PMLocate at a screen position when the focused node is a finding.
  void ShowLocateMenu(POINT screen);
  void ScrollTraceTreeTo(TTreeNode* node);
  void FormResize();
  // After an error that left a scan or clean half-way: flags off, buttons, links and the
  // home page back, and a close asked for meanwhile carried out.
  void RestoreAfterError();
  // The unattended run met an error: it ends, the program's exit code says so.
  void FailUnattendedRun();
  bool UnattendedRunFailed() const { return unattendedFailed_; }

 private:
  void LoadPictures();
  // The bitmap resource, freed with the form.
  HBITMAP OwnedPicture(const wchar_t* name);
  void CreateDrivers();
  void CreateOneClickFlow();
  void SetUpCleanResultTree();
  // The clean of the selected items, with file-system redirection off on 64-bit Windows:
  // findings of both views are deleted at their own paths.
  void CleanWithoutRedirection(bool oneClick);
  void SetUpTraceTree();
  void SetUpLogTree();
  TCatalogueSystem CatalogueSystem() const;
  void SelectionLinkClick(HWND link, TSelectionLink kind);
  void ShowPage(bool home);
  void OnCommand(int id, int code);
  LRESULT OnCtlColorStatic(HDC dc, HWND label);
  void DrawPageButton(const DRAWITEMSTRUCT& item);
  bool OnSetCursor(HWND over);

  TApplicationWindow& app_;
  HWND hwnd_ = nullptr;
  TBrushHandle background_;
  TMenuHandle pmLocate_;
  std::unique_ptr<TFormFonts> fonts_;
  TMainPictures pictures_ = {};
  std::vector<TBitmapHandle> ownedPictures_;  // every bitmap of pictures_
  TMainControls c_ = {};
  TRunState state_;
  TTreeModel traceTree_;
  TTreeModel cleanResultTree_;
  TTreeModel logTree_;
  TMainTrees trees_;  // after the models: the controls go first
  TImageListHandle imageList1_;
  TItemTreeResult itemTree_;
  std::unique_ptr<TCleanWrapper> junk_;
  std::unique_ptr<TJunkProgress> junkProgress_;
  THandlerTable handlers_;
  TInvalidFilesSlot invalidFiles_;
  std::unique_ptr<TMainDriverView> driverView_;
  std::unique_ptr<TScanDriver> scanDriver_;
  std::unique_ptr<TCleanDriver> cleanDriver_;
  std::unique_ptr<TMainOneClickPage> oneClickPage_;
  std::unique_ptr<TOneClickFlow> oneClickFlow_;
  bool homeSelected_ = true;
  bool activatedOnce_ = false;
  bool closeAfterScan_ = false;  // the window was closed during a scan or a clean
  bool unattendedFailed_ = false;  // the "CleanNow" run met an error
  std::string noteLink_;         // where "了解详情" leads
};
