// Entries of "Add or Remove Programs": what an uninstall entry says about its program and
// whether the files it names are still there. Shared by the software check (its
// "ARPCache" entries) and the uninstall check.
#pragma once
#include <windows.h>

#include <string>

// The entry as the checks read it.
struct TUninstallEntry {
  bool HasDisplayName = false;  // "DisplayName" or "QuietDisplayName" exists
  std::string DisplayName;      // that value, or the entry's name when there is none
  std::string Command;          // "UninstallString", else "QuietUninstallString", else empty
  std::string Icon;             // "DisplayIcon"; see WithDerivedIcon
  bool ReadFailed = false;      // one of those values exists but is no string
};

TUninstallEntry ReadUninstallEntry(HKEY key, const std::string& entryName);

// The entry with an empty icon replaced by the one found from its command
// (IconFromUninstallString reads version information of files: only where the icon is
// looked at).
TUninstallEntry WithDerivedIcon(TUninstallEntry entry);

// A file to stand for the program's icon, found from its uninstall command; empty when
// there is none.
std::string IconFromUninstallString(const std::string& command);

// False when neither the icon nor the command points to an existing file.
bool IsUninstallTargetPresent(const std::string& command, const std::string& icon);

// False when the entry baseKey\entryName counts as invalid for the "ARPCache" rule; an
// entry that cannot be opened or read is valid.
bool IsUninstallEntryValid(const std::string& baseKey, const std::string& entryName, bool native);
