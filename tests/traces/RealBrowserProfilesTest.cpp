// History databases written by real browsers (tests/fixtures/browsers, see its README):
// the history part of each browser's item is scanned and its findings are cleaned by the
// clean driver through the removers the item registers. What must go goes,
// bookmarks stay, and the file stays a sound database.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "helpers/ProfileRedirect.h"
#include "helpers/RecordingDriverView.h"
#include "helpers/ProcessHelpers.h"
#include "helpers/SqliteFixture.h"
#include "helpers/TempFolder.h"
#include "helpers/TestContext.h"
#include "helpers/TraceScanBench.h"
#include "items/CleanDriver.h"
#include "items/ItemCatalogue.h"
#include "system/WideText.h"
#include "traces/BrowserItems.h"
#include "traces/ChromeScans.h"
#include "traces/FirefoxScans.h"

namespace {

using sqlfixture::Number;

// The build folder is drive Z:, the test programs lie in its "bin".
std::wstring Fixture(const std::wstring& name) { return ModuleDir() + L"\\..\\tests\\fixtures\\browsers\\" + name; }

// One item of the given identity under a group, checked, so the clean driver finds the
// item's own removers.
struct TItemBench {
  TTreeModel tree;
  TScanTotals totals;
  TTreeNode* group = tree.AddChild(nullptr, Column4TreeData{"g", "", "", "g", "", 1}, TCheckType::TriState);
  TTreeNode* item;
  TItemScan scan;
  explicit TItemBench(const char* kind)
      : item(tree.AddChild(group, Column4TreeData{kind, "", "", kind, "", 1}, TCheckType::TriState)),
        scan{&tree, item, 0, 0, &totals, [] { return false; }, nullptr, false} {}

  std::set<std::string> Findings() const {
    std::set<std::string> out;
    for (const TTreeNode* f = item->FirstChild(); f; f = f->NextSibling())
      out.insert(f->Data.Name.empty() ? f->Data.Path : f->Data.Name + "|" + f->Data.Kind + "|" + f->Data.Root);
    return out;
  }

  // The clean as the window runs it, of this item's findings; how many were cleaned.
  int Clean(const THandlerTable& table) {
    tree.SetCheckState(group, TCheckState::Checked);
    TRunState state;
    TRecordingDriverView view;
    TScanDriver scanDriver(tree, state, view, table);
    TCleanDriver clean(tree, state, view, scanDriver, TCleanPhases());
    clean.CleanItems(false);
    return clean.CleanCount();
  }
};

// A query's answer on the file as the browser wrote it and after the clean.
struct TRowCount {
  const char* What;
  const char* Sql;
  int64_t Before;
  int64_t After;
};

void ExpectCounts(const std::string& database, const std::vector<TRowCount>& counts, bool cleaned) {
  for (const TRowCount& c : counts)
    EXPECT_EQ(Number(database, c.Sql), cleaned ? c.After : c.Before) << c.What << (cleaned ? " after" : " before");
}

const char kNotBookmarked[] = "id not in (select fk from moz_bookmarks where fk is not null)";

}  // namespace

// Four pages visited, the second bookmarked by the browser; the profile's bookmark folders
// are rows without a place.
TEST(RealBrowserProfiles, FirefoxHistoryGoesAndTheBookmarksStay) {
  TTestContext context(false);
  TTempFolder dir;
  const std::string home = GbkFromWide(dir.Path());
  const std::string profile = home + "\\Application Data\\Mozilla\\Firefox\\Profiles\\r3al7est.default-esr";
  tracefiles::MakeDirs(profile);
  const std::string places = profile + "\\places.sqlite";
  ASSERT_TRUE(CopyFileW(Fixture(L"firefox\\places.sqlite").c_str(), WideFromGbk(places).c_str(), TRUE));
  TProfileRedirect redirect(home);

  const std::vector<TRowCount> counts = {
      {"visited, not bookmarked",
       "select count(*) from moz_places where url in ('http://127.0.0.1:8765/page1.html',"
       " 'http://127.0.0.1:8765/page3.html', 'http://127.0.0.1:8765/page4.html')", 3, 0},
      {"visits", "select count(*) from moz_historyvisits", 4, 0},
      {"the visited bookmarked page", "select count(*) from moz_places where url = 'http://127.0.0.1:8765/page2.html'", 1, 1},
      {"bookmarked places", "select count(*) from moz_places where id in (select fk from moz_bookmarks)", 5, 5},
      {"all places", "select count(*) from moz_places", 8, 5},
      {"bookmark rows", "select count(*) from moz_bookmarks", 12, 12},
      {"folders (no place)", "select count(*) from moz_bookmarks where fk is null", 7, 7},
      {"bookmarks without their place", "select count(*) from moz_bookmarks where fk is not null"
       " and fk not in (select id from moz_places)", 0, 0},
  };
  ExpectCounts(places, counts, false);

  THandlerTable table;
  RegisterBrowserHandlers(table);
  TItemBench b(kItemFirefox);
  TFirefoxParts parts;
  parts.History = true;
  ScanFirefox(b.scan, parts);
  EXPECT_EQ(b.Findings(), (std::set<std::string>{"moz_historyvisits|FireFox|",
                                                 std::string("moz_places|FireFox|") + kNotBookmarked}));
  EXPECT_EQ(b.Clean(table), 2) << "both findings cleaned";

  ExpectCounts(places, counts, true);
  EXPECT_EQ(sqlfixture::Integrity(places), "ok");
}

// Four pages visited: the tables the item names that hold rows go, the rest of the file stays.
TEST(RealBrowserProfiles, ChromiumHistoryRowsGo) {
  TTestContext context(false);
  char local[MAX_PATH] = {};
  GetEnvironmentVariableA("LOCALAPPDATA", local, MAX_PATH);
  const std::string google = std::string(local) + "\\Google";
  const std::string profile = google + "\\Chrome\\User Data\\Default";
  RemoveTree(WideFromGbk(google));  // only this test's profile
  struct TRemove {
    std::string Folder;
    ~TRemove() { RemoveTree(WideFromGbk(Folder)); }
  } remove{google};
  tracefiles::MakeDirs(profile);
  const std::string history = profile + "\\History";
  ASSERT_TRUE(CopyFileW(Fixture(L"chromium\\History").c_str(), WideFromGbk(history).c_str(), TRUE));

  const std::vector<TRowCount> counts = {
      {"urls", "select count(*) from urls", 4, 0},
      {"visits", "select count(*) from visits", 4, 0},
      {"segments", "select count(*) from segments", 4, 0},
      {"the database's version rows", "select count(*) from meta", 3, 3},
  };
  ExpectCounts(history, counts, false);

  THandlerTable table;
  RegisterBrowserHandlers(table);
  TItemBench b(kItemChrome);
  TChromeParts parts;
  parts.History = true;
  ScanChrome(b.scan, parts);
  EXPECT_EQ(b.Findings(), (std::set<std::string>{"segments|Google Chrome|", "urls|Google Chrome|", "visits|Google Chrome|"}));
  EXPECT_EQ(b.Clean(table), 3) << "every finding cleaned";

  ExpectCounts(history, counts, true);
  EXPECT_EQ(sqlfixture::Integrity(history), "ok");
}
