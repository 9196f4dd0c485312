#include "traces/AppHistoryItems.h"

#include <windows.h>

#include <vector>

#include "core/PathText.h"
#include "items/ItemSummary.h"
#include "items/ResultRows.h"
#include "system/AppContext.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"
#include "system/ToolsRegistry.h"
#include "system/ToolsShell.h"
#include "traces/ScanFolderFiles.h"
#include "traces/ScanMruKey.h"
#include "traces/ScanNamedValues.h"
#include "traces/TraceFindings.h"

namespace {

const int kCommonAppData = 35;

// An item whose traces are the values of registry lists under the current user.
struct TMruItem {
  const char* Caption;
  std::vector<const char*> Guards;
  std::vector<std::string> Keys;
};

std::vector<std::string> SnagItKeys() {
  std::vector<std::string> keys;
  for (int v = 1; v <= 9; ++v) keys.push_back("Software\\TechSmith\\SnagIt\\" + std::to_string(v) + "\\SnagItEditor\\Recent File List");
  for (int v = 1; v <= 9; ++v) keys.push_back("Software\\TechSmith\\SnagIt\\" + std::to_string(v) + "\\Catalog\\Recent Editor Files");
  return keys;
}

std::vector<TMruItem> MruItems() {
  return {
      {"微软 PowerPoint", {"powerpnt.exe"},
       {"Software\\Microsoft\\Office\\10.0\\PowerPoint\\Recent File List",
        "Software\\Microsoft\\Office\\11.0\\PowerPoint\\Recent File List",
        "Software\\Microsoft\\Office\\12.0\\PowerPoint\\File MRU", "Software\\Microsoft\\Office\\14.0\\PowerPoint\\File MRU"}},
      {"微软 Excel", {"excel.exe"},
       {"Software\\Microsoft\\Office\\10.0\\Excel\\Recent File List", "Software\\Microsoft\\Office\\11.0\\Excel\\Recent Files",
        "Software\\Microsoft\\Office\\12.0\\Excel\\File MRU", "Software\\Microsoft\\Office\\14.0\\Excel\\File MRU"}},
      {"WinZip压缩软件", {"winzip.exe"}, {"Software\\Nico Mak Computing\\WinZip\\filemenu"}},
      {"WinRAR压缩软件", {"winrar.exe"},
       {"Software\\WinRAR\\ArcHistory", "Software\\WinRAR\\DialogEditHistory\\ArcName",
        "Software\\WinRAR\\DialogEditHistory\\ExtrPath"}},
      {"SnagIt 历史记录", {"snagit32.exe"}, SnagItKeys()},
      {"微软 FrontPage", {"frontpage.exe", "frontpg.exe"},
       {"Software\\Microsoft\\FrontPage\\Editor\\Insert Hyperlink\\Recently Used URLs",
        "Software\\Microsoft\\FrontPage\\Editor\\Insert Image\\Recently Used URLs",
        "Software\\Microsoft\\FrontPage\\Explorer\\FrontPage Explorer\\Recent File List",
        "Software\\Microsoft\\FrontPage\\Explorer\\FrontPage Explorer\\Recent Page List",
        "Software\\Microsoft\\FrontPage\\Explorer\\FrontPage Explorer\\Recent Web List"}},
  };
}

// Items whose traces are named string values (or every value) of keys.
struct TNamedValuesItem {
  const char* Caption;
  std::vector<const char*> Guards;
  // Key and the value names to read; no names: every value of the key.
  std::vector<std::pair<std::string, std::vector<std::string>>> Keys;
};

std::vector<std::string> Numbered(const char* prefix, int first, int last) {
  std::vector<std::string> names;
  for (int i = first; i <= last; ++i) names.push_back(prefix + std::to_string(i));
  return names;
}

std::vector<TNamedValuesItem> NamedValuesItems() {
  return {
      {"WinImage打开文件的历史记录", {"winimage.exe"}, {{"Software\\WinImage", Numbered("File", 1, 9)}}},
      {"HyperSnap打开与保存文件的历史记录", {"hprsnap6.exe", "hprsnap5.exe", "hprsnap.exe"},
       {{"Software\\Hyperionics\\HyperSnap 6\\Recent File List", {}},
        {"Software\\Hyperionics\\HyperSnap-DX v.5\\HyperSnap-DX\\Recent File List", {}},
        {"Software\\Hyperionics\\HyperSnap-DX v.4\\HyperSnap-DX\\Recent File List", {}}}},
      {"Download Accelerator Plus 历史记录", {"dap.exe"},
       {{"Software\\SpeedBit\\Download Accelerator", {"HistoryFindIndex"}},
        {"Software\\SpeedBit\\Download Accelerator\\SearchTab", {"SearchHistory"}}}},
      {"GetRight 历史记录", {"getright.exe"},
       {{"Software\\Headlight\\GetRight\\MRU", {}}, {"Software\\Headlight\\GetRight\\TypedDescs", {}},
        {"Software\\Headlight\\GetRight\\TypedURLs", {}}}},
  };
}

void ScanKingsoftList(TItemScan& scan, const std::string& key) {
  TRegistryKey list(HKEY_CURRENT_USER, key, false, KEY_READ);
  if (!list) return;
  for (const std::string& sub : list.SubKeyNames()) AddWholeKeyFinding(scan, key + "\\" + sub);
}

void ScanWord(TItemScan& scan) {
  for (const char* version : {"9.0", "10.0", "11.0"}) {
    const std::string key = std::string("Software\\Microsoft\\Office\\") + version + "\\Word\\Data";
    TRegistryKey data(HKEY_CURRENT_USER, key, false, KEY_READ);
    if (data && RegValueExists(data.Handle(), "Settings")) AddValueFinding(scan, "HKEY_CURRENT_USER", key, "Settings", "");
  }
  for (const char* key : {"Software\\Microsoft\\Office\\12.0\\Word\\File MRU", "Software\\Microsoft\\Office\\14.0\\Word\\File MRU"})
    if (ScanMruKey(scan, HKEY_CURRENT_USER, key)) return;
}

void ScanSevenZip(TItemScan& scan) {
  const std::string key = "Software\\7-Zip\\FM";
  TRegistryKey fm(HKEY_CURRENT_USER, key, false, KEY_READ);
  if (fm)
    for (const char* value : {"FolderHistory", "PanelPath0", "PanelPath1", "CopyHistory"})
      if (RegValueExists(fm.Handle(), value)) AddValueFinding(scan, "HKEY_CURRENT_USER", key, value, "");
  ScanMruKey(scan, HKEY_CURRENT_USER, "Software\\7-Zip\\Compression\\ArcHistory");
}

void ScanPatchFolder(TItemScan& scan) {
  const std::string setup = RegKeyText(HKEY_LOCAL_MACHINE, "Software\\Marvolent", "Setup Path");
  // Without the sibling program there is no patch folder to look at (never the current
  // folder's "Hotfix").
  if (!core::IsFullPath(setup)) return;
  ScanFolderFiles(scan, core::IncludeTrailingBackslash(setup) + "Hotfix", "*.*");
}

// The finder's leftovers: it counts its findings into the totals itself.
TItemHandler FinderHandler(TInvalidFilesSlot& slot, void (TFindInvalidFiles::*scan)(TItemScan&),
                           std::vector<std::string> guards) {
  TInvalidFilesSlot* s = &slot;
  TItemHandler handler = TraceHandler(
      [s, scan](TItemScan& item) {
        if (!s->Finder) s->Create();
        ((*s->Finder).*scan)(item);
      },
      kUnitFiles, std::move(guards));
  handler.CountsItself = true;
  return handler;
}

}  // namespace

void RegisterAppHistoryHandlers(THandlerTable& table, TInvalidFilesSlot& invalidFiles) {
  for (const TMruItem& item : MruItems()) {
    const std::vector<std::string> keys = item.Keys;
    table.Register(item.Caption, TraceHandler(
                                     [keys](TItemScan& scan) {
                                       for (const std::string& key : keys)
                                         if (ScanMruKey(scan, HKEY_CURRENT_USER, key)) return;
                                     },
                                     kUnitItems, std::vector<std::string>(item.Guards.begin(), item.Guards.end())));
  }
  for (const TNamedValuesItem& item : NamedValuesItems()) {
    const auto keys = item.Keys;
    table.Register(item.Caption, TraceHandler(
                                     [keys](TItemScan& scan) {
                                       for (const auto& [key, names] : keys)
                                         if (names.empty() ? ScanNamedValues(scan, key) : ScanNamedValues(scan, key, names))
                                           return;
                                     },
                                     kUnitItems, std::vector<std::string>(item.Guards.begin(), item.Guards.end())));
  }
  const char* const wps[][3] = {{"WPS文字历史记录", "wps.exe", "wps"}, {"WPS表格历史记录", "et.exe", "et"},
                                {"WPS演示历史记录", "wpp.exe", "wpp"}};
  for (const auto& w : wps) {
    const std::string key = std::string("Software\\Kingsoft\\Office\\6.0\\") + w[2] + "\\RecentFiles\\files";
    table.Register(w[0], TraceHandler([key](TItemScan& scan) { ScanKingsoftList(scan, key); }, kUnitItems,
                                 {w[1]}));
  }
  table.Register("微软 Word", TraceHandler(ScanWord, kUnitItems, {"msword.exe", "winword.exe"}));
  table.Register("7ZIP（压缩/解压缩工具）历史记录", TraceHandler(ScanSevenZip, kUnitItems, {"7zfm.exe"}));
  table.Register("Marvolent漏洞修复留下的补丁", TraceHandler(ScanPatchFolder, kUnitFiles, {"marvolent_cn.exe"}));
  table.Register("Windows Defender", TraceHandler(
                                         [](TItemScan& scan) {
                                           const std::string common = GetSpecialFolder(kCommonAppData);
                                           if (!common.empty())
                                             ScanFolderFiles(scan, common + "\\Microsoft\\Windows Defender\\Scans\\History\\Results\\Resource", "*.*");
                                         },
                                         kUnitFiles));
  table.Register("微软 Office", TraceHandler(
                                  [](TItemScan& scan) {
                                    const std::string appData = AppContext().AppDataDir;
                                    if (!appData.empty()) ScanFolderFiles(scan, appData + "\\Microsoft\\Office\\Recent", "*.*");
                                  },
                                  kUnitFiles));
  table.Register("Windows Live Messenger",
                 FinderHandler(invalidFiles, &TFindInvalidFiles::ScanMessengerLogs, {"msnmsgr.exe"}));
  table.Register("微软 Office Picture Manager",
                 FinderHandler(invalidFiles, &TFindInvalidFiles::ScanOfficeCatalog, {"ois.exe"}));
  TItemHandler symantec = FinderHandler(invalidFiles, &TFindInvalidFiles::ScanSymantecLogs, {});
  symantec.Summary = [](const TItemScan& scan) { return FormatFileSizeSummary(scan.Count, scan.Size); };
  table.Register("Symantec AntiVirus", symantec);
}
