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

bool HasType(HKEY key, const std::string& name, DWORD wanted) {
  DWORD type = REG_NONE;
  return RegValueType(key, name, type) && type == wanted;
}

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
  ForEachEntry(run, RegValueNames(key.Handle()), [&](const std::string& name) {
    const std::string program = core::TrimBlanks(name);
    if (program.empty() || !(HasType(key.Handle(), name, REG_SZ) || HasType(key.Handle(), name, REG_EXPAND_SZ)))
      return true;
    if (ProgramMissing(program, run.Native()))
      run.AddFinding(KeyText(kCurrentUserName, path, name), path, kCurrentUserName, name);
    return true;
  });
}

void CheckRunKey(HKEY root, const char* rootName, const std::string& path, TRegistryRun& run) {
  TRegistryKey key(root, path, run.Native());
  if (!key) return;
  ForEachEntry(run, RegValueNames(key.Handle()), [&](const std::string& name) {
    // REG_EXPAND_SZ start-up entries are left alone.
    if (core::TrimBlanks(name).empty() || !HasType(key.Handle(), name, REG_SZ)) return true;
    std::string command = core::TrimBlanks(RegText(key.Handle(), name));
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
  const std::vector<std::string> names = TRegistryKey(HKEY_LOCAL_MACHINE, kAppPathsKey, run.Native()).SubKeyNames();
  ForEachEntry(run, names, [&run](const std::string& name) {
    const std::string path = std::string(kAppPathsKey) + "\\" + name;
    TRegistryKey key(HKEY_LOCAL_MACHINE, std::string(kAppPathsKey) + "\\" + core::TrimBlanks(name), run.Native());
    if (key && HasType(key.Handle(), "", REG_SZ) && ProgramMissing(RegText(key.Handle(), ""), run.Native()))
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
  for (const std::string& name : RegValueNames(key.Handle())) {
    if (name.empty()) continue;
    const std::string file = RegText(key.Handle(), name);
    if (file.empty() || TargetFileExists(fonts + "\\" + file) || TargetFileExists(windowsFonts + file) ||
        TargetFileExists(file))
      continue;
    run.AddFinding(KeyText(kLocalMachineName, path, name), path, kLocalMachineName, name);
  }
}
