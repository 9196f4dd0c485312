// Firefox's histories: database tables of every profile, older history files, and the
// files of the profiles' cache folders.
#pragma once
#include <string>

#include "items/ItemHandlers.h"

// Kind tag of Firefox's database findings.
inline const char* const kFirefoxKind = "FireFox";

// Which parts of Firefox an item scans.
struct TFirefoxParts {
  bool History = false, Downloads = false, Passwords = false, Cache = false, Forms = false;
};

// The findings of the chosen parts; the caller appends the summary.
void ScanFirefox(TItemScan& scan, const TFirefoxParts& parts);

// Walks folder for databases named database (and, with olderFile, that older file as a
// file finding): one finding when table has rows matching condition. True when the user
// stopped the scan.
bool ScanFirefoxDatabase(TItemScan& scan, const std::string& folder, const std::string& database,
                         const std::string& olderFile, const std::string& table, const std::string& condition);

// The files of the first "Cache" folder found below each folder of the tree. True when
// the user stopped the scan.
bool ScanFirefoxCache(TItemScan& scan, const std::string& folder);
