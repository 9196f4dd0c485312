// Importing a backup with the registry editor.
#include <windows.h>

#include "registry/RegBackup.h"
#include "system/AppContext.h"
#include "system/FileStream.h"
#include "system/FindFile.h"
#include "system/RegistryKey.h"
#include "system/ToolsPaths.h"
#include "system/ToolsViews.h"
#include "system/WideText.h"

namespace {

const DWORD kImportWaitMs = 60000;  // a large backup imports in seconds

const char kPolicyKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
const char kPolicyValue[] = "DisableRegistryTools";

// The policy that keeps the registry editor from running, switched off for one import and
// back on afterwards. A value of 1 is left alone, as the editor honours only higher ones
// for a silent import.
class TRegistryToolsPolicy {
 public:
  TRegistryToolsPolicy() {
    TRegistryKey key(HKEY_CURRENT_USER, kPolicyKey, true, KEY_QUERY_VALUE | KEY_SET_VALUE);
    DWORD type = REG_NONE, value = 0, size = sizeof value;
    if (!key || RegQueryValueExA(key.Handle(), kPolicyValue, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
                    ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value || value <= 1)
      return;
    const DWORD off = 0;
    if (RegSetValueExA(key.Handle(), kPolicyValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off), sizeof off) ==
        ERROR_SUCCESS) {
      old_ = value;
      suspended_ = true;
    }
  }
  ~TRegistryToolsPolicy() {
    if (!suspended_) return;
    TRegistryKey key(HKEY_CURRENT_USER, kPolicyKey, true, KEY_SET_VALUE);
    if (key) RegSetValueExA(key.Handle(), kPolicyValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof old_);
  }

 private:
  DWORD old_ = 0;
  bool suspended_ = false;
};

// The registry editor answers 0 whether or not it could import the file: after it ended,
// every key the file names must be there, in the view the file names it (the 64-bit
// editor writes the paths as they stand). Value lines are not checked.
bool KeysOfFileExist(const std::string& fileName) {
  TFileStream file(fileName, TFileStream::OpenRead);
  const long long size = file.IsOpen() ? file.Seek(0, core::SeekEnd) : 0;
  if (size < 2 || size > (1LL << 30) || file.Seek(0, core::SeekBegin) != 0) return false;
  std::string bytes(static_cast<size_t>(size), '\0');
  if (file.Read(&bytes[0], static_cast<int>(size)) != size) return false;
  std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / sizeof(wchar_t));
  const REGSAM view = AppContext().IsWow64() ? KEY_WOW64_64KEY : 0;
  bool any = false;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) end = text.size();
    const std::wstring line = text.substr(start, end - start);
    start = end + 2;
    if (line.size() < 3 || line.front() != L'[' || line.back() != L']') continue;
    const std::wstring name = line.substr(1, line.size() - 2);
    const size_t slash = name.find(L'\\');
    if (slash == std::wstring::npos) return false;
    const std::string root = GbkFromWide(name.substr(0, slash));
    HKEY key = nullptr;
    if (RegOpenKeyExW(RegistryRootByName(root), name.substr(slash + 1).c_str(), 0, KEY_READ | view, &key) !=
        ERROR_SUCCESS)
      return false;
    RegCloseKey(key);
    any = true;
  }
  return any;
}

std::string FileNamePart(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool RestoreFromFile(const std::string& fileName) {
  const TRegistryToolsPolicy policy;
  const TAppContext& ctx = AppContext();
  bool started = false, imported = false;
  {
    TFsRedirectionGuard noRedirection;  // the 64-bit editor on 64-bit Windows
    const std::string program = ExpandPathVariables("%systemroot%\\regedit.exe", ctx.IsWow64());
    std::string commandLine = program + " /s \"" + fileName + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    started = CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process) != FALSE;
    if (started) {
      // An editor that has not ended has not imported: the file stays to be restored.
      DWORD code = STILL_ACTIVE;
      imported = WaitForSingleObject(process.hProcess, kImportWaitMs) == WAIT_OBJECT_0 &&
                 GetExitCodeProcess(process.hProcess, &code) && code == 0 && KeysOfFileExist(fileName);
      if (imported) {
        CreateDirectoryA(ctx.RegRestoreDir.c_str(), nullptr);
        MoveFileExA(fileName.c_str(), (ctx.RegRestoreDir + "\\" + FileNamePart(fileName)).c_str(),
                    MOVEFILE_REPLACE_EXISTING);
      }
      CloseHandle(process.hProcess);
      CloseHandle(process.hThread);
    } else {
      // The user can still import it by hand.
      const std::string parameters = "/select,\"" + fileName + "\"";
      ShellExecuteA(nullptr, "open", "explorer.exe", parameters.c_str(), nullptr, SW_SHOWNORMAL);
    }
  }
  return imported;
}

TRestoreResult RestoreNewestBackup() {
  const std::string& folder = AppContext().RegBakDir;
  std::string newest;
  DWORD newestStamp = 0;
  for (TFindFile find(folder + "\\*.reg"); find.Found(); find.Next()) {
    // The file system's packed local date and time: two-second steps, the first of equals wins.
    FILETIME local;
    WORD date = 0, time = 0;
    FileTimeToLocalFileTime(&find.Data().ftLastWriteTime, &local);
    FileTimeToDosDateTime(&local, &date, &time);
    const DWORD stamp = (static_cast<DWORD>(date) << 16) | time;
    if (newest.empty() || stamp > newestStamp) {
      newest = find.Name();
      newestStamp = stamp;
    }
  }
  if (newest.empty() || !FileExistsAnyView(folder + "\\" + newest)) return TRestoreResult::NoBackup;
  return RestoreFromFile(folder + "\\" + newest) ? TRestoreResult::Restored : TRestoreResult::Failed;
}
