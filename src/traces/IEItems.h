// Internet Explorer's items: the browser guard of the IE family, the Internet cache and
// history, the address-bar history and the saved forms and passwords.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>
#include <wininet.h>

#include "items/ItemHandlers.h"

// Internet Explorer or a browser built on its engine is running.
bool IsIEBrowserRunning();

// File findings for the Internet cache folder (index.dat and the like left out).
void ScanInternetCache(TItemScan& scan);

struct TTypedUrl {
  std::string Name;  // the value name, trimmed
  std::string Url;
};
// The address-bar history; reading ends quietly at the first error.
std::vector<TTypedUrl> ReadTypedUrls();

// The WinINet cache calls the cache walk makes (tests give failing fakes).
struct TUrlCacheCalls {
  std::function<HANDLE(INTERNET_CACHE_ENTRY_INFOA* entry, DWORD* size)> FindFirst;
  std::function<BOOL(HANDLE find, INTERNET_CACHE_ENTRY_INFOA* entry, DWORD* size)> FindNext;
  std::function<void(HANDLE find)> Close;
  std::function<BOOL(const char* url)> Delete;
  static TUrlCacheCalls System();
};

// Deletes the Internet cache's entries but cookies and the URL history of earlier days;
// today is given as local year, month and day. Returns how many entries were deleted.
int DeleteUrlCacheEntries(int year, int month, int day, const TUrlCacheCalls& calls = TUrlCacheCalls::System());

// Internet Explorer's own clearing of its saved forms (1) or passwords (2): an export that
// reports nothing, so a call is Unreported; Failed when it is missing, and under Wine,
// which only stubs it (nothing is called).
TRemoveOutcome ClearIEAutoComplete(int store);

// The history mode's children (Purvex started with "/iehistory"), then the Internet
// cache's entries but cookies and today's history.
void CleanInternetHistory();

// What the IE items know in a run: a browser of the family ran when the scan started
// (their items are skipped), and the stores that were cleared (they offer themselves once).
struct TIEState {
  bool BrowserRunning = false;
  bool FormsCleared = false;
  bool PasswordsCleared = false;
};

// The platform calls of the IE items' clean; tests give recording fakes.
struct TIECleanCalls {
  std::function<TRemoveOutcome(int store)> ClearStore;
  std::function<void()> CleanHistory;
  static TIECleanCalls System();
};

std::shared_ptr<TIEState> RegisterIEHandlers(THandlerTable& table, const TIECleanCalls& calls = TIECleanCalls::System());
