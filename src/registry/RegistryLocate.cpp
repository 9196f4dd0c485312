#include "registry/RegistryLocate.h"

#include <windows.h>

#include "core/GbkText.h"
#include "system/Handles.h"
#include "system/ToolsViews.h"

namespace {

// Starting the editor waits for its first idle moment; an editor that never gets there is
// given up rather than waited for without end.
const DWORD kStartWaitMs = 30000;

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
  if (info.hProcess) {
    WaitForInputIdle(info.hProcess, kStartWaitMs);
    CloseHandle(info.hProcess);
  }
  return FindEditor();
}

void Focus(HWND window) {
  SetForegroundWindow(window);
  SetFocus(window);
}

void Type(HWND control, char c) {
  SendMessageA(control, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 0);
}

}  // namespace

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

  HWND tree = FindWindowExA(editor, nullptr, "SysTreeView32", nullptr);
  Focus(tree);
  DWORD processId = 0;
  GetWindowThreadProcessId(tree, &processId);
  TKernelHandle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId));
  auto waitIdle = [&process] {
    if (process) WaitForInputIdle(process.Get(), kStartWaitMs);
  };

  // Up to the root, every branch closed, then into the root.
  for (int i = 0; i < 30; ++i) SendMessageA(tree, WM_KEYDOWN, VK_LEFT, 0);
  waitIdle();
  SendMessageA(tree, WM_KEYDOWN, VK_RIGHT, 0);
  // Each character is one message; a double-byte character goes as its two bytes, as the
  // editor's ANSI window gets them.
  const std::string path = core::UpperGbk(fullPath);
  for (size_t i = 0; i < path.size();) {
    const size_t length = core::GbkCharLength(path, i);
    if (length == 1 && path[i] == '\\') {
      SendMessageA(tree, WM_KEYDOWN, VK_RIGHT, 0);
      waitIdle();
    } else {
      for (size_t k = 0; k < length; ++k) Type(tree, path[i + k]);  // a trail byte is no separator
    }
    i += length;
  }
  if (!valueName.empty()) {
    HWND list = FindWindowExA(editor, nullptr, "SysListView32", nullptr);
    Focus(list);
    Sleep(1000);  // the list shows the selected key's values
    SendMessageA(list, WM_KEYDOWN, VK_HOME, 0);
    for (char c : core::UpperGbk(valueName)) Type(list, c);
  }
  SetForegroundWindow(editor);
  SetFocus(editor);
}
