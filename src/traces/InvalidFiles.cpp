#include "traces/InvalidFiles.h"

#include <windows.h>

#include "core/GbkText.h"
#include "core/OSVersionRules.h"
#include "core/PathText.h"
#include "items/ItemCatalogue.h"
#include "items/ItemSummary.h"
#include "items/ResultRows.h"
#include "system/AppContext.h"
#include "system/FindFile.h"
#include "system/ToolsFiles.h"
#include "system/ToolsFolders.h"
#include "system/ToolsPaths.h"
#include "system/ToolsShell.h"
#include "system/TargetPresence.h"
#include "system/ToolsViews.h"
#include "traces/TraceFindings.h"

namespace {

const int kLocalAppData = 28, kCommonAppData = 35, kAppData = 26;
const int kSendTo = 9, kInternetCache = 32, kCookies = 33;
const int kPrograms = 2, kCommonPrograms = 23, kDesktop = 0, kCommonDesktop = 25;

const char* const kExcludedFolderFragments[] = {
    "microsoft\\office\\data", "microsoft office\\data", "microsoft\\msn messenger", "rav",
    "system volume information", "symantec shared\\virusdefs\\", "paprport\\data\\", "chaos32\\",
    "resources\\themes\\", "windows\\security\\", "system32\\catroot2\\", "system32\\usmt\\", "winsxs",
    "microsoft sql server"};
const char* const kExcludedNames[] = {
    "index.dat",    "desktop.ini",  "hcdata.bak",   "data.bak",     "opa11.bak",      "rtscan.ini",
    "kvbigfile.bak", "pyczu102.bak", "menus.bak",    "ravmond.log",  "devs.tmp",       "default.jcd.bak",
    "account.stg.bak", "jedec.tmp", "nam.fts",      "admpkg.err",   "datasrc.err",    "framwork.err",
    "odbcdac.err",  "omerrors.err", "spss.err",     "streamdac.err", "txtwdac.err",   "uaspss.err",
    "xlsdac.err",   "uninstal.log", "fl114.dmp",    "fl_s1119.dmp", "flprim1119.dmp", "KISTempDB.bak"};

std::string FolderText(const std::string& folder) {
  return core::CollapseDoubleBackslashes(core::IncludeTrailingBackslash(folder));
}

bool HasExtensionLnk(const std::string& lowerName) {
  return lowerName.size() >= 4 && lowerName.compare(lowerName.size() - 4, 4, ".lnk") == 0;
}

}  // namespace

bool IsShortcutTargetMissing(const std::string& shortcut) {
  const std::string target = ResolveShortcut(shortcut);
  if (target == kNoShortcutTarget || target.size() < 3) return false;
  // A drive letter that is not there now may be a disk that is unplugged: only a fixed
  // drive can tell that its file is gone.
  if (GetDriveTypeA(target.substr(0, 3).c_str()) != DRIVE_FIXED || target[1] == '\\') return false;
  // A target is a path, spaces and all, not a command line to cut at the first blank.
  const std::string expanded = ReplaceLeadingPathVariable(target, false);
  return !TargetFileExists(expanded) && !TargetDirExists(expanded);
}

std::vector<std::string> ShortcutRootFolders(const std::function<bool()>& stopped) {
  std::vector<std::string> roots;
  std::vector<std::string> tops;
  for (int id : {kPrograms, kCommonPrograms, kDesktop, kCommonDesktop}) {
    const std::string folder = GetSpecialFolder(id);
    if (!folder.empty()) tops.push_back(folder);
  }
  roots = tops;
  for (const std::string& top : tops) {
    if (stopped && stopped()) break;
    ListSubDirsRecursive(top, roots);
  }
  return roots;
}

bool TFindInvalidFiles::EntryDone(TItemScan& scan) {
  if (::EntryDone(scan)) stop_ = true;
  return stop_;
}

bool TFindInvalidFiles::NameExcluded(const std::string& lowerName) const {
  for (const std::string& part : ExcludedNameParts)
    if (core::FindGbk(lowerName, core::LowerGbk(part)) != std::string::npos) return true;
  return false;
}

bool TFindInvalidFiles::FolderExcluded(const std::string& lowerFolder) const {
  for (const std::string& part : ExcludedFolderParts)
    if (!part.empty() && core::FindGbk(lowerFolder, part) != std::string::npos) return true;
  return false;
}

void TFindInvalidFiles::ScanShortcuts(TItemScan& scan) {
  if (RootFolders.empty()) return;
  for (int id : {kSendTo, kInternetCache, kCookies}) {
    const std::string folder = GetSpecialFolder(id);
    if (!folder.empty()) ExcludedFolderParts.push_back(core::LowerGbk(folder));
  }
  if (!AppContext().TempDir.empty()) ExcludedFolderParts.push_back(core::LowerGbk(AppContext().TempDir));
  for (const char* part : kExcludedFolderFragments) ExcludedFolderParts.push_back(part);
  for (const char* name : kExcludedNames) ExcludedNameParts.push_back(name);
  for (const std::string& folder : RootFolders) {
    if (stop_) break;
    ScanFolder(scan, folder, "*.*", false);
  }
  ExcludedFolderParts.clear();
  ExcludedNameParts.clear();
}

void TFindInvalidFiles::ScanFolder(TItemScan& scan, const std::string& folder, const std::string& mask, bool masked) {
  if (stop_ || core::TrimBlanks(folder).empty()) return;
  const std::string dir = FolderText(folder);
  const std::string lowerDir = core::LowerGbk(dir);
  if (FolderExcluded(lowerDir) || core::FindGbk(lowerDir, ":\\recycler\\") != std::string::npos ||
      core::FindGbk(lowerDir, ":\\recycled\\") != std::string::npos)
    return;
  const bool shortcutsCount = CheckShortcuts && !AppContext().IsWow64();
  for (TFindFile f(dir + mask); f.Found(); f.Next()) {
    if (EntryDone(scan)) return;
    if (f.IsDir()) continue;
    const std::string lowerName = core::LowerGbk(f.Name());
    bool candidate = masked;
    if (!candidate && shortcutsCount && HasExtensionLnk(lowerName))
      candidate = IsShortcutTargetMissing(dir + f.Name());
    if (!candidate || NameExcluded(lowerName)) continue;
    const DWORD a = f.Attributes();
    if ((a & FILE_ATTRIBUTE_READONLY) && !IncludeReadOnly) continue;
    if ((a & FILE_ATTRIBUTE_SYSTEM) && !IncludeSystem) continue;
    if ((a & FILE_ATTRIBUTE_HIDDEN) && !IncludeHidden) continue;
    AddFinding(scan, TFindResult{dir + f.Name(), static_cast<int32_t>(f.Data().nFileSizeLow)});
  }
}

void TFindInvalidFiles::ScanTree(TItemScan& scan, const std::string& folder, const std::string& root) {
  if (stop_ || !core::IsFullPath(folder)) return;
  const std::string dir = FolderText(folder);
  if (FolderExcluded(core::LowerGbk(dir)) || IsLinkPath(core::ExcludeTrailingBackslash(dir))) return;
  const std::string walkRoot = root.empty() ? core::ExcludeTrailingBackslash(dir) : root;
  std::vector<std::string> subFolders;
  for (TFindFile f(dir + "*.*"); f.Found(); f.Next()) {
    if (EntryDone(scan)) return;
    const std::string name = f.Name();
    if (f.IsDir()) {
      if (!name.empty() && name[0] != '.' && !f.IsLink()) subFolders.push_back(dir + name);
      continue;
    }
    if (!NameExcluded(core::LowerGbk(name)))
      AddFinding(scan, TFindResult{dir + name, static_cast<int32_t>(f.Data().nFileSizeLow)}, walkRoot);
  }
  for (const std::string& sub : subFolders) {
    if (stop_) return;
    ScanTree(scan, sub, walkRoot);
  }
}

void TFindInvalidFiles::AddFinding(TItemScan& scan, const TFindResult& result, const std::string& walkRoot) {
  const size_t slash = core::FindLastCharGbk(result.Path, '\\');
  const std::string folder = slash == std::string::npos ? std::string() : result.Path.substr(0, slash);
  const std::string name = slash == std::string::npos ? result.Path : result.Path.substr(slash + 1);
  const std::string path = core::ExcludeTrailingBackslash(folder) + "\\" + name;
  if (!IsListedFileLive(path)) return;
  if (!AddResultNode(scan.Tree, path, true, walkRoot, scan.Item, -1, kKindFile, std::string(), name)) return;
  CountFinding(result.Size, scan.Size, scan.Count, *scan.Totals);
}

void TFindInvalidFiles::ScanAdobeCaches(TItemScan& scan) {
  const std::string local = GetSpecialFolder(kLocalAppData);
  if (local.empty()) return;
  ScanFolder(scan, local + "\\Adobe\\Acrobat\\8.0\\Cache\\Search80\\", "*.idx", true);
  ScanFolder(scan, local + "\\Adobe\\Acrobat\\9.0\\Cache\\Search90\\", "*.idx", true);
}

void TFindInvalidFiles::ScanSymantecLogs(TItemScan& scan) {
  const std::string common = GetSpecialFolder(kCommonAppData), local = GetSpecialFolder(kLocalAppData);
  const std::string logs = "\\Symantec\\Symantec AntiVirus Corporate Edition\\7.5\\Logs\\";
  if (!common.empty()) ScanFolder(scan, common + logs, "*.log", true);
  if (!local.empty()) ScanFolder(scan, local + logs, "*.log", true);
  if (!common.empty()) ScanFolder(scan, common + "\\Symantec\\LiveUpdate\\Downloads\\", "*.*", true);
}

void TFindInvalidFiles::ScanOfficeCatalog(TItemScan& scan) {
  const std::string local = GetSpecialFolder(kLocalAppData);
  if (local.empty()) return;
  ScanFolder(scan, local + "\\Microsoft\\OIS\\", "OIScatalog.cag", true);
  ScanTree(scan, local + "\\Microsoft\\OIS\\thumbnails\\");
}

void TFindInvalidFiles::ScanMessengerLogs(TItemScan& scan) {
  const std::string appData = GetSpecialFolder(kAppData), local = GetSpecialFolder(kLocalAppData);
  if (!appData.empty()) ScanFolder(scan, appData + "\\Microsoft\\MSN Messenger\\", "*.sqm", true);
  if (!local.empty()) ScanFolder(scan, local + "\\Microsoft\\Windows Live\\SqmAPI", "*.sqm", true);
}

void TInvalidFilesSlot::Create() {
  Finder.reset(new TFindInvalidFiles());
  Finder->IncludeReadOnly = true;
  Finder->IncludeHidden = true;
  Finder->IncludeSystem = false;
}

void RegisterInvalidFileHandlers(THandlerTable& table, TInvalidFilesSlot& slot) {
  TInvalidFilesSlot* s = &slot;
  TItemHandler shortcuts = TraceHandler(
      [s](TItemScan& scan) {
        if (!s->Finder) s->Create();
        TFindInvalidFiles& finder = *s->Finder;
        finder.RootFolders = ShortcutRootFolders([&scan] { return ::EntryDone(scan); });
        finder.CheckShortcuts = true;
        finder.ScanShortcuts(scan);
      },
      kUnitFiles);
  shortcuts.CountsItself = true;
  table.Register(kItemBrokenShortcuts, shortcuts);
}
