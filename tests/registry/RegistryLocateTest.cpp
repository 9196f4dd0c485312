// Locating findings in the real registry editor of the prefix, read back through its
// windows: the status bar names the selected key, the value list's selection its value.
#include "registry/RegistryLocate.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "core/RegistryViewRules.h"
#include "helpers/AtExit.h"
#include "helpers/RegistryTree.h"
#include "helpers/TestContext.h"
#include "registry/RegistryTestKey.h"
#include "system/WideText.h"

namespace {

// The status bar's text (the message is carried across processes by the system).
std::wstring StatusText(HWND editor) {
  wchar_t text[1024] = {};
  SendMessageW(FindEditorPart(editor, "msctls_statusbar32"), WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
  return text;
}

// LVITEMW as the editor's process lays it out, for a list read from another process.
template <typename Ptr>
struct TRemoteListItem {
  uint32_t mask;
  int32_t iItem, iSubItem;
  uint32_t state, stateMask;
  Ptr pszText;
  int32_t cchTextMax, iImage;
  Ptr lParam;
  int32_t iIndent;
};

template <typename Ptr>
std::wstring RemoteItemText(HANDLE process, HWND list, int index) {
  const size_t chars = 512;
  char* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, sizeof(TRemoteListItem<Ptr>) + chars * 2, MEM_COMMIT, PAGE_READWRITE));
  if (!remote) return L"<no memory>";
  TRemoteListItem<Ptr> item = {};
  item.iSubItem = 0;
  item.pszText = static_cast<Ptr>(reinterpret_cast<uintptr_t>(remote + sizeof item));
  item.cchTextMax = chars;
  WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
  SendMessageW(list, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(remote));
  wchar_t text[chars] = {};
  ReadProcessMemory(process, remote + sizeof item, text, sizeof text - 2, nullptr);
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  return text;
}

// The text of the value list's selected row, or "" when none is selected.
std::wstring SelectedValue(HWND editor) {
  HWND list = FindEditorPart(editor, "SysListView32");
  const int index = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (index < 0) return std::wstring();
  DWORD pid = 0;
  GetWindowThreadProcessId(list, &pid);
  HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid);
  BOOL editor32 = FALSE, self32 = FALSE;
  typedef BOOL(WINAPI * IsWow64Fn)(HANDLE, PBOOL);
  IsWow64Fn isWow64 = reinterpret_cast<IsWow64Fn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
  if (isWow64) {
    isWow64(process, &editor32);
    isWow64(GetCurrentProcess(), &self32);
  }
  // A 32-bit process under WOW64 and a 64-bit one lay the item out differently.
  const bool editor64 = sizeof(void*) == 8 ? !editor32 : (self32 && !editor32);
  std::wstring text = editor64 ? RemoteItemText<uint64_t>(process, list, index) : RemoteItemText<uint32_t>(process, list, index);
  CloseHandle(process);
  return text;
}

bool EndsWithNoCase(const std::wstring& text, const std::wstring& tail) {
  return text.size() >= tail.size() && lstrcmpiW(text.c_str() + text.size() - tail.size(), tail.c_str()) == 0;
}

}  // namespace

TEST(LocateInRegistryEditor, AValueOfTheDefaultViewIsShownUnderWow6432NodeAndAMinimisedEditorIsReused) {
  TTestContext context;
  const char* applet = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";
  HKEY probe;
  const bool appletExisted = RegOpenKeyExA(HKEY_CURRENT_USER, applet, 0, KEY_READ, &probe) == ERROR_SUCCESS;
  if (appletExisted) RegCloseKey(probe);
  TRegistryTestKey key(HKEY_LOCAL_MACHINE, "locate");
  key.SetText("", false, "PvxFirst", "1");
  key.SetText("", false, "PvxValue", "2");
  key.SetText("Sub", true, "Other", "3");
  const bool wow64 = context.Ctx.IsWow64();
  const std::string path = "HKEY_LOCAL_MACHINE\\" + core::MapToWow32Path("HKEY_LOCAL_MACHINE", key.Path(), false, wow64);
  TAtExit closeEditor([&] {
    if (HWND editor = FindWindowA("RegEdit_RegEdit", nullptr)) {
      PostMessageW(editor, WM_CLOSE, 0, 0);
      for (int i = 0; i < 50 && FindWindowA("RegEdit_RegEdit", nullptr); ++i) Sleep(100);
    }
    if (!appletExisted) RemoveRegistryTree(HKEY_CURRENT_USER, applet, false);
  });

  LocateInRegistryEditor(path, "PvxValue");
  HWND editor = FindWindowA("RegEdit_RegEdit", nullptr);
  ASSERT_NE(editor, nullptr) << "the editor was started";
  EXPECT_TRUE(EndsWithNoCase(StatusText(editor), WideFromGbk(path))) << GbkFromWide(StatusText(editor));
  if (wow64) {
    EXPECT_NE(StatusText(editor).find(L"Wow6432Node"), std::wstring::npos);
  }
  EXPECT_EQ(SelectedValue(editor), L"PvxValue");

  // A whole key of the 64-bit view, with the editor minimised: the same window comes back.
  ShowWindow(editor, SW_MINIMIZE);
  const std::string native = "HKEY_LOCAL_MACHINE\\" + key.Path("Sub");
  LocateInRegistryEditor(native, "");
  EXPECT_EQ(FindWindowA("RegEdit_RegEdit", nullptr), editor) << "no second editor";
  EXPECT_FALSE(IsIconic(editor));
  EXPECT_TRUE(EndsWithNoCase(StatusText(editor), WideFromGbk(native))) << GbkFromWide(StatusText(editor));
}
