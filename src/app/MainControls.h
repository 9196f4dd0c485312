// The child windows of TFormPurvex: identifiers and handles.
#pragma once
#include <windows.h>

#include "ui/CheckTree.h"

enum TMainControlId {
  ID_BTN_HOMEPAGE = 1001, ID_BTN_OVERVIEW, ID_LABEL13, ID_STATUSBAR,
  // Home page
  ID_IMAGE3, ID_IMAGE6, ID_LABEL4, ID_LABEL6, ID_LABEL5, ID_LABEL12, ID_PROGRESSBAR1, ID_BUTTON1,
  ID_LABEL7, ID_LABEL8, ID_LABEL9, ID_LABEL11, ID_IMAGE5, ID_LABEL10, ID_LBL_RECLEAN, ID_VT_CLEANRESULT,
  ID_CHK_AUTOSHUTDOWN, ID_LBL_SHORTCUT, ID_LABEL_AUTOCLEAN, ID_VT_LOG, ID_LABEL16, ID_NOTEMEMO, ID_LABEL17,
  // Advanced page
  ID_IMG_DESC, ID_IMG_WARN, ID_IMG_APP, ID_LBL_DESC1, ID_LBL_DESC2, ID_LBL_DESC3, ID_VT_TRACEOPTION,
  ID_LABEL1, ID_LABEL2, ID_LABEL3, ID_LBL_RESTORE, ID_LBL_OPTION, ID_BTN_SCANTRACE, ID_BTN_DELETEALLTRACE,
  ID_BTN_CLOSE,
  // Context menu PMLocate
  ID_MI_FILE, ID_MI_REGISTRY,
};

struct TMainControls {
  HWND Banner, BtnHomepage, BtnOverview, Label13, StatusBar;
  HWND HomePage, AdvancedPage;
  // Home page
  HWND StatusPanel, Image3, Image6, Label4, Label6, Label5, Label12, ProgressBar1, Button1;
  HWND DescPanel, Label7, Label8, Label9, Label11, Image5, Label10, LblReClean, VTCleanResult, ChkAutoShutdown;
  HWND LblShortcut, LabelAutoCleanOption, VTLog, NotePanel, Label16, NoteMemo, Label17;
  // Advanced page
  HWND ImgDesc, ImgWarn, ImgApp, LblDesc1, LblDesc2, LblDesc3, VTTraceOption;
  HWND Label1, Label2, Label3, LblRestore, LblOption, BtnScanTrace, BtnDeleteAllTrace, BtnClose;
};

// Text colours and font styles of the labels.
enum class TLabelStyle { Normal, Link, Heading, Navy, Red, StartLink, Warning };

// The pictures of the resources, loaded once.
struct TMainPictures {
  HBITMAP Banner, BtnClean, BtnAdvanceClean, HomepagePanelPure, ImgRight, ImgError, ImgBusy, ImgStart, ImgDesc,
      ImgWarn, ImgApp;
};

// The three trees of the window (VTTraceOption, VTCleanResult, VTLog).
struct TMainTrees {
  TCheckTree TraceOption;
  TCheckTree CleanResult;
  TCheckTree Log;
};
