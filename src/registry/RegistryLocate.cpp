#include "registry/RegistryLocate.h"

#include <windows.h>

#include "core/GbkText.h"
#include "system/Handles.h"
#include "system/ToolsViews.h"

namespace {

// Starting the editor waits for its first idle moment; an editor that never gets there is
// given up rather than waited for without end.
const DWORD kStartWaitMs = 30000;
// A tree control adds each typed character to the name it searches for until it has had
// no keystroke for a moment (Wine's waits 450 ms): the next key's name starts afresh only
// after that pause.
const DWORD kSearchResetMs = 500;

HWND FindEditor() { return FindWindowA("RegEdit_RegEdit", nullptr); }

HWND StartEditor() {
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpVerb = "open";
  info.lpFile = "regedit.exe";
  info.nShow = SW_SHOWNORMAL;
  {
    TFsRedirectionGuard noRedirection;  // the 64-bit editor on 64-bit Windows
    if (!ShellExecuteExA(&info)) return nullptr;
  }
  if (!info.hProcess) return FindEditor();
  WaitForInputIdle(info.hProcess, kStartWaitMs);
  // Some systems call a process idle before its window is there: look again for a while,
  // as long as the editor runs.
  HWND editor = FindEditor();
  for (DWORD start = GetTickCount(); !editor && GetTickCount() - start < kStartWaitMs; editor = FindEditor())
    if (WaitForSingleObject(info.hProcess, 50) == WAIT_OBJECT_0) break;
  CloseHandle(info.hProcess);
  return editor;
}

void Focus(HWND window) {
  SetForegroundWindow(window);
  SetFocus(window);
}

// Key messages as a keyboard sends them: a repeat count of one (controls ignore
// characters that come with no key data at all).
const LPARAM kOneKeystroke = 1;

void Type(HWND control, char c) {
  SendMessageA(control, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), kOneKeystroke);
}

void Press(HWND control, WPARAM key) { SendMessageA(control, WM_KEYDOWN, key, kOneKeystroke); }

}  // namespace

// The editor's key tree and value list: children of its window in the editor of Windows,
// of an inner pane in others; the first of the class at any depth.
namespace {

struct TPartSearch {
  const char* Class;
  HWND Found;
};

BOOL CALLBACK MatchPart(HWND child, LPARAM lp) {
  auto* search = reinterpret_cast<TPartSearch*>(lp);
  char name[64] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, search->Class) != 0) return TRUE;
  search->Found = child;
  return FALSE;
}

}  // namespace

HWND FindEditorPart(HWND editor, const char* className) {
  if (HWND direct = FindWindowExA(editor, nullptr, className, nullptr)) return direct;
  TPartSearch search = {className, nullptr};
  EnumChildWindows(editor, MatchPart, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

void LocateInRegistryEditor(const std::string& fullPath, const std::string& valueName) {
  HWND editor = FindEditor();
  if (editor) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (GetWindowPlacement(editor, &placement) && placement.showCmd == SW_SHOWMINIMIZED)
      ShowWindow(editor, SW_RESTORE);
  } else {
    editor = StartEditor();
  }
  if (!editor) return;
  ShowWindow(editor, SW_SHOW);
  SetForegroundWindow(editor);

  HWND tree = FindEditorPart(editor, "SysTreeView32");
  Focus(tree);
  DWORD processId = 0;
  GetWindowThreadProcessId(tree, &processId);
  TKernelHandle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId));
  auto waitIdle = [&process] {
    if (process) WaitForInputIdle(process.Get(), kStartWaitMs);
  };

  // Up to the root, every branch closed, then into the root.
  for (int i = 0; i < 30; ++i) Press(tree, VK_LEFT);
  waitIdle();
  Press(tree, VK_RIGHT);
  // Each character is one message; a double-byte character goes as its two bytes, as the
  // editor's ANSI window gets them.
  const std::string path = core::UpperGbk(fullPath);
  for (size_t i = 0; i < path.size();) {
    const size_t length = core::GbkCharLength(path, i);
    if (length == 1 && path[i] == '\\') {
      Press(tree, VK_RIGHT);
      waitIdle();
      Sleep(kSearchResetMs);
    } else {
      for (size_t k = 0; k < length; ++k) Type(tree, path[i + k]);  // a trail byte is no separator
    }
    i += length;
  }
  if (!valueName.empty()) {
    HWND list = FindEditorPart(editor, "SysListView32");
    Focus(list);
    Sleep(1000);  // the list shows the selected key's values
    Press(list, VK_HOME);
    for (char c : core::UpperGbk(valueName)) Type(list, c);
  }
  SetForegroundWindow(editor);
  SetFocus(editor);
}
