#include "traces/IEItems.h"

#include <windows.h>
#include <wininet.h>

#include <vector>

#include "core/OSVersionRules.h"
#include "items/ItemCatalogue.h"
#include "items/ItemSummary.h"
#include "items/ResultRows.h"
#include "system/AppContext.h"
#include "system/IEHistory.h"
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
  explicit TUrlCacheWalk(const TUrlCacheCalls& calls) : calls_(calls) {
    DWORD size = 0;
    calls_.FindFirst(nullptr, &size);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return;
    buffer_.resize(size);
    find_ = calls_.FindFirst(Entry(), &size);
    valid_ = find_ != nullptr;
  }
  ~TUrlCacheWalk() {
    if (find_) calls_.Close(find_);
  }
  TUrlCacheWalk(const TUrlCacheWalk&) = delete;
  TUrlCacheWalk& operator=(const TUrlCacheWalk&) = delete;

  bool Valid() const { return valid_; }
  INTERNET_CACHE_ENTRY_INFOA* Entry() { return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer_.data()); }
  // The next entry; false at the end. An entry that cannot be fetched is passed over; a
  // walk that fails a thousand times in a row ends (the guard is against one endless
  // failure, not against a large cache, so each entry fetched resets it).
  bool Next() {
    for (int failures = 0; failures <= 1000; ++failures) {
      DWORD size = 0;
      if (calls_.FindNext(find_, nullptr, &size)) continue;
      const DWORD error = GetLastError();
      if (error == ERROR_NO_MORE_ITEMS) return false;
      if (error != ERROR_INSUFFICIENT_BUFFER) continue;
      buffer_.resize(size);
      if (calls_.FindNext(find_, Entry(), &size)) return true;
      if (GetLastError() == ERROR_NO_MORE_ITEMS) return false;
    }
    return false;
  }

 private:
  const TUrlCacheCalls& calls_;
  std::vector<char> buffer_;
  HANDLE find_ = nullptr;
  bool valid_ = false;
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

// Skipped while a browser of the family runs.
TItemHandler IEHandler(std::shared_ptr<TIEState> state, std::function<void(TItemScan&)> scan, const char* unit) {
  TItemHandler handler = TraceHandler(
      [state, scan](TItemScan& item) {
        if (state->BrowserRunning) {
          item.Skipped = true;
          return;
        }
        scan(item);
      },
      unit);
  return handler;
}

// The saved forms (store 1) or passwords (2): nothing is read; the item offers itself
// once per run, and its clean is the browser's own clearing of the store.
TItemHandler StoreHandler(std::shared_ptr<TIEState> state, bool TIEState::*cleared, int store,
                          std::function<TRemoveOutcome(int)> clear) {
  TIEState* s = state.get();
  TItemHandler handler = IEHandler(state, [s, cleared](TItemScan& item) { item.Count = s->*cleared ? 0 : 1; }, "");
  handler.Summary = [s, cleared](const TItemScan&) {
    return std::string(s->*cleared ? kSuffixAlreadyCleaned : kSuffixCanClean);
  };
  handler.Cleaner.Count = [s, cleared](const TTreeNode*, bool selected) {
    return selected && !s->BrowserRunning && !(s->*cleared) ? 1 : 0;
  };
  handler.Cleaner.Act = [state, cleared, store, clear](const TCleanServices&, TTreeNode*) -> std::optional<TRemoveOutcome> {
    const TRemoveOutcome outcome = clear ? clear(store) : TRemoveOutcome::Fail();
    // A store that could not be cleared goes on offering itself.
    if (outcome.Result != TRemoveResult::Failed) state.get()->*cleared = true;
    return outcome;
  };
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

TUrlCacheCalls TUrlCacheCalls::System() {
  return {[](INTERNET_CACHE_ENTRY_INFOA* entry, DWORD* size) { return FindFirstUrlCacheEntryA(nullptr, entry, size); },
          FindNextUrlCacheEntryA, FindCloseUrlCache, DeleteUrlCacheEntryA};
}

int DeleteUrlCacheEntries(int year, int month, int day, const TUrlCacheCalls& calls) {
  TUrlCacheWalk walk(calls);
  if (!walk.Valid()) return 0;
  // Deleting while walking can make the walk skip entries: the choice is made first.
  std::vector<std::string> doomed;
  do {
    const INTERNET_CACHE_ENTRY_INFOA* e = walk.Entry();
    if (e->lpszSourceUrlName && !KeepEntry(*e, year, month, day)) doomed.push_back(e->lpszSourceUrlName);
  } while (walk.Next());
  int deleted = 0;
  for (const std::string& url : doomed) deleted += calls.Delete(url.c_str()) ? 1 : 0;
  return deleted;
}

// Wine exports the clearing function as a stub that raises an exception when called.
static bool UnderWine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

TRemoveOutcome ClearIEAutoComplete(int store) {
  if (UnderWine()) return TRemoveOutcome::Fail(ERROR_CALL_NOT_IMPLEMENTED);
  const TAppContext& ctx = AppContext();
  const bool ie7 = ctx.OSInfo && ctx.OSInfo->IsIE7OrLater();
  TLibrary library(ie7 ? "ieframe.dll" : "shdocvw.dll");
  typedef void(WINAPI * TClear)(DWORD);
  TClear clear = library.Proc<TClear>(MAKEINTRESOURCEA(211));
  if (!clear) return TRemoveOutcome::Fail(ERROR_PROC_NOT_FOUND);
  clear(static_cast<DWORD>(store));
  return TRemoveOutcome::NoResult();  // the export says nothing of what it did
}

void CleanInternetHistory() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  LaunchIEHistoryClean("\"" + std::string(path) + "\" /iehistory");
  SYSTEMTIME now;
  GetLocalTime(&now);
  DeleteUrlCacheEntries(now.wYear, now.wMonth, now.wDay);
}

TIECleanCalls TIECleanCalls::System() { return {ClearIEAutoComplete, CleanInternetHistory}; }

std::shared_ptr<TIEState> RegisterIEHandlers(THandlerTable& table, const TIECleanCalls& calls) {
  auto state = std::make_shared<TIEState>();
  table.OnScanStart([state] { state->BrowserRunning = IsIEBrowserRunning(); });
  TItemHandler history = IEHandler(state, ScanInternetCache, kUnitFiles);
  // The history itself goes once every item was cleaned; the first item of the first
  // group then reads cleaned.
  history.Cleaner.AfterWalk = [clean = calls.CleanHistory](TTreeModel& tree, const std::set<std::string>&) {
    if (clean) clean();
    SetItemSuffix(&tree, tree.GetFirst() ? tree.GetFirst()->FirstChild() : nullptr, kSuffixCleaned);
  };
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
  table.Register(kItemIEForms, StoreHandler(state, &TIEState::FormsCleared, 1, calls.ClearStore));
  table.Register(kItemIEPasswords, StoreHandler(state, &TIEState::PasswordsCleared, 2, calls.ClearStore));
  return state;
}
