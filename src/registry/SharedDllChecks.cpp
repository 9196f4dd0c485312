// Shared-library reference counts, Windows Installer folders and help files.
#include <windows.h>

#include <cstring>

#include "core/GbkText.h"
#include "core/PathText.h"
#include "core/ValueText.h"
#include "registry/RegistryCheckKeys.h"
#include "registry/RegistryChecks.h"
#include "system/AppContext.h"
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
bool ReadReferenceCount(const TRegValue& entry, int64_t& count) {
  if (entry.Type == REG_DWORD) {
    if (entry.Data.size() > sizeof(DWORD)) return false;
    DWORD value = 0;  // a shorter value leaves its missing bytes zero
    memcpy(&value, entry.Data.data(), entry.Data.size());
    count = value;
    return true;
  }
  if (entry.Type != REG_SZ) return false;
  TValueText text = entry.Text();
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
  ForEachEntry(run, NamedValues(key.Handle()), [&](const TRegValue& entry) {
    const std::string& name = entry.Name;
    if (!ReadReferenceCount(entry, count)) return true;
    if (count == 0 || !TargetFileExists(name))
      run.AddFinding(KeyText(kLocalMachineName, kSharedDllsKey, name), kSharedDllsKey, kLocalMachineName, name);
    return true;
  });
}

void CheckInstallerFolders(TRegistryRun& run) {
  TRegistryKey key(HKEY_LOCAL_MACHINE, kInstallerFoldersKey, run.Native());
  if (!key) return;
  const std::string windows = core::LowerGbk(AppContext().WindowsDir);
  ForEachEntry(run, NamedValues(key.Handle()), [&](const TRegValue& entry) {
    const std::string& name = entry.Name;
    if (!entry.Text().IsText()) return true;
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
    for (const TRegValue& entry : NamedValues(key.Handle())) {
      const std::string& name = entry.Name;
      const std::string folder = ExpandPathVariables(entry.Text().Text, run.Native());
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
