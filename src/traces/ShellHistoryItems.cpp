#include "traces/ShellHistoryItems.h"

#include <memory>

#include "items/ItemCatalogue.h"
#include "items/ItemSummary.h"
#include "traces/TraceFindings.h"
#include "system/AppContext.h"
#include "system/ToolsShell.h"
#include "traces/ShellActionItems.h"
#include "traces/ScanFolderFiles.h"
#include "traces/ScanMruKey.h"
#include "traces/ShellHistoryScans.h"

namespace {

const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
const std::string kComDlg = kExplorer + "ComDlg32\\";

int Major() { return AppContext().MajorVersion(); }

TItemHandler Handler(std::function<void(TItemScan&)> scan, const char* unit = kUnitItems) {
  return TraceHandler(std::move(scan), unit);
}

// A handler that lists one remembered-list key.
TItemHandler MruHandler(const std::string& key) {
  return Handler([key](TItemScan& s) { ScanMruKey(s, HKEY_CURRENT_USER, key); });
}

// The recent-documents lists and shortcut folders, in order, into the registry and file
// counts; each part ends the item when the user asked to stop.
void ScanRecentDocuments(TItemScan& registry, TItemScan& files) {
  if (ScanMruKey(registry, HKEY_CURRENT_USER, kExplorer + "RecentDocs")) return;
  const std::string profileRecent = GetSpecialFolder(40) + "\\Recent";
  if (ScanFolderFiles(files, profileRecent, "*")) return;
  const std::string recent = GetSpecialFolder(8);
  if (!recent.empty() && recent != profileRecent && ScanFolderFiles(files, recent, "*")) return;
  if (Major() >= 6) ScanMruKey(registry, HKEY_CURRENT_USER, kExplorer + "TypedPaths");
}

// Recent documents: registry entries and shortcut files, each with its own count.
TItemHandler RecentDocumentsHandler() { return FileRegistryHandler(ScanRecentDocuments, {}); }

}  // namespace

std::shared_ptr<TRecycleBinScan> RegisterShellHistoryHandlers(THandlerTable& table, const TShellCleanCalls& calls) {
  auto bin = std::make_shared<TRecycleBinScan>();
  // The bin is counted again when its item is scanned; an old count must not reach the
  // statistics of a later clean.
  table.OnScanStart([bin] { *bin = TRecycleBinScan(); });
  table.Register(kItemRunMru, MruHandler(kExplorer + "RunMRU"));
  table.Register(kItemRecentPrograms, Handler([](TItemScan& s) {
                   if (Major() < 6) {
                     ScanMruKey(s, HKEY_CURRENT_USER, kComDlg + "LastVisitedMRU");
                   } else if (!ScanMruKey(s, HKEY_CURRENT_USER, kComDlg + "LastVisitedPidlMRU")) {
                     ScanMruKey(s, HKEY_CURRENT_USER, kComDlg + "LastVisitedPidlMRULegacy");
                   }
                 }));
  table.Register(kItemOpenSaveHistory, Handler([](TItemScan& s) {
                   ScanMruKey(s, HKEY_CURRENT_USER, kComDlg + (Major() < 6 ? "OpenSaveMRU" : "OpenSavePidlMRU"));
                 }));
  table.Register(kItemWindowPositions, MruHandler(kExplorer + "StreamMRU"));
  table.Register(kItemFindComputer, Handler([](TItemScan& s) {
                   ScanSearchAssistantKey("Software\\Microsoft\\Search Assistant\\ACMru\\5647", TSearchCaption::WithKey, s);
                 }));
  table.Register(kItemRecentDocuments, RecentDocumentsHandler());
  table.Register(kItemJumpLists, Handler(
                     [](TItemScan& s) {
                       const std::string& appData = AppContext().AppDataDir;
                       if (appData.empty()) return;
                       if (!ScanFolderFiles(s, appData + "\\Microsoft\\Windows\\Recent\\AutomaticDestinations", "*.*"))
                         ScanFolderFiles(s, appData + "\\Microsoft\\Windows\\Recent\\CustomDestinations", "*.*");
                     },
                     kUnitFiles));
  table.Register(kItemFileExtHistory, FileExtHistoryHandler(calls.DeleteFileExtHistory));
  table.Register(kItemUserAssist, Handler([](TItemScan& s) {
                   for (const char* key : kUserAssistKeys) ScanUserAssistKey(key, s);
                 }));
  table.Register(kItemTrayIcons, TrayIconsHandler());
  table.Register(kItemRecycleBin, RecycleBinHandler(bin, calls.EmptyRecycleBin));
  table.Register(kItemWindowsSearch, Handler([](TItemScan& s) {
                   if (Major() >= 6) {
                     ScanMruKey(s, HKEY_CURRENT_USER, kExplorer + "WordWheelQuery");
                   } else {
                     if (!ScanSearchAssistantKey("Software\\Microsoft\\Search Assistant\\ACMru\\5603",
                                                 TSearchCaption::TextOnly, s))
                       ScanSearchAssistantKey("Software\\Microsoft\\Search Assistant\\ACMru\\5604",
                                              TSearchCaption::TextOnly, s);
                   }
                 }));
  table.Register(kItemNetworkDrives, MruHandler(kExplorer + "Map Network Drive MRU"));
  table.Register(kItemClipboard, ClipboardHandler(calls.EmptyClipboard));
  TItemHandler paint = MruHandler("Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List");
  paint.GuardExecutables = {"mspaint.exe"};
  table.Register(kItemPaint, paint);
  TItemHandler wordpad = MruHandler("Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List");
  wordpad.GuardExecutables = {"wordpad.exe"};
  table.Register(kItemWordPad, wordpad);
  return bin;
}
