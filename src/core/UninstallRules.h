// Text rules of uninstall commands: which part of a command names the file that must
// still exist for the program to count as installed.
#pragma once
#include <string>

namespace core {

// The text after the first `-f"` (installers that take the file to remove after that
// switch); false when the command has none.
bool TextAfterDashFQuote(const std::string& command, std::string& rest);

// The target of a command that is not a Windows Installer one, before its variables are
// expanded. exePath is the command's executable (ExtractExePath). A rundll32 command
// ("rundll32 x.dll,Entry", "C:\...\rundll32.exe x.dll,Entry") targets what follows the
// program and one separator; with nothing there *invalid is set. Any other command
// targets its lower-cased executable.
std::string UninstallCommandTarget(const std::string& command, const std::string& exePath, bool* invalid);

// The command an icon is looked for in: lower-cased, a leading "rundll32 " removed, and,
// for commands of the Windows folder's "uninst.exe -f", only what follows that switch.
// False when it can carry no icon (a "ctor.dll" rundll32 command).
bool UninstallIconCommand(const std::string& command, const std::string& windowsDir, std::string& iconCommand);

}  // namespace core
