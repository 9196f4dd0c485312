#include "system/ToolsPrivileges.h"

#include <windows.h>

#include "system/AppContext.h"
#include "system/Handles.h"

bool EnablePrivilege(const std::string& name) {
  TKernelHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Receive())) return false;
  TOKEN_PRIVILEGES privileges = {};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  return LookupPrivilegeValueA(nullptr, name.c_str(), &privileges.Privileges[0].Luid) &&
         AdjustTokenPrivileges(token.Get(), FALSE, &privileges, sizeof privileges, nullptr, nullptr);
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
