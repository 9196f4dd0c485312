// Firefox and Chrome profiles made with the browsers' own table layouts in folders of the
// test: the findings of each part, the conditions and their NULL edge, damaged and locked
// databases, the running-browser guards, and a clean that leaves valid databases with
// exactly the named rows gone.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "helpers/ProfileRedirect.h"
#include "helpers/ProcessHelpers.h"
#include "helpers/SqliteFixture.h"
#include "helpers/TempFolder.h"
#include "helpers/TraceScanBench.h"
#include "helpers/TestContext.h"
#include "helpers/TreeFixtures.h"
#include "items/ItemCatalogue.h"
#include "items/RunState.h"
#include "system/WideText.h"
#include "traces/BrowserItems.h"
#include "traces/ChromeScans.h"
#include "traces/FirefoxScans.h"

namespace {

using tracefiles::Write;
using tracefiles::MakeDirs;

using sqlfixture::Exec;
using sqlfixture::Number;

// A scan of one item node, its findings as "Name|Kind|Root" or, for files, the file name.
struct TScanBench : TTraceScanBench {

  std::multiset<std::string> Findings() const {
    std::multiset<std::string> out;
    for (const TTreeNode* f = item->FirstChild(); f; f = f->NextSibling())
      out.insert(f->Data.Name.empty() ? f->Data.Path : f->Data.Name + "|" + f->Data.Kind + "|" + f->Data.Root);
    return out;
  }
};

const char kNotBookmarked[] = "id not in (select fk from moz_bookmarks where fk is not null)";

// A Firefox profile: two places, one bookmarked, each visited; a download; older files.
struct TFirefoxProfile {
  TTempFolder dir;
  std::string home = GbkFromWide(dir.Path());
  std::string profile = home + "\\Application Data\\Mozilla\\Firefox\\Profiles\\abcd.default";
  std::string places = profile + "\\places.sqlite";
  std::string cache = home + "\\Local Settings\\Application Data\\Mozilla\\Firefox\\Profiles\\abcd.default\\Cache";

  TFirefoxProfile() {
    MakeDirs(profile);
    MakeDirs(cache + "\\sub");
    Exec(places, std::string(sqlfixture::kPlaces) +
                     "INSERT INTO moz_places (id, url) VALUES (1, 'http://a.invalid/'), (2, 'http://b.invalid/');"
                     "INSERT INTO moz_historyvisits (place_id, visit_date) VALUES (1, 1), (2, 2);"
                     "INSERT INTO moz_bookmarks (type, fk, parent) VALUES (1, 1, 0);");
    Exec(profile + "\\downloads.sqlite",
         std::string(sqlfixture::kDownloads) + "INSERT INTO moz_downloads (name, source) VALUES ('a.zip', 'x');");
    Exec(profile + "\\formhistory.sqlite", sqlfixture::kFormHistory);  // empty: no finding
    Write(profile + "\\history.dat", "old");
    Write(profile + "\\downloads.rdf", "old");
    Write(cache + "\\0A1B2C", "12345");
    Write(cache + "\\sub\\deeper", "1");
  }
};

}  // namespace

TEST(ScanFirefox, HistoryDownloadsAndCacheOfAProfile) {
  TTestContext context(false);
  TFirefoxProfile p;
  TProfileRedirect redirect(p.home);
  TScanBench b;
  TFirefoxParts parts;
  parts.History = parts.Downloads = parts.Cache = true;
  ScanFirefox(b.scan, parts);
  EXPECT_EQ(b.Findings(), (std::multiset<std::string>{"moz_historyvisits|FireFox|", std::string("moz_places|FireFox|") + kNotBookmarked,
                                                      "history.dat", "moz_downloads|FireFox|", "downloads.rdf", "0A1B2C"}));
  EXPECT_EQ(b.scan.Count, 6);
  EXPECT_EQ(b.scan.Size, 3 + 3 + 5) << "the files' sizes; database findings have none";
  const TTreeNode* visits = b.item->FirstChild();
  while (visits && visits->Data.Name != "moz_historyvisits") visits = visits->NextSibling();
  ASSERT_NE(visits, nullptr);
  EXPECT_EQ(visits->Data.Caption, p.places);
  EXPECT_EQ(visits->Data.Path, p.places) << "Firefox findings carry the full path";

  TScanBench forms;
  TFirefoxParts onlyForms;
  onlyForms.Forms = true;
  ScanFirefox(forms.scan, onlyForms);
  EXPECT_TRUE(forms.Findings().empty()) << "an empty form history is no finding";
}

// Every current profile has bookmark folders, rows without a place: before this rule the
// visited addresses were never cleaned ("not in" a list holding NULL is never true).
TEST(ScanFirefox, ABookmarkFolderLeavesTheVisitedPlacesToCleanAndAHiddenProfileIsNotWalked) {
  TTestContext context(false);
  TFirefoxProfile p;
  TProfileRedirect redirect(p.home);
  ASSERT_TRUE(Exec(p.places, "INSERT INTO moz_bookmarks (type, fk, parent) VALUES (2, NULL, 0);"));
  TScanBench b;
  TFirefoxParts parts;
  parts.History = true;
  ScanFirefox(b.scan, parts);
  EXPECT_EQ(b.Findings(), (std::multiset<std::string>{"moz_historyvisits|FireFox|",
                                                      std::string("moz_places|FireFox|") + kNotBookmarked, "history.dat"}));
  ASSERT_TRUE(DeleteDatabaseRows(p.places, {{"moz_places", kNotBookmarked}}));
  EXPECT_EQ(Number(p.places, "select count(*) from moz_places"), 1) << "the visited place goes";
  EXPECT_EQ(Number(p.places, "select id from moz_places"), 1) << "the bookmarked place stays";

  SetFileAttributesA(p.profile.c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
  TScanBench hidden;
  ScanFirefox(hidden.scan, parts);
  SetFileAttributesA(p.profile.c_str(), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_TRUE(hidden.Findings().empty());
}

TEST(ScanFirefox, DamagedDatabasesGiveNothingAndTheWalkGoesOnAbove) {
  TTestContext context(false);
  TFirefoxProfile p;
  TProfileRedirect redirect(p.home);
  std::string noise(4096, '\0');
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919) >> 3);
  Write(p.places, "SQLite format 3" + noise);  // a damaged header
  const std::string second = p.home + "\\Application Data\\Mozilla\\Firefox\\Profiles\\efgh.second";
  MakeDirs(second);
  Exec(second + "\\places.sqlite", "CREATE TABLE other (x);");  // no history table at all
  Exec(second + "\\downloads.sqlite",
       std::string(sqlfixture::kDownloads) + "INSERT INTO moz_downloads (name) VALUES ('b.zip');");
  TScanBench b;
  TFirefoxParts parts;
  parts.History = parts.Downloads = true;
  ScanFirefox(b.scan, parts);
  EXPECT_EQ(b.Findings().count("moz_historyvisits|FireFox|"), 0u);
  EXPECT_EQ(b.Findings().count("moz_downloads|FireFox|"), 2u) << "both profiles' downloads";
}

TEST(DeleteDatabaseRows, RemovesExactlyTheNamedRowsAndKeepsTheFileValid) {
  TFirefoxProfile p;
  ASSERT_TRUE(DeleteDatabaseRows(p.places, {{"moz_historyvisits", ""}, {"moz_places", kNotBookmarked}}));
  EXPECT_EQ(Number(p.places, "select count(*) from moz_historyvisits"), 0);
  EXPECT_EQ(Number(p.places, "select count(*) from moz_places"), 1);
  EXPECT_EQ(Number(p.places, "select id from moz_places"), 1) << "the bookmarked place stays";
  EXPECT_EQ(Number(p.places, "select count(*) from moz_bookmarks"), 1);
  EXPECT_EQ(sqlfixture::Integrity(p.places), "ok");

  // A table that is not there: nothing of the file changes, the clean says so.
  ASSERT_TRUE(Exec(p.places, "INSERT INTO moz_historyvisits (place_id) VALUES (1);"));
  EXPECT_FALSE(DeleteDatabaseRows(p.places, {{"moz_historyvisits", ""}, {"moz_gone", ""}}));
  EXPECT_EQ(Number(p.places, "select count(*) from moz_historyvisits"), 1) << "rolled back with the failed delete";
  EXPECT_FALSE(DeleteDatabaseRows(p.profile + "\\missing.sqlite", {{"t", ""}}));
  EXPECT_EQ(GetFileAttributesA((p.profile + "\\missing.sqlite").c_str()), INVALID_FILE_ATTRIBUTES) << "never created";
}

TEST(DeleteDatabaseRows, ADatabaseLockedByAnotherProgramIsNotCleanedAndNotDamaged) {
  TFirefoxProfile p;
  sqlite3* holder = nullptr;
  ASSERT_EQ(sqlite3_open(sqlfixture::Utf8(p.places).c_str(), &holder), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(holder, "begin exclusive", nullptr, nullptr, nullptr), SQLITE_OK);
  const DWORD start = GetTickCount();
  EXPECT_FALSE(DeleteDatabaseRows(p.places, {{"moz_historyvisits", ""}}));
  EXPECT_LT(GetTickCount() - start, 10000u) << "a bounded wait";
  sqlite3_exec(holder, "rollback", nullptr, nullptr, nullptr);
  sqlite3_close(holder);
  EXPECT_EQ(Number(p.places, "select count(*) from moz_historyvisits"), 2);
  EXPECT_EQ(sqlfixture::Integrity(p.places), "ok");
}

TEST(ScanChrome, TheDefaultProfilesTablesHistoryFilesAndCache) {
  TTestContext context(false);
  char real[MAX_PATH] = {};
  GetEnvironmentVariableA("LOCALAPPDATA", real, MAX_PATH);
  const std::string profile = std::string(real) + "\\Google\\Chrome\\User Data\\Default";
  RemoveTree(WideFromGbk(std::string(real) + "\\Google"));  // only this test's profile
  MakeDirs(profile + "\\Cache\\sub");
  struct TRemove {
    std::string Folder;
    ~TRemove() { RemoveTree(WideFromGbk(Folder)); }
  } remove{std::string(real) + "\\Google"};
  Exec(profile + "\\History", std::string(sqlfixture::kChromeHistory) +
                                  "INSERT INTO urls (url, last_visit_time) VALUES ('http://a.invalid/', 1);"
                                  "INSERT INTO visits (url, visit_time) VALUES (1, 1);"
                                  "INSERT INTO downloads (full_path, url, start_time, received_bytes, total_bytes,"
                                  " state) VALUES ('c:\\a', 'u', 1, 1, 1, 1);");
  Exec(profile + "\\Web Data", std::string(sqlfixture::kWebData) + "INSERT INTO autofill (name, value) VALUES ('q', 'w');");
  Write(profile + "\\History Index 2009-12", "1234");
  Write(profile + "\\History Index 2010-01", "12345");  // not a 200x index: no finding
  Write(profile + "\\Visited Links", "12");
  Write(profile + "\\Cache\\data_1", "123");
  Write(profile + "\\Cache\\sub\\f_000001", "1");

  TScanBench b;
  TChromeParts parts;
  parts.History = parts.Downloads = parts.Cache = true;
  ScanChrome(b.scan, parts);
  EXPECT_EQ(b.Findings(), (std::multiset<std::string>{"urls|Google Chrome|", "visits|Google Chrome|",
                                                      "History Index 2009-12", "Visited Links",
                                                      "downloads|Google Chrome|", "data_1"}));
  EXPECT_EQ(b.item->FirstChild()->Data.Path, "History") << "Chrome findings carry the file name";
  EXPECT_EQ(b.item->FirstChild()->Data.Caption, profile + "\\History");
  EXPECT_EQ(b.scan.Size, 4 + 2 + 3);

  TScanBench saved;
  TChromeParts forms;
  forms.Forms = forms.Passwords = true;
  ScanChrome(saved.scan, forms);
  EXPECT_EQ(saved.Findings(), (std::multiset<std::string>{"autofill|Google Chrome|"})) << "an empty logins table is no finding";
}

TEST(BrowserItems, ARunningFirefoxIsAskedToCloseOnceAndItsItemsAreSkipped) {
  TTempFolder dir;
  const std::wstring firefox = dir.File(L"firefox.exe");
  ASSERT_TRUE(CopyFileW((ModuleDir() + L"\\sleeper.exe").c_str(), firefox.c_str(), FALSE));
  TChild browser = StartChild(L"\"" + firefox + L"\"");
  THandlerTable table;
  const std::shared_ptr<TBrowserMarks> marks = RegisterBrowserHandlers(table);
  TBrowserMarks& state = *marks;
  std::vector<std::string> notices;
  std::string captionUnderBox;
  bool unscanned = false;
  auto run = [&](const char* caption) {
    TScanBench b;
    b.scan.Notice = [&](const std::string& text) {
      notices.push_back(text);
      captionUnderBox = b.item->Data.Caption;
    };
    table.Find(caption)->Scan(b.scan);
    unscanned = b.scan.Unscanned;
    return b.scan.Skipped;
  };
  EXPECT_TRUE(run(kItemFirefox));
  EXPECT_TRUE(run(kItemFirefoxForms));
  EXPECT_TRUE(run(kItemFirefoxPasswords));
  EXPECT_EQ(notices, std::vector<std::string>{"说明：Firefox浏览器正在运行中，无法进行Firefox相关的清理，请关闭Firefox后点击“确定”。"});
  EXPECT_NE(captionUnderBox.find("(正在运行，跳过)"), std::string::npos) << "marked while the box is up";
  EXPECT_FALSE(state.FirefoxFree);
  browser.Kill();
  browser.WaitExit(5000);
  // Not running when looked at: the form items look for themselves; Firefox is not
  // installed in the prefix, so no item scans or gets a summary.
  for (const char* item : {kItemFirefox, kItemFirefoxForms, kItemFirefoxPasswords}) {
    EXPECT_FALSE(run(item));
    EXPECT_TRUE(unscanned) << item;
  }
  EXPECT_EQ(notices.size(), 1u);
  EXPECT_TRUE(state.FirefoxFree) << "set by the form item's own look";
  *marks = TBrowserMarks();
  EXPECT_FALSE(run(kItemFirefox));
  EXPECT_FALSE(state.FirefoxFree) << "the main item sets the mark only for a browser it saw closed";
}
