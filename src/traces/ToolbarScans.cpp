#include "traces/ToolbarScans.h"

#include <windows.h>

#include <algorithm>

#include "core/OSVersionRules.h"
#include "core/PathText.h"
#include "core/TraceScanRules.h"
#include "items/ItemCatalogue.h"
#include "items/ItemSummary.h"
#include "system/AppContext.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"
#include "system/ToolsFiles.h"
#include "system/ToolsFolders.h"
#include "system/ToolsShell.h"
#include "system/XmlDocument.h"
#include "traces/TraceFindings.h"

namespace {

const char kCurrentUser[] = "HKEY_CURRENT_USER";
const char* const kQQKeys[] = {"Software\\AppDataLow\\Tencent\\QQToolbar\\History", "Software\\Tencent\\QQToolbar\\History"};
const char* const kBaiduKeys[] = {
    "Software\\AppDataLow\\Software\\baidu\\BaiduToolbar\\History",
    "Software\\AppDataLow\\Software\\baidu\\BaiduToolbar\\navhistory",
    "Software\\baidu\\BaiduToolbar\\History",
    "Software\\baidu\\BaiduToolbar\\navhistory",
    "Software\\AppDataLow\\Software\\baidu\\BaiduBar\\History",
    "Software\\AppDataLow\\Software\\baidu\\BaiduBar\\navhistory",
    "Software\\baidu\\BaiduBar\\History",
    "Software\\baidu\\BaiduBar\\navhistory",
};
const int kLocalAppData = 28, kLocalLowAppData = 0x801C, kCommonAppData = 35;

void AddFile(TItemScan& scan, const std::string& path, const std::string& name) {
  AddFileFinding(scan, path, name, kKindFile, GetFileSize64(path));
}

// Line feeds in the whole file; an unreadable file has none.
int LineFeeds(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0)
    for (DWORD i = 0; i < got; ++i) count += buf[i] == '\n';
  CloseHandle(h);
  return count;
}

bool EndsWithHistory(const std::string& key) {
  const std::string tail = "\\History";
  return key.size() >= tail.size() && key.compare(key.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

void ScanGoogleToolbar(TItemScan& scan) {
  const std::string appData = AppContext().AppDataDir;
  if (appData.empty()) return;
  for (const char* name : {"google%2Eweb.w", "google.web.w"}) {
    const std::string path = appData + "\\Google\\Local Search History\\" + name;
    if (FileExistsStrict(path) && LineFeeds(path) > 0 && IsLiveFile(path)) AddFile(scan, path, name);
  }
  std::vector<std::string> profiles;
  ListSubDirs(appData + "\\Mozilla\\Firefox\\Profiles\\", profiles);
  for (const std::string& profile : profiles) {
    const std::string path = core::IncludeTrailingBackslash(profile) + "GoogleToolbarData\\searchhistory.xml";
    if (FileExistsStrict(path) && XmlRootElementCount(path) > 0 && IsLiveFile(path)) AddFile(scan, path, "searchhistory.xml");
  }
}

void ScanQQToolbarKey(TItemScan& scan, const std::string& key) {
  TRegistryKey history(HKEY_CURRENT_USER, key, false, KEY_READ);
  if (!history) return;
  DWORD count = 0, type = 0, size = sizeof count;
  int32_t c = 0;
  if (RegQueryValueExA(history.Handle(), "Count", nullptr, &type, reinterpret_cast<BYTE*>(&count), &size) ==
          ERROR_SUCCESS &&
      type == REG_DWORD && size == sizeof count)
    c = static_cast<int32_t>(count);
  if (c <= 0) return;
  const int32_t last = c > 20 ? c : 20;
  // The entries "History1" to "History<last>" that are there, in that order. Count comes
  // from outside: the key's own listing bounds the work, not the number it claims.
  std::vector<int32_t> numbers;
  for (const std::string& name : RegValueNames(history.Handle())) {
    const int32_t n = core::HistoryNumber(name);
    if (n >= 1 && n <= last) numbers.push_back(n);
  }
  std::sort(numbers.begin(), numbers.end());
  for (int32_t n : numbers) AddValueFinding(scan, kCurrentUser, key, "History" + std::to_string(n), std::string());
  if (scan.Count > 0) AddValueFinding(scan, kCurrentUser, key, "Count", std::string());
}

void ScanBaiduToolbarKey(TItemScan& scan, const std::string& key) {
  TRegistryKey history(HKEY_CURRENT_USER, key, false, KEY_READ);
  if (!history) return;
  for (const std::string& name : RegValueNames(history.Handle())) {
    DWORD type = 0;
    if (core::TrimBlanks(name).empty() || !RegValueType(history.Handle(), name, type) ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
      continue;
    AddValueFinding(scan, kCurrentUser, key, name, std::string());
    if (EntryDone(scan)) return;
  }
  if (EndsWithHistory(key) && scan.Count > 0) AddValueFinding(scan, kCurrentUser, key, "Count", std::string());
}

void ScanLiveSearchBox(TItemScan& scan) {
  for (int folder : {kLocalAppData, kLocalLowAppData}) {
    const std::string base = GetSpecialFolder(folder);
    if (base.empty()) continue;
    const std::string path = base + "\\Microsoft\\Search Enhancement Pack\\Search Box Extension\\history.dat";
    if (IsLiveFile(path)) AddFile(scan, path, "history.dat");
  }
  const std::string key = "Software\\Microsoft\\MSN Apps\\SearchBox";
  TRegistryKey box(HKEY_CURRENT_USER, key, false, KEY_READ);
  if (box && RegValueExists(box.Handle(), "History")) AddValueFinding(scan, kCurrentUser, key, "History", std::string());
}

void ScanThunderSearch(TItemScan& scan) {
  const std::string common = GetSpecialFolder(kCommonAppData);
  if (common.empty()) return;
  const std::string path = common + "\\Thunder Network\\ThunderGougouSearch\\SearchHistory.xml";
  if (IsLiveFile(path)) AddFile(scan, path, "SearchHistory.xml");
}

void RegisterToolbarHandlers(THandlerTable& table) {
  table.Register(kItemGoogleToolbar, TraceHandler(ScanGoogleToolbar, kUnitRecords));
  table.Register(kItemQQToolbar, TraceHandler(
                                     [](TItemScan& scan) {
                                       for (const char* key : kQQKeys) ScanQQToolbarKey(scan, key);
                                     },
                                     kUnitItems));
  table.Register(kItemBaiduToolbar, TraceHandler(
                                        [](TItemScan& scan) {
                                          for (const char* key : kBaiduKeys) ScanBaiduToolbarKey(scan, key);
                                        },
                                        kUnitItems));
  TItemHandler live = TraceHandler(ScanLiveSearchBox, kUnitItems);
  // The files' sizes go to the scan totals but the summary shows only the count.
  live.Summary = [](const TItemScan& scan) { return FormatSummary(scan.Count, kUnitItems, 0); };
  table.Register(kItemLiveSearchBox, live);
  TItemHandler thunder = TraceHandler(ScanThunderSearch, kUnitFiles);
  thunder.GuardExecutables = {"thunder.exe"};
  table.Register(kItemThunderSearch, thunder);
}
