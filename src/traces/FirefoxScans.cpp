#include "traces/FirefoxScans.h"

#include <windows.h>

#include "core/GbkText.h"
#include "core/PathText.h"
#include "system/AppContext.h"
#include "system/FindFile.h"
#include "system/SqliteDatabase.h"
#include "system/ToolsFiles.h"
#include "system/ToolsViews.h"
#include "traces/TraceFindings.h"

namespace {

const char kProfiles[] = "\\Application Data\\Mozilla\\Firefox\\Profiles";
const char kLocalProfiles[] = "\\Local Settings\\Application Data\\Mozilla\\Firefox\\Profiles";

// A profile's tables, in the order they are scanned.
struct TFirefoxTable {
  const char* Database;
  const char* OlderFile;
  const char* Table;
  const char* Condition;
};
const TFirefoxTable kHistory[] = {
    {"places.sqlite", "history.dat", "moz_historyvisits", ""},
    // Folders and separators are bookmark rows without a place (fk NULL): every profile has
    // them, and "not in" a list holding NULL is never true.
    {"places.sqlite", "", "moz_places", "id not in (select fk from moz_bookmarks where fk is not null)"},
};
const TFirefoxTable kDownloads = {"downloads.sqlite", "downloads.rdf", "moz_downloads", ""};
const TFirefoxTable kForms = {"formhistory.sqlite", "formhistory.dat", "moz_formhistory", ""};
const TFirefoxTable kPasswords = {"signons.sqlite", "signons2.txt", "moz_logins", ""};

// A plain folder: exactly "directory", or on Vista and later also "not content indexed".
// Hidden and system folders and links are not walked into.
bool IsPlainFolder(DWORD attributes) {
  return attributes == FILE_ATTRIBUTE_DIRECTORY ||
         (AppContext().MajorVersion() >= 6 && attributes == (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
}

std::string UserProfile() {
  char buf[MAX_PATH + 1] = {};
  DWORD n = GetEnvironmentVariableA("USERPROFILE", buf, sizeof buf);
  return n > 0 && n < sizeof buf ? std::string(buf, n) : std::string();
}

bool ScanTable(TItemScan& scan, const std::string& profiles, const TFirefoxTable& t) {
  return ScanFirefoxDatabase(scan, profiles, t.Database, t.OlderFile, t.Table, t.Condition);
}

// The database's finding when its table has matching rows; false when the database could
// not be read, which ends the walk of its folder.
bool TestDatabase(TItemScan& scan, const std::string& path, const std::string& table, const std::string& condition) {
  TSqliteDatabase db;
  std::vector<std::string> tables;
  if (!db.Open(path, false) || !db.TableNames(tables)) return false;
  for (const std::string& name : tables) {
    if (!core::SameTextGbk(name, table)) continue;
    const TRowTest rows = db.HasRows(table, condition);
    if (rows == TRowTest::Failed) return false;
    if (rows == TRowTest::Rows) AddDatabaseFinding(scan, path, path, table, kFirefoxKind, condition);
  }
  return true;
}

}  // namespace

bool ScanFirefoxDatabase(TItemScan& scan, const std::string& folder, const std::string& database,
                         const std::string& olderFile, const std::string& table, const std::string& condition) {
  for (TFindFile f(folder + "\\*.*"); f.Found(); f.Next()) {
    const std::string name = f.Name();
    if (name.empty() || name[0] == '.') continue;
    const std::string path = folder + "\\" + name;
    if (IsPlainFolder(f.Attributes())) {
      if (ScanFirefoxDatabase(scan, path, database, olderFile, table, condition)) return true;
    } else if (!core::SameTextGbk(name, database)) {
      if (!olderFile.empty() && core::SameTextGbk(name, olderFile) && IsListedFileLive(path))
        AddFileFinding(scan, path, name, "", f.Size());
    } else if (!TestDatabase(scan, path, table, condition)) {
      return EntryDone(scan);  // this folder's walk ends; the levels above go on
    }
    if (EntryDone(scan)) return true;
  }
  return false;
}

namespace {

bool WalkFirefoxCache(TItemScan& scan, const std::string& root, const std::string& folder) {
  for (TFindFile f(folder + "\\*.*"); f.Found(); f.Next()) {
    const std::string name = f.Name();
    if (name.empty() || name[0] == '.' || !IsPlainFolder(f.Attributes())) continue;
    const std::string path = folder + "\\" + name;
    if (core::SameTextGbk(name, "Cache")) {
      for (TFindFile c(path + "\\*.*"); c.Found(); c.Next()) {
        const std::string file = c.Name();
        if (file.empty() || file[0] == '.' || c.IsDir()) continue;
        if (IsListedFileLive(path + "\\" + file)) AddFileFinding(scan, path + "\\" + file, file, kKindFile, c.Size(), root);
        if (EntryDone(scan)) return true;
      }
      return false;  // the other folders beside a cache are not looked at
    }
    if (WalkFirefoxCache(scan, root, path)) return true;
    if (EntryDone(scan)) return true;
  }
  return false;
}

}  // namespace

bool ScanFirefoxCache(TItemScan& scan, const std::string& folder) {
  if (!core::IsFullPath(folder) || IsLinkPath(folder) || !DirExistsAnyView(folder)) return false;
  return WalkFirefoxCache(scan, folder, folder);
}

void ScanFirefox(TItemScan& scan, const TFirefoxParts& parts) {
  const TAppContext& ctx = AppContext();
  const bool old = ctx.MajorVersion() <= 4;
  const std::string windows = ctx.WindowsDir;
  const std::string profiles = (old ? windows : UserProfile()) + kProfiles;
  if (core::IsFullPath(profiles) && DirExistsAnyView(profiles)) {
    bool stopped = false;
    if (parts.History)
      for (const TFirefoxTable& t : kHistory) stopped = stopped || ScanTable(scan, profiles, t);
    if (!stopped && parts.Downloads) stopped = ScanTable(scan, profiles, kDownloads);
    if (!stopped && parts.Forms) stopped = ScanTable(scan, profiles, kForms);
    if (!stopped && parts.Passwords) stopped = ScanTable(scan, profiles, kPasswords);
    if (stopped) return;
  }
  if (parts.Cache) ScanFirefoxCache(scan, old ? windows + kProfiles : UserProfile() + kLocalProfiles);
}
