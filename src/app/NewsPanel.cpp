// The home page's news: the maker's official log and the notes box, read from Log.dat.
#include <windows.h>

#include "app/MainUnit.h"
#include "app/SettingsLibrary.h"
#include "core/GbkText.h"
#include "core/IniStream.h"
#include "core/OfficialLogRules.h"
#include "res/resource.h"
#include "system/AppContext.h"
#include "system/ResStrings.h"
#include "system/ToolsFiles.h"
#include "system/ToolsShellOpen.h"
#include "system/WideText.h"

namespace {

// Left of the right edge of the row's text.
bool OnEntryText(const TCheckTreeHit& hit) {
  return hit.Node && hit.Node->Parent() && hit.Part != TCheckTreePart::RightOfText &&
         hit.Part != TCheckTreePart::Nowhere;
}

}  // namespace

void TFormPurvex::SetUpLogTree() {
  TCheckTree& tree = trees_.Log;
  logTree_.SetExpandingHook([](TTreeNode*, bool expand) { return expand; });  // rows never collapse
  tree.Events.PaintText = [](TTreeNode* node, int, TCheckTreeTextStyle& style) {
    if (!node->Parent()) {
      style.Color = RGB(0, 0, 128);
      style.Bold = true;
      return;
    }
    style.Underline = true;
    const int32_t colour = core::LogEntryColour(node->Data.Name);
    if (colour >= 0) style.Color = static_cast<COLORREF>(colour);
  };
  tree.Events.MouseMove = [](const TCheckTreeHit& hit) {
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(OnEntryText(hit) ? IDC_HAND : IDC_ARROW)));
  };
  tree.Events.MouseDown = [](const TCheckTreeHit& hit, UINT button) {
    if (button != VK_LBUTTON || !OnEntryText(hit)) return;
    if (core::FindGbk(hit.Node->Data.Path, "http://") != std::string::npos) OpenURL(hit.Node->Data.Path);
  };
}

void TFormPurvex::LoadOfficialLog() {
  const std::string path = AppContext().ProgramDir + "Log.dat";
  if (!FileExistsStrict(path)) return;
  TStreamIniFile ini;
  if (!LoadMemIniFile(path, ini)) return;
  const std::vector<std::string> entries = ini.ReadSection("Purvex");
  if (!entries.empty()) {
    TTreeNode* root = logTree_.AddChild(nullptr, Column4TreeData{LoadResString(IDS_LOG_ROOT), "", "", "", "", -1});
    for (const std::string& key : entries) {
      const core::TLogEntryKey entry = core::SplitLogEntryKey(key);
      logTree_.AddChild(root, Column4TreeData{entry.Title, ini.ReadString("Purvex", key, ""), entry.Colour, "", "", -1});
    }
    logTree_.SetExpanded(root, true);
  }
  std::wstring notes;
  for (const std::string& key : ini.ReadSection("Note")) {
    std::string line;
    if (!core::NoteLineOfKey(key, line)) continue;
    SetWindowTextW(c_.Label16, WideFromGbk(LoadResString(IDS_NOTE_HEADING)).c_str());
    SetWindowTextW(c_.Label17, WideFromGbk(LoadResString(IDS_NOTE_MORE)).c_str());
    noteLink_ = ini.ReadString("Note", key, "");
    if (!notes.empty()) notes += L"\r\n";
    notes += WideFromGbk(line);
    SetWindowTextW(c_.NoteMemo, notes.c_str());
    SendMessageW(c_.NoteMemo, EM_SCROLL, SB_PAGEUP, 0);  // its top stays in sight
  }
}

void TFormPurvex::Label17Click() {
  if (!noteLink_.empty()) OpenURL(noteLink_);
}
