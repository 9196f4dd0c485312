// Programs named by the MUI cache, the start-up lists and the application paths, and the
// files of installed fonts, that are no longer there.
#include <windows.h>

#include "core/GbkText.h"
#include "core/OSVersionRules.h"
#include "registry/RegistryCheckKeys.h"
#include "registry/RegistryChecks.h"
#include "system/AppContext.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"
#include "system/TargetPresence.h"
#include "system/ToolsPaths.h"
#include "system/ToolsShell.h"

namespace {

const char* const kMuiCacheKeys[] = {
    "Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache",
    "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache",
};
const char* const kRunKeys[] = {
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run",
};
const char kAppPathsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const int kFontsFolder = 20;  // CSIDL_FONTS

// Only a path with a drive (or too short to be anything else) is tested: a bare program
// name is found through the search path, which is not ours to second-guess.
bool ProgramMissing(const std::string& text, bool native) {
  const std::string path = ExpandPathVariables(text, native);
  if (path.size() >= 2 && path[1] != ':') return false;
  return !TargetFileExists(path);
}

void CheckMuiCacheKey(const std::string& path, TRegistryRun& run) {
  TRegistryKey key(HKEY_CURRENT_USER, path, run.Native());
  if (!key) return;
  ForEachEntry(run, RegValues(key.Handle()), [&](const TRegValue& entry) {
    const std::string& name = entry.Name;
    const std::string program = core::TrimBlanks(name);
    if (program.empty() || !(entry.Type == REG_SZ || entry.Type == REG_EXPAND_SZ)) return true;
    if (ProgramMissing(program, run.Native()))
      run.AddFinding(KeyText(kCurrentUserName, path, name), path, kCurrentUserName, name);
    return true;
  });
}

void CheckRunKey(HKEY root, const char* rootName, const std::string& path, TRegistryRun& run) {
  TRegistryKey key(root, path, run.Native());
  if (!key) return;
  ForEachEntry(run, RegValues(key.Handle()), [&](const TRegValue& entry) {
    const std::string& name = entry.Name;
    // REG_EXPAND_SZ start-up entries are left alone.
    if (core::TrimBlanks(name).empty() || entry.Type != REG_SZ) return true;
    std::string command = core::TrimBlanks(entry.Text().Text);
    if (core::UpperGbk(command).compare(0, 13, "RUNDLL32.EXE ") == 0) command.erase(0, 13);
    if (ProgramMissing(command, run.Native())) run.AddFinding(KeyText(rootName, path, name), path, rootName, name);
    return true;
  });
}

}  // namespace

void CheckMuiCache(TRegistryRun& run) {
  for (const char* path : kMuiCacheKeys)
    if (!run.Stopped()) CheckMuiCacheKey(path, run);
}

void CheckRunEntries(TRegistryRun& run) {
  for (const char* path : kRunKeys)
    if (!run.Stopped()) CheckRunKey(HKEY_LOCAL_MACHINE, kLocalMachineName, path, run);
  for (const char* path : kRunKeys)
    if (!run.Stopped()) CheckRunKey(HKEY_CURRENT_USER, kCurrentUserName, path, run);
}

void CheckAppPaths(TRegistryRun& run) {
  const TRegistryKey apps(HKEY_LOCAL_MACHINE, kAppPathsKey, run.Native());
  ForEachEntry(run, apps.SubKeyNames(), [&](const std::string& name) {
    const std::string path = std::string(kAppPathsKey) + "\\" + name;
    const TRegistryKey key(apps, core::TrimBlanks(name));
    DWORD type = REG_NONE;
    const TValueText program = key ? ReadValueText(key.Handle(), "", &type) : TValueText();
    if (type == REG_SZ && ProgramMissing(program.Text, run.Native()))
      run.AddFinding(KeyText(kLocalMachineName, path), path, kLocalMachineName);
    return true;
  });
}

void CheckFonts(TRegistryRun& run) {
  const std::string path = AppContext().MajorVersion() == 4 ? "Software\\Microsoft\\Windows\\CurrentVersion\\Fonts"
                                                            : "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
  TRegistryKey key(HKEY_LOCAL_MACHINE, path, run.Native());
  if (!key) return;
  const std::string fonts = GetSpecialFolder(kFontsFolder);
  const std::string windowsFonts = AppContext().WindowsDir + "\\Fonts\\";
  for (const TRegValue& entry : NamedValues(key.Handle())) {
    const std::string& name = entry.Name;
    const std::string file = entry.Text().Text;
    if (file.empty() || TargetFileExists(fonts + "\\" + file) || TargetFileExists(windowsFonts + file) ||
        TargetFileExists(file))
      continue;
    run.AddFinding(KeyText(kLocalMachineName, path, name), path, kLocalMachineName, name);
  }
}
