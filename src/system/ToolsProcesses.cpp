#include "system/ToolsProcesses.h"

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <map>
#include <vector>

#include "core/GbkText.h"
#include "system/AppContext.h"
#include "system/Handles.h"
#include "system/LibraryHandle.h"
#include "system/ToolsPrivileges.h"

namespace {

// ToolHelp came with Windows 2000 and PSAPI is a separate library there: both are looked
// up when first needed, and a system without them simply reports failure.
struct ToolHelpApi {
  typedef HANDLE(WINAPI* SnapshotFn)(DWORD, DWORD);
  typedef BOOL(WINAPI* WalkFn)(HANDLE, PROCESSENTRY32*);
  SnapshotFn Snapshot = nullptr;
  WalkFn First = nullptr;
  WalkFn Next = nullptr;
  ToolHelpApi() {
    HMODULE kernel = GetModuleHandleA("kernel32");
    Snapshot = ProcAddress<SnapshotFn>(kernel, "CreateToolhelp32Snapshot");
    First = ProcAddress<WalkFn>(kernel, "Process32First");
    Next = ProcAddress<WalkFn>(kernel, "Process32Next");
  }
  bool Ready() const { return Snapshot && First && Next; }
};

struct PsapiApi {
  typedef BOOL(WINAPI* EnumProcessesFn)(DWORD*, DWORD, DWORD*);
  typedef BOOL(WINAPI* EnumModulesFn)(HANDLE, HMODULE*, DWORD, DWORD*);
  typedef DWORD(WINAPI* ModuleNameFn)(HANDLE, HMODULE, LPSTR, DWORD);
  TLibrary Library{"psapi.dll"};
  EnumProcessesFn EnumProcesses = Library.Proc<EnumProcessesFn>("EnumProcesses");
  EnumModulesFn EnumModules = Library.Proc<EnumModulesFn>("EnumProcessModules");
  ModuleNameFn ModuleFileName = Library.Proc<ModuleNameFn>("GetModuleFileNameExA");
  bool Ready() const { return EnumProcesses && EnumModules && ModuleFileName; }
};

const ToolHelpApi& ToolHelp() {
  static const ToolHelpApi api;
  return api;
}

PsapiApi& Psapi() {
  static PsapiApi api;
  return api;
}

std::string LowerFileNamePart(const std::string& path) {
  size_t slash = core::FindLastCharGbk(path, '\\');
  return core::LowerGbk(slash == std::string::npos ? path : path.substr(slash + 1));
}

std::string MainModuleName(PsapiApi& psapi, DWORD pid, bool& opened) {
  opened = false;
  TKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
  if (!process) return std::string();
  opened = true;
  std::string name;
  HMODULE module = nullptr;
  DWORD needed = 0;
  if (psapi.EnumModules(process.Get(), &module, sizeof module, &needed) && module) {
    char file[261] = {};
    if (psapi.ModuleFileName(process.Get(), module, file, 261)) name = file;
  }
  return name;
}

// Executable names by process id, from a ToolHelp snapshot.
std::map<DWORD, std::string> ExeNamesByPid() {
  std::map<DWORD, std::string> names;
  const ToolHelpApi& api = ToolHelp();
  if (!api.Ready()) return names;
  TSnapshotHandle snapshot(api.Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return names;
  PROCESSENTRY32 entry;
  entry.dwSize = sizeof entry;
  for (BOOL more = api.First(snapshot.Get(), &entry); more; more = api.Next(snapshot.Get(), &entry))
    names[entry.th32ProcessID] = entry.szExeFile;
  return names;
}

}  // namespace

bool IsProcessRunning(const std::string& name) {
  const ToolHelpApi& api = ToolHelp();
  if (!api.Ready()) return false;
  const std::string wanted = core::LowerGbk(name);
  if (wanted.empty()) return false;  // no guard, not "every program"
  TSnapshotHandle snapshot(api.Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return false;
  bool found = false;
  PROCESSENTRY32 entry;
  entry.dwSize = sizeof entry;
  for (BOOL more = api.First(snapshot.Get(), &entry); more && !found; more = api.Next(snapshot.Get(), &entry))
    found = core::FindGbk(core::LowerGbk(entry.szExeFile), wanted) != std::string::npos;
  return found;
}

bool KillProcessByID(unsigned long pid) {
  EnablePrivilege("SeDebugPrivilege");
  TKernelHandle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid));
  if (!process) return false;
  DWORD code = 0;
  return GetExitCodeProcess(process.Get(), &code) && code == STILL_ACTIVE && TerminateProcess(process.Get(), 1);
}

bool KillProcessByName(const std::string& lowerName, bool restart) {
  if (AppContext().MajorVersion() <= 4) return true;
  PsapiApi& psapi = Psapi();
  if (!psapi.Ready()) return false;
  std::vector<DWORD> pids(16383);
  DWORD bytes = 0;
  if (!psapi.EnumProcesses(pids.data(), static_cast<DWORD>(pids.size() * sizeof(DWORD)), &bytes)) return false;
  pids.resize(bytes / sizeof(DWORD));
  std::map<DWORD, std::string> exeNames;
  for (DWORD pid : pids) {
    bool opened = false;
    std::string path = MainModuleName(psapi, pid, opened);
    if (!opened) continue;
    // A 32-bit program cannot list the modules of a 64-bit process (Explorer on 64-bit
    // Windows): its executable's name then comes from the process list.
    if (path.empty()) {
      if (exeNames.empty()) exeNames = ExeNamesByPid();
      path = exeNames[pid];
    }
    if (LowerFileNamePart(path) != lowerName) continue;
    KillProcessByID(pid);
    Sleep(3000);
    if (restart && !IsProcessRunning("explorer.exe")) RunCommandLine(lowerName, false);
  }
  return true;
}

void RunCommandLine(const std::string& commandLine, bool wait) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi = {};
  std::string cmd = commandLine;
  if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS,
                      nullptr, nullptr, &si, &pi))
    return;
  TKernelHandle thread(pi.hThread), process(pi.hProcess);
  if (wait) {
    WaitForSingleObject(process.Get(), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.Get(), &code);
  }
}
