#include "registry/UninstallEntries.h"

#include "core/GbkText.h"
#include "core/OSVersionRules.h"
#include "core/PathText.h"
#include "core/UninstallRules.h"
#include "system/AppContext.h"
#include "system/FindFile.h"
#include "system/OrvGetOSInfo.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"
#include "system/TargetPresence.h"
#include "system/ToolsFiles.h"
#include "system/ToolsPaths.h"
#include "system/ToolsShell.h"

namespace {

bool Contains(const std::string& text, const std::string& part) {
  return core::FindGbk(text, part) != std::string::npos;
}

// The first of the values that exists, read as text.
TValueText FirstExisting(HKEY key, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    TValueText value = ReadValueText(key, name);
    if (value.State != TTextRead::Missing) return value;
  }
  return TValueText();
}

bool HasFileVersion(const std::string& path) {
  return !core::TrimBlanks(GetFileVersionValue(path, "FileVersion")).empty();
}

// The first program of the folder that carries version information.
std::string FirstVersionedProgram(const std::string& folder) {
  const std::string dir = core::IncludeTrailingBackslash(folder);
  for (TFindFile find(dir + "*.exe"); find.Found(); find.Next()) {
    if (find.IsDir()) continue;
    const std::string path = dir + find.Name();
    if (HasFileVersion(path)) return path;
  }
  return std::string();
}

}  // namespace

TUninstallEntry ReadUninstallEntry(HKEY key, const std::string& entryName) {
  TUninstallEntry entry;
  TValueText name = FirstExisting(key, {"DisplayName", "QuietDisplayName"});
  TValueText command = FirstExisting(key, {"UninstallString", "QuietUninstallString"});
  TValueText icon = ReadValueText(key, "DisplayIcon");
  entry.HasDisplayName = name.State != TTextRead::Missing;
  entry.DisplayName = entry.HasDisplayName ? name.Text : entryName;
  entry.Command = command.Text;
  entry.Icon = icon.Text;
  entry.ReadFailed = name.State == TTextRead::NotText || command.State == TTextRead::NotText ||
                     icon.State == TTextRead::NotText;
  return entry;
}

TUninstallEntry WithDerivedIcon(TUninstallEntry entry) {
  if (entry.Icon.empty() && !entry.Command.empty()) entry.Icon = IconFromUninstallString(entry.Command);
  return entry;
}

std::string IconFromUninstallString(const std::string& command) {
  std::string iconCommand;
  if (!core::UninstallIconCommand(command, AppContext().WindowsDir, iconCommand)) return std::string();
  std::string path = ExtractExePath(iconCommand);
  if (path.size() < 2 || path[1] != ':') return std::string();
  path = core::LowerGbk(Contains(path, "~") ? GetShellLongPath(path) : path);
  if (path.empty()) return std::string();
  if (!Contains(path, "unins") && !Contains(path, "unwise.exe") && HasFileVersion(path)) return path;
  const std::string windows = core::LowerGbk(AppContext().WindowsDir);
  if (windows.empty() || !Contains(path, windows)) return FirstVersionedProgram(core::ExtractFileDir(path));
  return FileExistsStrict(path) ? path : std::string();
}

bool IsUninstallTargetPresent(const std::string& command, const std::string& icon) {
  if (command.empty()) return true;
  if (!icon.empty()) {
    if (TargetFileExists(ExtractExePath(icon))) return true;
    if (icon[0] == '%') {
      const size_t slash = core::FindLastCharGbk(icon, '\\');
      const std::string file = slash == std::string::npos ? icon : icon.substr(slash + 1);
      if (TargetFileExistsStrict(AppContext().SystemDir + "\\" + file)) return true;
    }
    if (Contains(icon, "\\\\") || Contains(core::LowerGbk(icon), "setupapi.dll")) return true;
    return TargetFileExists(ExtractExePath(command));
  }
  if (Contains(core::LowerGbk(command), "msiexec.exe") && Contains(command, "{")) return true;
  std::string rest;
  if (core::TextAfterDashFQuote(command, rest)) return TargetFileExists(ExtractExePath(rest));
  return true;
}

bool IsUninstallEntryValid(const std::string& baseKey, const std::string& entryName, bool native) {
  TRegistryKey key(HKEY_LOCAL_MACHINE, baseKey + "\\" + entryName, native);
  if (!key) return true;
  const TUninstallEntry entry = WithDerivedIcon(ReadUninstallEntry(key.Handle(), entryName));
  if (entry.ReadFailed) return true;
  if (!entry.HasDisplayName && entry.Command.empty()) {
    if (!entry.Icon.empty() && TargetFileExists(ExtractExePath(entry.Icon))) return true;
    return !key.HoldsNothingButDefault();
  }
  return IsUninstallTargetPresent(entry.Command, entry.Icon);
}
