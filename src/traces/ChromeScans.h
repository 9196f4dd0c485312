// Google Chrome's histories in its default profile: database tables, history files and the
// cache's files.
#pragma once
#include <string>

#include "items/ItemHandlers.h"

// Kind tag of Chrome's database findings.
inline const char* const kChromeKind = "Google Chrome";

struct TChromeParts {
  bool History = false, Downloads = false, Forms = false, Cache = false, Passwords = false;
};

// The findings of the chosen parts; the caller appends the summary.
void ScanChrome(TItemScan& scan, const TChromeParts& parts);

// One finding when the table of the database file in folder has rows. True when the user
// stopped the scan.
bool ScanChromeDatabase(TItemScan& scan, const std::string& folder, const std::string& database,
                        const std::string& table);

// A file finding for every file directly in folder that matches mask. True when the user
// stopped the scan.
bool ScanChromeFiles(TItemScan& scan, const std::string& folder, const std::string& mask);
