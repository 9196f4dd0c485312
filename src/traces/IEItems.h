// Internet Explorer's items: the browser guard of the IE family, the Internet cache and
// history, the address-bar history and the saved forms and passwords.
#pragma once
#include <string>
#include <vector>

#include "items/ItemHandlers.h"
#include "items/RunState.h"

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

// Deletes the Internet cache's entries but cookies and the URL history of earlier days;
// today is given as local year, month and day. Returns how many entries were deleted.
int DeleteUrlCacheEntries(int year, int month, int day);

// Internet Explorer's own clearing of its saved forms (1) or passwords (2). Under Wine,
// which only stubs that export, nothing is called.
void ClearIEAutoComplete(int store);

void RegisterIEHandlers(THandlerTable& table, TRunState& state);
