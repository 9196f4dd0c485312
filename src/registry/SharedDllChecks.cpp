// Shared-library reference counts, Windows Installer folders and help files.
#include <windows.h>

#include "core/GbkText.h"
#include "core/PathText.h"
#include "core/ValueText.h"
#include "registry/RegistryCheckKeys.h"
#include "registry/RegistryChecks.h"
#include "system/AppContext.h"
#include "system/RegistryCallCounts.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"
#include "system/TargetPresence.h"
#include "system/ToolsPaths.h"

namespace {

const char kSharedDllsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
const char kInstallerFoldersKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";
const char* const kHelpKeys[] = {"Software\\Microsoft\\Windows\\Help", "Software\\Microsoft\\Windows\\HTML Help"};

// The reference count of one entry. A REG_SZ count that is no decimal number leaves the
// count of the entry before it; false skips the entry (another type, or unreadable).
bool ReadReferenceCount(HKEY key, const std::string& name, int64_t& count) {
  DWORD type = REG_NONE;
  if (!RegValueType(key, name, type)) return false;
  if (type == REG_DWORD) {
    DWORD value = 0, size = sizeof value;
    CountRegistryCall(kRegValueRead);
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
      return false;
    count = value;  // a shorter value leaves its missing bytes zero
    return true;
  }
  if (type != REG_SZ) return false;
  TValueText text = ReadValueText(key, name);
  if (!text.IsText()) return false;
  core::ParseInt64Text(text.Text, count);
  return true;
}

}  // namespace

void CheckSharedDlls(TRegistryRun& run) {
  TRegistryKey key(HKEY_LOCAL_MACHINE, kSharedDllsKey, run.Native());
  if (!key) return;
  // One count for the whole run: an entry without a readable number takes the last one.
  int64_t count = 1;
  ForEachEntry(run, NamedValueNames(key.Handle()), [&](const std::string& name) {
    if (!ReadReferenceCount(key.Handle(), name, count)) return true;
    if (count == 0 || !TargetFileExists(name))
      run.AddFinding(KeyText(kLocalMachineName, kSharedDllsKey, name), kSharedDllsKey, kLocalMachineName, name);
    return true;
  });
}

void CheckInstallerFolders(TRegistryRun& run) {
  TRegistryKey key(HKEY_LOCAL_MACHINE, kInstallerFoldersKey, run.Native());
  if (!key) return;
  const std::string windows = core::LowerGbk(AppContext().WindowsDir);
  ForEachEntry(run, NamedValueNames(key.Handle()), [&](const std::string& name) {
    DWORD type = REG_NONE;
    if (!RegValueType(key.Handle(), name, type) || (type != REG_SZ && type != REG_EXPAND_SZ)) return true;
    if (!windows.empty() && core::FindGbk(core::LowerGbk(name), windows) != std::string::npos) return true;
    if (!TargetDirExists(name))
      run.AddFinding(std::string(kLocalMachineName) + "\\" + kInstallerFoldersKey + ":" + name, kInstallerFoldersKey,
                     kLocalMachineName, name);
    return true;
  });
}

void CheckHelpFiles(TRegistryRun& run) {
  for (const char* path : kHelpKeys) {
    TRegistryKey key(HKEY_LOCAL_MACHINE, path, run.Native());
    if (!key) continue;
    for (const std::string& name : NamedValueNames(key.Handle())) {
      const std::string folder = ExpandPathVariables(RegText(key.Handle(), name), run.Native());
      bool invalid = false;
      if (folder.size() > 2) {
        // Only local drives C to Z: A and B are floppies, anything else is no drive.
        const char drive = static_cast<char>(folder[0] & ~0x20);
        invalid = drive >= 'C' && drive <= 'Z' && !TargetFileExists(core::IncludeTrailingBackslash(folder) + name);
      } else {
        invalid = folder.empty() && !name.empty();
      }
      if (!invalid) continue;
      run.AddFinding(KeyText(kLocalMachineName, path, name), path, kLocalMachineName, name);
      run.LetMessagesThrough();
    }
  }
}
