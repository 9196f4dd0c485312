#include "system/ToolsPrivileges.h"

#include <windows.h>

#include "system/AppContext.h"

bool EnablePrivilege(const std::string& name) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return false;
  TOKEN_PRIVILEGES privileges = {};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  bool ok = LookupPrivilegeValueA(nullptr, name.c_str(), &privileges.Privileges[0].Luid) &&
            AdjustTokenPrivileges(token, FALSE, &privileges, sizeof privileges, nullptr, nullptr);
  CloseHandle(token);
  return ok;
}

bool EnableShutdownPrivilege() { return EnablePrivilege("SeShutdownPrivilege"); }

void ShutdownComputer(bool reboot, TExitWindowsFn exitWindows) {
  if (AppContext().MajorVersion() > 4) EnableShutdownPrivilege();
  const UINT flags = reboot ? (EWX_REBOOT | EWX_FORCE) : (EWX_POWEROFF | EWX_FORCE);
  if (exitWindows)
    exitWindows(flags, 0xFFFF);
  else
    ExitWindowsEx(flags, 0xFFFF);
}
