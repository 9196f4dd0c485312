#include "traces/BrowserItems.h"

#include <windows.h>

#include <map>
#include <memory>

#include "core/OSVersionRules.h"
#include "items/ItemCatalogue.h"
#include "items/ItemSummary.h"
#include "items/ResultRows.h"
#include "res/resource.h"
#include "system/ResStrings.h"
#include "system/SqliteDatabase.h"
#include "system/ToolsProcesses.h"
#include "system/ToolsRegistry.h"
#include "system/ToolsViews.h"
#include "traces/ChromeScans.h"
#include "traces/FirefoxScans.h"
#include "traces/TraceFindings.h"

namespace {

const char kFirefoxKey[] = "SOFTWARE\\Mozilla\\Mozilla Firefox";

bool FirefoxInstalled() { return RegKeyExists(HKEY_LOCAL_MACHINE, kFirefoxKey, Wow64KeyAccess(KEY_READ, false)); }

// One browser's items: the main one asks the user to close a running browser once; the
// form and password items only look, and share the result through the free mark.
struct TBrowser {
  const char* Executable;
  unsigned RunningText;
  bool TBrowserMarks::*Free;
  bool (*Installed)();
};

bool AlwaysInstalled() { return true; }

const TBrowser kFirefox = {"firefox.exe", IDS_FIREFOX_RUNNING, &TBrowserMarks::FirefoxFree, FirefoxInstalled};
const TBrowser kChrome = {"chrome.exe", IDS_CHROME_RUNNING, &TBrowserMarks::ChromeFree, AlwaysInstalled};

// Without the browser installed its items do not scan: they keep the caption they have.
bool ScanIfInstalled(const TBrowser& browser, TItemScan& scan) {
  if (browser.Installed()) return true;
  scan.Unscanned = true;
  return false;
}

// The main item: a running browser gets one box (the item already marked skipped while it
// is up), then one more look; closed then, the browser is free for the other items too.
bool MayScanAfterAsking(const TBrowser& browser, TBrowserMarks& state, TItemScan& scan) {
  if (IsProcessRunning(browser.Executable)) {
    SetItemSuffix(scan.Tree, scan.Item, kSuffixRunning);
    if (scan.Notice) scan.Notice(LoadResString(browser.RunningText));
    if (IsProcessRunning(browser.Executable)) {
      scan.Skipped = true;
      return false;
    }
    state.*browser.Free = true;
  }
  return ScanIfInstalled(browser, scan);
}

// The form and password items: no box; one look unless the main item saw it closed.
bool MayScanQuietly(const TBrowser& browser, TBrowserMarks& state, TItemScan& scan) {
  if (!(state.*browser.Free)) {
    if (IsProcessRunning(browser.Executable)) {
      scan.Skipped = true;
      return false;
    }
    state.*browser.Free = true;
  }
  return ScanIfInstalled(browser, scan);
}

// The browser's database rows (its Kind) and its cache files.
TItemHandler Handler(const char* databaseKind, std::function<void(TItemScan&)> scan) {
  TItemHandler handler;
  handler.UnitWord = kUnitFiles;
  handler.Scan = std::move(scan);
  handler.Cleaner.Removers = TraceRemovers();
  handler.Cleaner.Removers[{false, databaseKind}] = RemoveDatabaseRows;
  return handler;
}

}  // namespace

std::shared_ptr<TBrowserMarks> RegisterBrowserHandlers(THandlerTable& table) {
  auto marks = std::make_shared<TBrowserMarks>();
  table.OnScanStart([marks] { *marks = TBrowserMarks(); });
  TBrowserMarks* s = marks.get();
  table.Register(kItemFirefox, Handler(kFirefoxKind, [s](TItemScan& scan) {
                   TFirefoxParts parts;
                   parts.History = parts.Downloads = parts.Cache = true;
                   if (MayScanAfterAsking(kFirefox, *s, scan)) ScanFirefox(scan, parts);
                 }));
  table.Register(kItemFirefoxForms, Handler(kFirefoxKind, [s](TItemScan& scan) {
                   TFirefoxParts parts;
                   parts.Forms = true;
                   if (MayScanQuietly(kFirefox, *s, scan)) ScanFirefox(scan, parts);
                 }));
  table.Register(kItemFirefoxPasswords, Handler(kFirefoxKind, [s](TItemScan& scan) {
                   TFirefoxParts parts;
                   parts.Passwords = true;
                   if (MayScanQuietly(kFirefox, *s, scan)) ScanFirefox(scan, parts);
                 }));
  table.Register(kItemChrome, Handler(kChromeKind, [s](TItemScan& scan) {
                   TChromeParts parts;
                   parts.History = parts.Downloads = parts.Cache = true;
                   if (MayScanAfterAsking(kChrome, *s, scan)) ScanChrome(scan, parts);
                 }));
  table.Register(kItemChromeForms, Handler(kChromeKind, [s](TItemScan& scan) {
                   TChromeParts parts;
                   parts.Forms = true;
                   if (MayScanQuietly(kChrome, *s, scan)) ScanChrome(scan, parts);
                 }));
  table.Register(kItemChromePasswords, Handler(kChromeKind, [s](TItemScan& scan) {
                   TChromeParts parts;
                   parts.Passwords = true;
                   if (MayScanQuietly(kChrome, *s, scan)) ScanChrome(scan, parts);
                 }));
  return marks;
}

bool DeleteDatabaseRows(const std::string& database, const std::vector<std::pair<std::string, std::string>>& rows) {
  TSqliteDatabase db;
  return db.Open(database, true) && db.DeleteRows(rows);
}

void RemoveDatabaseRows(TRemoval& removal) {
  removal.Outcomes.assign(removal.Findings.size(), TRemoveOutcome::Fail());
  // A file's rows go in one transaction: by file, with each row's place among the findings.
  std::map<std::string, std::vector<size_t>> byFile;
  for (size_t i = 0; i < removal.Findings.size(); ++i)
    if (!core::TrimBlanks(removal.Findings[i]->Name).empty())
      byFile[core::TrimBlanks(removal.Findings[i]->Caption)].push_back(i);
  for (const auto& [database, places] : byFile) {
    std::vector<std::pair<std::string, std::string>> rows;
    for (size_t i : places) rows.emplace_back(core::TrimBlanks(removal.Findings[i]->Name), removal.Findings[i]->Root);
    const TRemoveOutcome outcome = TRemoveOutcome::Of(DeleteDatabaseRows(database, rows));
    for (size_t i : places) removal.Outcomes[i] = outcome;
  }
}
