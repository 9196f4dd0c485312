#include "traces/ShellHistoryScans.h"

#include <shellapi.h>

#include "core/UserAssistRules.h"
#include "items/ResultRows.h"
#include "system/LibraryHandle.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"
#include "system/ToolsFiles.h"
#include "traces/TraceFindings.h"

namespace {
const char kCurrentUser[] = "HKEY_CURRENT_USER";

// A value finding under HKEY_CURRENT_USER. The unnamed value gets the default-value name: an
// empty name would remove the whole key, the entries the user unchecked with it.
void AddKeyFinding(TItemScan& scan, const std::string& caption, const std::string& key, const std::string& value) {
  if (AddRegistryFinding(scan.Tree, caption, key, false, scan.Item, kCurrentUser, 0, "", "",
                         value.empty() ? kDefaultValueName : value))
    ++scan.Count;
}
}  // namespace

const char* const kUserAssistKeys[2] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\{5E6AB780-7743-11CF-A12B-00AA004AE837}\\Count",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\{75048700-EF1F-11D0-9888-006097DEACF9}\\Count",
};

void ScanUserAssistKey(const std::string& key, TItemScan& scan) {
  TRegistryKey counters(HKEY_CURRENT_USER, key, false, KEY_READ);
  if (!counters) return;
  for (const std::string& name : RegValueNames(counters.Handle())) {
    if (name == "{5E6AB780-7743-11CF-A12B-00AA004AE837}") continue;
    if (scan.KeepResponsive && scan.KeepResponsive()) break;
    core::TUserAssistName decoded = core::DecodeUserAssistName(name);
    if (decoded.Skip) continue;
    if (decoded.DrivePath) {
      // A path counts only when it names a missing file on a fixed (or rootless) drive.
      const std::string& path = decoded.Decoded;
      UINT drive = GetDriveTypeA(path.substr(0, 3).c_str());
      if (!core::HasThreeLetterExtension(path) || (drive != DRIVE_FIXED && drive != DRIVE_NO_ROOT_DIR) ||
          FileExistsStrict(path))
        continue;
    }
    AddKeyFinding(scan, std::string(kCurrentUser) + "\\" + key + "\\" + name, key, name);
  }
}

void ScanTrayIconStreams(int majorVersion, TItemScan& scan) {
  const std::string key = majorVersion < 6
                              ? "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify"
                              : "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\TrayNotify";
  TRegistryKey tray(HKEY_CURRENT_USER, key, false, KEY_READ);
  for (const char* value : {"IconStreams", "PastIconsStream"})
    if (tray && RegValueExists(tray.Handle(), value)) AddKeyFinding(scan, std::string(kCurrentUser) + "\\" + key + "\\" + value, key, value);
}

bool ScanSearchAssistantKey(const std::string& key, TSearchCaption caption, TItemScan& scan) {
  TRegistryKey list(HKEY_CURRENT_USER, key, false, KEY_READ);
  if (!list) return false;
  for (const std::string& name : RegValueNames(list.Handle())) {
    DWORD type = 0;
    if (RegQueryValueExA(list.Handle(), name.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) return true;
    std::string trimmed = name;
    while (!trimmed.empty() && static_cast<unsigned char>(trimmed.back()) <= ' ') trimmed.pop_back();
    while (!trimmed.empty() && static_cast<unsigned char>(trimmed.front()) <= ' ') trimmed.erase(0, 1);
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || trimmed.empty()) continue;
    // The text is read under the trimmed name, where nothing may be stored: a missing value
    // is an empty text. A read error ends the item quietly.
    std::string text;
    if (!ReadRegText(list.Handle(), trimmed, text)) return true;
    std::string shown = caption == TSearchCaption::WithKey ? std::string(kCurrentUser) + "\\" + key + "\\" + text : text;
    AddKeyFinding(scan, shown, key, name);
    if (scan.KeepResponsive && scan.KeepResponsive()) return true;
  }
  return false;
}

void QueryRecycleBin(int majorVersion, int minorVersion, TItemScan& scan, int32_t& count, int64_t& size) {
  count = 0;
  size = 0;
  // The wide calls: Wine's narrow ones pass an undefined root on when given none.
  SHQUERYRBINFO info = {};
  info.cbSize = sizeof info;
  if (majorVersion == 5 && minorVersion == 0) {
    // Windows 2000 answers per drive only.
    wchar_t drives[105] = {};
    GetLogicalDriveStringsW(104, drives);
    for (const wchar_t* root = drives; *root; root += lstrlenW(root) + 1) {
      info.cbSize = sizeof info;
      if (SUCCEEDED(SHQueryRecycleBinW(root, &info))) {
        count += static_cast<int32_t>(info.i64NumItems);
        size += info.i64Size;
      }
    }
  } else if (SUCCEEDED(SHQueryRecycleBinW(nullptr, &info))) {
    count = static_cast<int32_t>(info.i64NumItems);
    size = info.i64Size;
  }
  if (count > 0) AddResultNode(scan.Tree, "回收站中的数据", true, "", scan.Item, 0, "", "", "");
  scan.Count = count;
  scan.Size = size;
}

bool EmptyRecycleBin(HWND owner) {
  TLibrary shell("Shell32.dll");
  typedef HRESULT(WINAPI * EmptyFn)(HWND, LPCWSTR, DWORD);
  EmptyFn empty = shell.Proc<EmptyFn>("SHEmptyRecycleBinW");
  return empty && SUCCEEDED(empty(owner, nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND));
}

bool IsClipboardEmpty() {
  UINT formats[] = {128, 129, 130, 131, 142, 512, 767, 768, 1023};
  return GetPriorityClipboardFormat(formats, sizeof formats / sizeof formats[0]) == 0;
}

bool ClearClipboard(HWND owner) {
  if (!OpenClipboard(owner)) return false;
  const bool emptied = EmptyClipboard() != FALSE;
  CloseClipboard();
  return emptied;
}

void ScanClipboard(TItemScan& scan) {
  if (IsClipboardEmpty()) return;
  AddResultNode(scan.Tree, "剪贴板内容", true, "", scan.Item, 0, "", "", "");
  scan.Count = 1;
}
