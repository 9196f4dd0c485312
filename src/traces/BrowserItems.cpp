#include "traces/BrowserItems.h"

#include <windows.h>

#include "items/ItemCatalogue.h"
#include "items/ItemSummary.h"
#include "res/resource.h"
#include "system/ResStrings.h"
#include "system/SqliteDatabase.h"
#include "system/ToolsProcesses.h"
#include "system/ToolsRegistry.h"
#include "system/ToolsViews.h"
#include "traces/ChromeScans.h"
#include "traces/FirefoxScans.h"

namespace {

const char kFirefoxKey[] = "SOFTWARE\\Mozilla\\Mozilla Firefox";

bool FirefoxInstalled() { return RegKeyExists(HKEY_LOCAL_MACHINE, kFirefoxKey, Wow64KeyAccess(KEY_READ, false)); }

// One browser's items: the main one asks the user to close a running browser once; the
// form and password items only look, and share the result through the free mark.
struct TBrowser {
  const char* Executable;
  unsigned RunningText;
  bool TRunState::*Free;
  bool (*Installed)();
};

bool AlwaysInstalled() { return true; }

const TBrowser kFirefox = {"firefox.exe", IDS_FIREFOX_RUNNING, &TRunState::FirefoxFree, FirefoxInstalled};
const TBrowser kChrome = {"chrome.exe", IDS_CHROME_RUNNING, &TRunState::ChromeFree, AlwaysInstalled};

// The main item: a running browser gets one box, then one more look.
bool MayScanAfterAsking(const TBrowser& browser, TRunState& state, TItemScan& scan) {
  if (IsProcessRunning(browser.Executable)) {
    if (scan.Notice) scan.Notice(LoadResString(browser.RunningText));
    if (IsProcessRunning(browser.Executable)) {
      scan.Skipped = true;
      return false;
    }
  }
  state.*browser.Free = true;
  return browser.Installed();
}

// The form and password items: no box.
bool MayScanQuietly(const TBrowser& browser, TRunState& state, TItemScan& scan) {
  if (!(state.*browser.Free)) {
    if (IsProcessRunning(browser.Executable)) {
      scan.Skipped = true;
      return false;
    }
    state.*browser.Free = true;
  }
  return browser.Installed();
}

TItemHandler Handler(std::function<void(TItemScan&)> scan) {
  TItemHandler handler;
  handler.UnitWord = kUnitFiles;
  handler.Scan = std::move(scan);
  return handler;
}

}  // namespace

void RegisterBrowserHandlers(THandlerTable& table, TRunState& state) {
  TRunState* s = &state;
  table.Register(kItemFirefox, Handler([s](TItemScan& scan) {
                   TFirefoxParts parts;
                   parts.History = parts.Downloads = parts.Cache = true;
                   if (MayScanAfterAsking(kFirefox, *s, scan)) ScanFirefox(scan, parts);
                 }));
  table.Register(kItemFirefoxForms, Handler([s](TItemScan& scan) {
                   TFirefoxParts parts;
                   parts.Forms = true;
                   if (MayScanQuietly(kFirefox, *s, scan)) ScanFirefox(scan, parts);
                 }));
  table.Register(kItemFirefoxPasswords, Handler([s](TItemScan& scan) {
                   TFirefoxParts parts;
                   parts.Passwords = true;
                   if (MayScanQuietly(kFirefox, *s, scan)) ScanFirefox(scan, parts);
                 }));
  table.Register(kItemChrome, Handler([s](TItemScan& scan) {
                   TChromeParts parts;
                   parts.History = parts.Downloads = parts.Cache = true;
                   if (MayScanAfterAsking(kChrome, *s, scan)) ScanChrome(scan, parts);
                 }));
  table.Register(kItemChromeForms, Handler([s](TItemScan& scan) {
                   TChromeParts parts;
                   parts.Forms = true;
                   if (MayScanQuietly(kChrome, *s, scan)) ScanChrome(scan, parts);
                 }));
  table.Register(kItemChromePasswords, Handler([s](TItemScan& scan) {
                   TChromeParts parts;
                   parts.Passwords = true;
                   if (MayScanQuietly(kChrome, *s, scan)) ScanChrome(scan, parts);
                 }));
}

bool DeleteDatabaseRows(const std::string& database, const std::vector<std::pair<std::string, std::string>>& rows) {
  TSqliteDatabase db;
  return db.Open(database, true) && db.DeleteRows(rows);
}
