#include "traces/ChromeScans.h"

#include <windows.h>

#include "core/GbkText.h"
#include "system/AppContext.h"
#include "system/FindFile.h"
#include "system/SqliteDatabase.h"
#include "system/ToolsFiles.h"
#include "system/ToolsShell.h"
#include "system/ToolsViews.h"
#include "traces/TraceFindings.h"

namespace {

const int kLocalAppData = 28;  // CSIDL_LOCAL_APPDATA

const char* const kHistoryTables[] = {"segments", "segment_usages", "urls", "visits", "keyword_search_terms"};
const char* const kHistoryFiles[] = {"History Index 200*", "Archived History", "Visited Links", "Current Tabs"};
const char* const kFormTables[] = {"autofill", "autofill_dates"};

std::string ProfileFolder() {
  const TAppContext& ctx = AppContext();
  if (ctx.MajorVersion() <= 4) return ctx.WindowsDir + "\\Application Data\\Google\\Chrome\\User Data\\Default";
  const std::string local = GetSpecialFolder(kLocalAppData);
  return local.empty() ? std::string() : local + "\\Google\\Chrome\\User Data\\Default";
}

// The finding when the table has rows; false when the database could not be read.
bool TestDatabase(TItemScan& scan, const std::string& path, const std::string& file, const std::string& table) {
  TSqliteDatabase db;
  std::vector<std::string> tables;
  if (!db.Open(path, false) || !db.TableNames(tables)) return false;
  for (const std::string& name : tables) {
    if (!core::SameTextGbk(name, table)) continue;
    const TRowTest rows = db.HasRows(table, std::string());
    if (rows == TRowTest::Failed) return false;
    if (rows == TRowTest::Rows) AddDatabaseFinding(scan, path, file, table, kChromeKind, std::string());
  }
  return true;
}

}  // namespace

bool ScanChromeDatabase(TItemScan& scan, const std::string& folder, const std::string& database,
                        const std::string& table) {
  for (TFindFile f(folder + "\\*.*"); f.Found(); f.Next()) {
    const std::string name = f.Name();
    if (name.empty() || name[0] == '.' || f.IsDir()) continue;
    if (core::SameTextGbk(name, database) && !TestDatabase(scan, folder + "\\" + name, name, table))
      return EntryDone(scan);
    if (EntryDone(scan)) return true;
  }
  return false;
}

bool ScanChromeFiles(TItemScan& scan, const std::string& folder, const std::string& mask) {
  if (!DirExistsAnyView(folder)) return false;
  for (TFindFile f(folder + "\\" + mask); f.Found(); f.Next()) {
    const std::string name = f.Name();
    if (name.empty() || name[0] == '.' || f.IsDir()) continue;
    const std::string path = folder + "\\" + name;
    if (IsListedFileLive(path)) AddFileFinding(scan, path, name, kKindFile, f.Size());
    if (EntryDone(scan)) return true;
  }
  return false;
}

void ScanChrome(TItemScan& scan, const TChromeParts& parts) {
  const std::string profile = ProfileFolder();
  if (profile.empty() || !DirExistsAnyView(profile)) return;
  bool stopped = false;
  if (parts.History) {
    for (const char* table : kHistoryTables) stopped = stopped || ScanChromeDatabase(scan, profile, "History", table);
    for (const char* mask : kHistoryFiles) stopped = stopped || ScanChromeFiles(scan, profile, mask);
  }
  if (!stopped && parts.Downloads) stopped = ScanChromeDatabase(scan, profile, "History", "downloads");
  if (!stopped && parts.Passwords) stopped = ScanChromeDatabase(scan, profile, "Web Data", "logins");
  if (parts.Forms)
    for (const char* table : kFormTables) stopped = stopped || ScanChromeDatabase(scan, profile, "Web Data", table);
  if (!stopped && parts.Cache) ScanChromeFiles(scan, profile + "\\Cache", "*");
}
