#include "traces/OperaScans.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "core/GbkText.h"
#include "core/OSVersionRules.h"
#include "core/PathText.h"
#include "items/ItemCatalogue.h"
#include "items/ItemSummary.h"
#include "system/AppContext.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"
#include "system/ToolsFiles.h"
#include "system/ToolsPaths.h"
#include "system/ToolsShell.h"
#include "system/ToolsViews.h"
#include "traces/IniRewrite.h"
#include "traces/ScanFolderTree.h"
#include "traces/TraceFindings.h"

namespace {

const char* const kHistoryFiles[] = {"vlink4.dat", "global.dat", "typed_history.xml",
                                     "download.dat", "opera.dir", "global_history.dat"};
const char* const kProfileCaches[] = {"cache", "cache4", "opcache", "temporary_downloads",
                                      "profile\\cache", "profile\\cache4", "profile\\opcache",
                                      "profile\\temporary_downloads"};
const char* const kInstallFolders[] = {"cache", "cache4", "sessions", "temporary_downloads",
                                       "profile\\cache", "profile\\cache4", "profile\\sessions",
                                       "profile\\temporary_downloads"};
const char* const kShellCommands[] = {"Applications\\Opera.exe\\shell\\open\\command", "Opera.HTML\\shell\\open\\command",
                                      "Opera.Image\\shell\\open\\command", "Opera.Protocol\\shell\\open\\command"};
const char kSessionFile[] = "autosave.win";
const char kSessionTag[] = "OperaINI";
const char* const kWindowSections[] = {"", "history url", "history document type", "history title",
                                       "history scrollpos list"};
const int kLocalAppData = 28;

bool HoldsOpera(const std::string& folder) {
  return !folder.empty() && FileExistsStrict(core::IncludeTrailingBackslash(folder) + "opera.exe");
}

void AddFolder(std::vector<std::string>& list, const std::string& folder) {
  const std::string entry = core::LowerGbk(core::IncludeTrailingBackslash(folder));
  if (std::find(list.begin(), list.end(), entry) == list.end()) list.push_back(entry);
}

std::string Numbered(const char* name, const char* suffix, int k) {
  return k == 0 ? name : name + std::string(suffix) + std::to_string(k);
}

std::vector<std::string> ProfileBases() {
  std::vector<std::string> bases;
  const std::string appData = AppContext().AppDataDir;
  if (!appData.empty()) bases.push_back(appData + "\\Opera");
  const std::string local = GetSpecialFolder(kLocalAppData);
  if (!local.empty()) bases.push_back(local + "\\Opera");
  return bases;
}

std::vector<std::string> ProfileNames(const std::vector<std::string>& folders) {
  std::vector<std::string> names;
  for (const std::string& folder : folders) names.push_back(OperaProfileName(folder));
  return names;
}

void AddLiveFile(TItemScan& scan, const std::string& path, const char* name) {
  if (IsLiveFile(path)) AddFileFinding(scan, path, name, kKindFile, GetFileSize64(path));
}

int WindowCount(const std::string& path) {
  return static_cast<int>(GetPrivateProfileIntA("session", "window count", 1, path.c_str()));
}

}  // namespace

std::string OperaProfileName(const std::string& folder) {
  std::string f = folder;
  if (!f.empty() && (f.back() == '\\' || f.back() == ':')) f.pop_back();
  const size_t slash = core::FindLastCharGbk(f, '\\'), colon = core::FindLastCharGbk(f, ':');
  size_t cut = std::string::npos;
  if (slash != std::string::npos) cut = slash;
  if (colon != std::string::npos && (cut == std::string::npos || colon > cut)) cut = colon;
  return cut == std::string::npos ? std::string() : f.substr(cut + 1);
}

void FindOperaFolders(std::vector<std::string>& list) {
  list.clear();
  TRegistryKey opera(HKEY_CURRENT_USER, "SOFTWARE\\Opera SoftWare", false, KEY_READ);
  if (opera) {
    for (int k = 0; k <= 10; ++k) {
      const std::string dir = core::TrimBlanks(RegText(opera.Handle(), Numbered("Last Directory", "", k)));
      if (HoldsOpera(dir)) AddFolder(list, dir);
    }
    for (int k = 0; k <= 10; ++k) {
      std::string line = core::TrimBlanks(RegText(opera.Handle(), Numbered("Last CommandLine", " v", k)));
      if (line.empty()) continue;
      const size_t at = core::FindGbk(core::LowerGbk(line), "opera.exe");
      if (at != std::string::npos) line = line.substr(0, at);
      if (HoldsOpera(line)) AddFolder(list, line);
    }
    std::string plugins = core::TrimBlanks(RegText(opera.Handle(), "Plugin Path"));
    for (int up = 0; !plugins.empty() && up <= 10; ++up) {
      if (HoldsOpera(plugins)) {
        AddFolder(list, plugins);
        break;
      }
      const std::string parent = core::ExcludeTrailingBackslash(core::ExtractFileDir(plugins));
      if (parent == plugins) break;
      plugins = parent;
    }
  }
  for (const char* command : kShellCommands) {
    TRegistryKey key(HKEY_CLASSES_ROOT, command, false, KEY_READ);
    if (!key) continue;
    const std::string folder = core::ExtractFileDir(ExtractExePath(RegText(key.Handle(), "")));
    if (HoldsOpera(folder)) AddFolder(list, folder);
  }
}

void ScanOperaSession(TItemScan& scan, const std::string& folder) {
  const std::string path = folder + "\\" + kSessionFile;
  if (!FileExistsStrict(path)) return;
  bool more = WindowCount(path) > 1;
  for (int i = 1; !more && i < 5; ++i) more = IniHasSection(path, std::string("2") + kWindowSections[i]);
  if (more && AddResultNode(scan.Tree, path, true, std::string(), scan.Item, -1, kKindApplication, kSessionTag, kSessionFile))
    ++scan.Count;
}

void ScanOperaHistory(TItemScan& scan) {
  std::vector<std::string> folders;
  FindOperaFolders(folders);
  const std::vector<std::string> names = ProfileNames(folders);
  for (const std::string& base : ProfileBases()) {
    for (const std::string& name : names) {
      const std::string profile = base + "\\" + name;
      for (const char* file : kHistoryFiles) AddLiveFile(scan, profile + "\\" + file, file);
      for (const char* file : kHistoryFiles) AddLiveFile(scan, profile + "\\profile\\" + file, file);
      ScanOperaSession(scan, profile + "\\sessions");
      ScanOperaSession(scan, profile + "\\profile\\sessions");
      if (EntryDone(scan)) return;
    }
  }
  for (const std::string& folder : folders) {
    for (const char* file : kHistoryFiles) AddLiveFile(scan, folder + file, file);
    ScanOperaSession(scan, folder + "sessions");
    ScanOperaSession(scan, folder + "profile\\sessions");
    if (EntryDone(scan)) return;
  }
}

void ScanOperaCaches(TItemScan& scan) {
  std::vector<std::string> folders;
  FindOperaFolders(folders);
  const std::vector<std::string> names = ProfileNames(folders);
  std::vector<std::string> scanned;
  // Each folder once: a profile folder can also be reached through an installation folder.
  auto scanOnce = [&](const std::string& folder) {
    const std::string key = core::LowerGbk(folder);
    if (!DirExistsAnyView(folder) || std::find(scanned.begin(), scanned.end(), key) != scanned.end()) return false;
    scanned.push_back(key);
    return ScanFolderTree(scan, folder);
  };
  for (const std::string& base : ProfileBases())
    for (const std::string& name : names)
      for (const char* cache : kProfileCaches)
        if (scanOnce(base + "\\" + name + "\\" + cache)) return;
  for (const std::string& install : folders)
    for (const char* sub : kInstallFolders)
      if (scanOnce(install + sub)) return;
}

bool CleanOperaSession(const std::string& path) {
  return RewriteIniFile(path, [](const std::string& copy) {
    bool ok = true;
    // A window other than the first has sections of its own: a "window count" read from
    // the file means no more windows than it has sections.
    const int windows = std::min(WindowCount(copy), static_cast<int>(IniSectionNames(copy).size()));
    for (int w = 2; ok && w <= windows; ++w)
      for (const char* part : kWindowSections) ok = ok && EraseIniSection(copy, std::to_string(w) + part);
    return ok && WritePrivateProfileStringA("session", "window count", "1", copy.c_str());
  });
}

bool RewriteOperaFinding(const Column4TreeData& finding) {
  return core::SameTextGbk(finding.Name, kSessionTag) &&
         (!FileExistsStrict(finding.Caption) || CleanOperaSession(finding.Caption));
}

void RegisterOperaHandlers(THandlerTable& table) {
  for (const auto& [caption, scan] :
       {std::make_pair(kItemOperaCaches, &ScanOperaCaches), std::make_pair(kItemOperaHistory, &ScanOperaHistory)}) {
    table.Register(caption, ApplicationHandler(scan, kUnitFiles, {"opera.exe"}, RewriteOperaFinding));
  }
}
