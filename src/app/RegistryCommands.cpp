// The main window's registry commands: locating a finding in the registry editor and
// restoring the newest backup.
#include <windows.h>

#include "app/MainUnit.h"
#include "items/ResultRows.h"
#include "core/RegistryViewRules.h"
#include "registry/RegBackup.h"
#include "registry/RegistryLocate.h"
#include "res/resource.h"
#include "system/AppContext.h"
#include "system/ResStrings.h"
#include "system/WideText.h"

void TFormPurvex::MIRegistryClick() {
  TTreeNode* node = traceTree_.FocusedNode();
  if (!node || !IsRegistryFinding(node->Data)) return;
  const Column4TreeData& d = node->Data;
  // A finding of the default view is shown under its "Wow6432Node" path, which the 64-bit
  // editor lists.
  const std::string path = core::MapToWow32Path(d.Root, d.Path, d.Kind == kKindView64, AppContext().IsWow64());
  LocateInRegistryEditor(d.Root + "\\" + path, d.Name);
}

void TFormPurvex::LblRestoreClick() {
  const std::wstring caption = WideFromGbk(LoadResString(IDS_CAPTION));
  auto tell = [&](int text) {
    MessageBoxW(hwnd_, WideFromGbk(LoadResString(text)).c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
  };
  if (MessageBoxW(hwnd_, WideFromGbk(LoadResString(IDS_RESTORE_CONFIRM)).c_str(), caption.c_str(),
                  MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
    return;
  HCURSOR normal = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
  const TRestoreResult result = RestoreNewestBackup();
  SetCursor(normal);
  if (result == TRestoreResult::NoBackup)
    tell(IDS_RESTORE_NONE);
  else
    tell(result == TRestoreResult::Restored ? IDS_RESTORE_DONE : IDS_RESTORE_FAILED);
}
