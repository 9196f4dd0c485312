// Privileges of the process token and switching the computer off.
#pragma once
#include <string>

// Enables a privilege ("SeDebugPrivilege", ...) in the process token; the result of
// AdjustTokenPrivileges.
bool EnablePrivilege(const std::string& name);
bool EnableShutdownPrivilege();

// The call that ends the session; tests pass a recorder so the bench never switches off.
typedef int(__stdcall* TExitWindowsFn)(unsigned int flags, unsigned long reason);

// Forced restart (reboot) or forced power-off.
void ShutdownComputer(bool reboot, TExitWindowsFn exitWindows = nullptr);
