#include "traces/AppHistoryItems.h"

#include <windows.h>

#include <vector>

#include "items/ItemSummary.h"
#include "system/AppContext.h"
#include "system/ToolsShell.h"
#include "traces/ScanFolderFiles.h"
#include "traces/ScanMruKey.h"

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
  };
}

TItemHandler Handler(std::function<void(TItemScan&)> scan, const char* unit, std::vector<std::string> guards = {}) {
  TItemHandler handler;
  handler.Scan = std::move(scan);
  handler.UnitWord = unit;
  handler.GuardExecutables = std::move(guards);
  return handler;
}

// The finder's leftovers: it counts its findings into the totals itself.
TItemHandler FinderHandler(TInvalidFilesSlot& slot, void (TFindInvalidFiles::*scan)(TItemScan&),
                           std::vector<std::string> guards) {
  TInvalidFilesSlot* s = &slot;
  TItemHandler handler = Handler(
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
    table.Register(item.Caption, Handler(
                                     [keys](TItemScan& scan) {
                                       for (const std::string& key : keys)
                                         if (ScanMruKey(scan, HKEY_CURRENT_USER, key)) return;
                                     },
                                     kUnitItems, std::vector<std::string>(item.Guards.begin(), item.Guards.end())));
  }
  table.Register("Windows Defender", Handler(
                                         [](TItemScan& scan) {
                                           const std::string common = GetSpecialFolder(kCommonAppData);
                                           if (!common.empty())
                                             ScanFolderFiles(scan, common + "\\Microsoft\\Windows Defender\\Scans\\History\\Results\\Resource", "*.*");
                                         },
                                         kUnitFiles));
  table.Register("微软 Office", Handler(
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
