#include "traces/IEItems.h"

#include <windows.h>
#include <wininet.h>

#include <vector>

#include "core/OSVersionRules.h"
#include "items/ItemCatalogue.h"
#include "items/ItemSummary.h"
#include "system/AppContext.h"
#include "system/LibraryHandle.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"
#include "system/ToolsProcesses.h"
#include "system/ToolsShell.h"
#include "traces/ScanFolderTree.h"
#include "traces/TraceFindings.h"

namespace {

const char* const kIEBrowsers[] = {"iexplore.exe",     "theworld.exe", "360se.exe",   "greenbrowser.exe",
                                   "ttraveler.exe",    "saayaa.exe",   "maxthon.exe", "myie.exe"};
const char kTypedUrls[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
const int kInternetCache = 32;  // CSIDL_INTERNET_CACHE
const DWORD kCookieEntry = 0x100001;
const DWORD kUrlHistoryEntry = 0x200000;

// Entries of the cache walk, each fetched with the size it asks for.
class TUrlCacheWalk {
 public:
  TUrlCacheWalk() {
    DWORD size = 0;
    FindFirstUrlCacheEntryA(nullptr, nullptr, &size);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return;
    buffer_.resize(size);
    find_ = FindFirstUrlCacheEntryA(nullptr, Entry(), &size);
    valid_ = find_ != nullptr;
  }
  ~TUrlCacheWalk() {
    if (find_) FindCloseUrlCache(find_);
  }
  TUrlCacheWalk(const TUrlCacheWalk&) = delete;
  TUrlCacheWalk& operator=(const TUrlCacheWalk&) = delete;

  bool Valid() const { return valid_; }
  INTERNET_CACHE_ENTRY_INFOA* Entry() { return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer_.data()); }
  // The next entry; false at the end. An entry that cannot be fetched is passed over.
  bool Next() {
    for (;;) {
      DWORD size = 0;
      if (FindNextUrlCacheEntryA(find_, nullptr, &size)) continue;
      const DWORD error = GetLastError();
      if (error == ERROR_NO_MORE_ITEMS) return false;
      if (error != ERROR_INSUFFICIENT_BUFFER) {
        // Nothing to fetch for this one; a walk that keeps failing must still end.
        if (++failures_ > 1000) return false;
        continue;
      }
      buffer_.resize(size);
      if (FindNextUrlCacheEntryA(find_, Entry(), &size)) return true;
      if (GetLastError() == ERROR_NO_MORE_ITEMS) return false;
    }
  }

 private:
  std::vector<char> buffer_;
  HANDLE find_ = nullptr;
  bool valid_ = false;
  int failures_ = 0;
};

bool SyncedToday(const INTERNET_CACHE_ENTRY_INFOA& e, int year, int month, int day) {
  FILETIME local;
  SYSTEMTIME t;
  if (!FileTimeToLocalFileTime(&e.LastSyncTime, &local) || !FileTimeToSystemTime(&local, &t)) return true;
  return t.wYear == year && t.wMonth == month && t.wDay == day;
}

bool KeepEntry(const INTERNET_CACHE_ENTRY_INFOA& e, int year, int month, int day) {
  if (e.CacheEntryType == kCookieEntry) return true;
  if (e.CacheEntryType & kUrlHistoryEntry) return !SyncedToday(e, year, month, day);
  return false;
}

TItemHandler IEHandler(TRunState& state, std::function<void(TItemScan&)> scan, const char* unit) {
  TItemHandler handler;
  handler.UnitWord = unit;
  TRunState* s = &state;
  handler.Scan = [s, scan](TItemScan& item) {
    if (s->IEBrowserRunning) {
      item.Skipped = true;
      return;
    }
    scan(item);
  };
  return handler;
}

// The saved forms or passwords: nothing is read; the item offers itself once per run.
TItemHandler StoreHandler(TRunState& state, bool TRunState::*cleared, TCleanAction action) {
  TItemHandler handler = IEHandler(
      state, [&state, cleared](TItemScan& item) { item.Count = state.*cleared ? 0 : 1; }, "");
  handler.Summary = [&state, cleared](const TItemScan&) {
    return std::string(state.*cleared ? kSuffixAlreadyCleaned : kSuffixCanClean);
  };
  handler.Clean = action;
  return handler;
}

}  // namespace

bool IsIEBrowserRunning() {
  for (const char* exe : kIEBrowsers)
    if (IsProcessRunning(exe)) return true;
  return false;
}

void ScanInternetCache(TItemScan& scan) {
  const std::string cache = GetSpecialFolder(kInternetCache);
  if (!cache.empty()) ScanFolderTree(scan, cache, {"index.dat", "desktop.ini", "suggestedsites.dat"});
}

std::vector<TTypedUrl> ReadTypedUrls() {
  std::vector<TTypedUrl> urls;
  TRegistryKey key(HKEY_CURRENT_USER, kTypedUrls, false, KEY_READ);
  if (!key) return urls;
  bool complete = true;
  for (const std::string& name : RegValueNames(key.Handle(), &complete)) {
    DWORD type = 0;
    const std::string trimmed = core::TrimBlanks(name);
    if (trimmed.empty() || !RegValueType(key.Handle(), name, type) || (type != REG_SZ && type != REG_EXPAND_SZ))
      continue;
    std::string url;
    if (!ReadRegText(key.Handle(), trimmed, url)) break;
    urls.push_back(TTypedUrl{trimmed, url});
  }
  return urls;
}

int DeleteUrlCacheEntries(int year, int month, int day) {
  TUrlCacheWalk walk;
  if (!walk.Valid()) return 0;
  // Deleting while walking can make the walk skip entries: the choice is made first.
  std::vector<std::string> doomed;
  do {
    const INTERNET_CACHE_ENTRY_INFOA* e = walk.Entry();
    if (e->lpszSourceUrlName && !KeepEntry(*e, year, month, day)) doomed.push_back(e->lpszSourceUrlName);
  } while (walk.Next());
  int deleted = 0;
  for (const std::string& url : doomed) deleted += DeleteUrlCacheEntryA(url.c_str()) ? 1 : 0;
  return deleted;
}

// Wine exports the clearing function as a stub that raises an exception when called.
static bool UnderWine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

void ClearIEAutoComplete(int store) {
  if (UnderWine()) return;
  const TAppContext& ctx = AppContext();
  const bool ie7 = ctx.OSInfo && ctx.OSInfo->IsIE7OrLater();
  TLibrary library(ie7 ? "ieframe.dll" : "shdocvw.dll");
  typedef void(WINAPI * TClear)(DWORD);
  TClear clear = library.Proc<TClear>(MAKEINTRESOURCEA(211));
  if (clear) clear(static_cast<DWORD>(store));
}

void RegisterIEHandlers(THandlerTable& table, TRunState& state) {
  TItemHandler history = IEHandler(state, ScanInternetCache, kUnitFiles);
  history.Clean = TCleanAction::IEHistory;
  table.Register(kItemIEHistory, history);
  table.Register(kItemIETypedUrls, IEHandler(
                                       state,
                                       [](TItemScan& scan) {
                                         for (const TTypedUrl& url : ReadTypedUrls()) {
                                           if (AddRegistryFinding(scan.Tree, url.Url, kTypedUrls, false, scan.Item,
                                                                  "HKEY_CURRENT_USER", -1, std::string(), std::string(),
                                                                  url.Name))
                                             ++scan.Count;
                                           if (EntryDone(scan)) return;
                                         }
                                       },
                                       kUnitItems));
  table.Register(kItemIEForms, StoreHandler(state, &TRunState::IEFormsCleared, TCleanAction::ClearIEForms));
  table.Register(kItemIEPasswords, StoreHandler(state, &TRunState::IEPasswordsCleared, TCleanAction::ClearIEPasswords));
}
