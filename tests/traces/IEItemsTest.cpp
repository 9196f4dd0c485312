// Internet Explorer's items against Wine's registry, cache folder and WinINet cache: the
// browser guard, typed addresses, the run marks of the saved forms and passwords, the
// cache files, and which cache entries the history clean deletes.
#include <gtest/gtest.h>
#include <windows.h>
#include <wininet.h>

#include <shlwapi.h>

#include <set>
#include <string>

#include "helpers/TestContext.h"
#include "helpers/TraceScanBench.h"
#include "items/ItemCatalogue.h"
#include "items/ItemSummary.h"
#include "system/ToolsShell.h"
#include "traces/IEItems.h"

namespace {

const char kTyped[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";

void SetValue(const char* name, DWORD type, const std::string& data) {
  HKEY h;
  RegCreateKeyExA(HKEY_CURRENT_USER, kTyped, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
  RegSetValueExA(h, name, 0, type, reinterpret_cast<const BYTE*>(data.c_str()), static_cast<DWORD>(data.size() + 1));
  RegCloseKey(h);
}

using TScanBench = TTraceScanBench;

// A cache entry of the given type for url, committed with a small local file.
bool Commit(const std::string& url, DWORD type) {
  char file[MAX_PATH] = {};
  if (!CreateUrlCacheEntryA(url.c_str(), 0, "htm", file, 0)) return false;
  HANDLE h = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD done = 0;
  WriteFile(h, "x", 1, &done, nullptr);
  CloseHandle(h);
  FILETIME none = {};
  return CommitUrlCacheEntryA(url.c_str(), file, none, none, type, nullptr, 0, nullptr, nullptr) != FALSE;
}

bool InCache(const std::string& url) {
  DWORD size = 0;
  GetUrlCacheEntryInfoA(url.c_str(), nullptr, &size);
  return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

}  // namespace

TEST(IEItems, TypedAddressesAreStringValuesWithANameAndTheGuardSkipsThem) {
  SHDeleteKeyA(HKEY_CURRENT_USER, kTyped);
  SetValue("url1", REG_SZ, "http://one.invalid/");
  SetValue("url2", REG_EXPAND_SZ, "http://two.invalid/");
  SetValue("  ", REG_SZ, "http://blank.invalid/");
  SetValue("url3", REG_BINARY, "bytes");
  const std::vector<TTypedUrl> urls = ReadTypedUrls();
  ASSERT_EQ(urls.size(), 2u);
  EXPECT_EQ(urls[0].Name + "=" + urls[0].Url, "url1=http://one.invalid/");
  EXPECT_EQ(urls[1].Name + "=" + urls[1].Url, "url2=http://two.invalid/");

  THandlerTable table;
  const std::shared_ptr<TIEState> state = RegisterIEHandlers(table);
  TScanBench b;
  table.Find(kItemIETypedUrls)->Scan(b.scan);
  ASSERT_EQ(b.scan.Count, 2);
  const TTreeNode* f = b.item->FirstChild();
  EXPECT_EQ(f->Data.Caption, "http://one.invalid/");
  EXPECT_EQ(f->Data.Path, kTyped);
  EXPECT_EQ(f->Data.Name, "url1");
  EXPECT_EQ(f->Data.Root, "HKEY_CURRENT_USER");

  state->BrowserRunning = true;
  for (const char* caption : {kItemIETypedUrls, kItemIEHistory, kItemIEForms, kItemIEPasswords}) {
    TScanBench skipped;
    table.Find(caption)->Scan(skipped.scan);
    EXPECT_TRUE(skipped.scan.Skipped) << caption;
    EXPECT_EQ(skipped.scan.Count, 0) << caption;
  }
  SHDeleteKeyA(HKEY_CURRENT_USER, kTyped);
}

TEST(IEItems, SavedFormsOfferThemselvesOncePerRun) {
  THandlerTable table;
  const std::shared_ptr<TIEState> state = RegisterIEHandlers(table);
  const TItemHandler* forms = table.Find(kItemIEForms);
  TScanBench first;
  forms->Scan(first.scan);
  EXPECT_EQ(first.scan.Count, 1) << "counted in the totals without a finding node";
  EXPECT_EQ(first.item->ChildCount(), 0u);
  EXPECT_EQ(forms->Summary(first.scan), kSuffixCanClean);
  EXPECT_TRUE(forms->Cleaner.Act) << "its clean is an action of its own";
  state->FormsCleared = true;
  TScanBench again;
  forms->Scan(again.scan);
  EXPECT_EQ(again.scan.Count, 0);
  EXPECT_EQ(forms->Summary(again.scan), kSuffixAlreadyCleaned);
  TScanBench passwords;
  table.Find(kItemIEPasswords)->Scan(passwords.scan);
  EXPECT_EQ(passwords.scan.Count, 1) << "each store has its own mark";
  TTestContext context(false);
  // The real export where the system has one; Wine's stub is not called, and nothing
  // cleared is no clean.
  EXPECT_EQ(ClearIEAutoComplete(1).Result, TRemoveResult::Failed);
}

TEST(IEItems, TheCacheFolderWithoutItsIndexFiles) {
  const std::string cache = GetSpecialFolder(32);
  ASSERT_FALSE(cache.empty());
  const std::string dir = cache + "\\PVXTEST1";
  CreateDirectoryA(cache.c_str(), nullptr);
  CreateDirectoryA(dir.c_str(), nullptr);
  for (const char* name : {"\\picture[1].gif", "\\index.dat", "\\desktop.ini"}) {
    HANDLE h = CreateFileA((dir + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
  }
  TScanBench b;
  ScanInternetCache(b.scan);
  std::set<std::string> names;
  for (const TTreeNode* f = b.item->FirstChild(); f; f = f->NextSibling())
    if (f->Data.Caption.rfind(dir, 0) == 0) names.insert(f->Data.Path);
  EXPECT_EQ(names, std::set<std::string>{"picture[1].gif"});
  for (const char* name : {"\\picture[1].gif", "\\index.dat", "\\desktop.ini"}) DeleteFileA((dir + name).c_str());
  RemoveDirectoryA(dir.c_str());
}

TEST(IEItems, TheHistoryCleanKeepsCookiesAndEarlierDaysHistory) {
  const std::string page = "http://purvex.invalid/page.htm";
  const std::string cookie = "Cookie:user@purvex.invalid/";
  const std::string visited = "Visited: user@http://purvex.invalid/page.htm";
  ASSERT_TRUE(Commit(page, NORMAL_CACHE_ENTRY));
  ASSERT_TRUE(Commit(cookie, 0x100001));
  ASSERT_TRUE(Commit(visited, 0x200001));
  // A "today" long ago: the visit was synchronised on another day and stays.
  EXPECT_GE(DeleteUrlCacheEntries(2000, 1, 1), 1);
  EXPECT_FALSE(InCache(page));
  EXPECT_TRUE(InCache(cookie));
  EXPECT_TRUE(InCache(visited));
  SYSTEMTIME now;
  GetLocalTime(&now);
  DeleteUrlCacheEntries(now.wYear, now.wMonth, now.wDay);
  EXPECT_FALSE(InCache(visited)) << "today's history goes";
  EXPECT_TRUE(InCache(cookie));
  DeleteUrlCacheEntryA(cookie.c_str());
}

// A cache whose size queries fail often: the guard against an endless failure counts per
// entry, so every entry after the thousandth failure of the walk is still deleted; a
// failure that never ends still ends the walk.
TEST(IEItems, TheCacheWalkGivesUpOnAnEntryNotOnTheCache) {
  const struct {
    int FailuresBeforeEach;
    int Entries;
    int Deleted;
  } kCases[] = {{999, 5, 5}, {0, 3, 3}, {5000, 3, 1}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.FailuresBeforeEach);
    int served = 0, failed = 0, deleted = 0;
    TUrlCacheCalls calls;
    auto serve = [&](INTERNET_CACHE_ENTRY_INFOA* entry, DWORD* size) {
      static char url[] = "http://purvex.invalid/";
      if (!entry || *size < sizeof(INTERNET_CACHE_ENTRY_INFOA)) {
        *size = sizeof(INTERNET_CACHE_ENTRY_INFOA);
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
      }
      *entry = INTERNET_CACHE_ENTRY_INFOA();
      entry->lpszSourceUrlName = url;
      entry->CacheEntryType = NORMAL_CACHE_ENTRY;
      ++served;
      return TRUE;
    };
    calls.FindFirst = [&](INTERNET_CACHE_ENTRY_INFOA* entry, DWORD* size) {
      return serve(entry, size) ? reinterpret_cast<HANDLE>(1) : nullptr;
    };
    calls.FindNext = [&](HANDLE, INTERNET_CACHE_ENTRY_INFOA* entry, DWORD* size) -> BOOL {
      if (served >= c.Entries) {
        SetLastError(ERROR_NO_MORE_ITEMS);
        return FALSE;
      }
      if (!entry && failed < c.FailuresBeforeEach) {
        ++failed;
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
      }
      if (entry) failed = 0;
      return serve(entry, size);
    };
    calls.Close = [](HANDLE) {};
    calls.Delete = [&](const char*) { return ++deleted, TRUE; };
    EXPECT_EQ(DeleteUrlCacheEntries(2000, 1, 1, calls), c.Deleted);
  }
}
