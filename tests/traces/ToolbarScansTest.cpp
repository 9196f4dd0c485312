// The toolbars' search histories on keys and files of the test: which values and files
// count, the "Count" rules of the QQ and Baidu toolbars, and empty or damaged files.
#include <gtest/gtest.h>
#include <windows.h>

#include <shlwapi.h>

#include <set>
#include <string>

#include "helpers/TempFolder.h"
#include "helpers/TraceScanBench.h"
#include "helpers/TestContext.h"
#include "items/ItemCatalogue.h"
#include "system/WideText.h"
#include "traces/ToolbarScans.h"

namespace {

using tracefiles::Write;
using tracefiles::MakeDirs;

void SetValue(const std::string& key, const char* name, DWORD type, const std::string& text) {
  HKEY h;
  RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
  RegSetValueExA(h, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(text.size() + 1));
  RegCloseKey(h);
}

void SetNumber(const std::string& key, const char* name, DWORD value) {
  HKEY h;
  RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
  RegSetValueExA(h, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(h);
}

// The keys of these tests, removed before and after.
struct TToolbarKeys {
  TToolbarKeys() { Remove(); }
  ~TToolbarKeys() { Remove(); }
  static void Remove() {
    for (const char* key : {"Software\\Tencent\\QQToolbar", "Software\\AppDataLow\\Tencent\\QQToolbar", "Software\\baidu",
                            "Software\\AppDataLow\\Software\\baidu", "Software\\Microsoft\\MSN Apps\\SearchBox"})
      SHDeleteKeyA(HKEY_CURRENT_USER, key);
  }
};

struct TScanBench : TTraceScanBench {
  // Value findings as "key-tail|value", files as their file name.
  std::multiset<std::string> Findings() const {
    std::multiset<std::string> out;
    for (const TTreeNode* f = item->FirstChild(); f; f = f->NextSibling())
      out.insert(f->Data.Root.empty() ? f->Data.Path : f->Data.Path.substr(f->Data.Path.rfind('\\') + 1) + "|" + f->Data.Name);
    return out;
  }
};

}  // namespace

TEST(ScanGoogleToolbar, OnlyHistoriesWithEntries) {
  TTestContext context(false);
  TTempFolder dir;
  const std::string appData = GbkFromWide(dir.Path());
  context.Ctx.AppDataDir = appData;
  MakeDirs(appData + "\\Google\\Local Search History");
  Write(appData + "\\Google\\Local Search History\\google%2Eweb.w", "words without a line feed");
  Write(appData + "\\Google\\Local Search History\\google.web.w", "one\ntwo\n");
  const std::string profiles = appData + "\\Mozilla\\Firefox\\Profiles";
  for (const char* p : {"\\a.default\\GoogleToolbarData", "\\b.empty\\GoogleToolbarData", "\\c.broken\\GoogleToolbarData"})
    MakeDirs(profiles + p);
  Write(profiles + "\\a.default\\GoogleToolbarData\\searchhistory.xml", "<history><q>one</q><q>two</q></history>");
  Write(profiles + "\\b.empty\\GoogleToolbarData\\searchhistory.xml", "<history/>");
  Write(profiles + "\\c.broken\\GoogleToolbarData\\searchhistory.xml", "<history><q>one</q>");
  TScanBench b;
  ScanGoogleToolbar(b.scan);
  EXPECT_EQ(b.Findings(), (std::multiset<std::string>{"google.web.w", "searchhistory.xml"}));
  EXPECT_EQ(b.item->LastChild()->Data.Caption, profiles + "\\a.default\\GoogleToolbarData\\searchhistory.xml");
  EXPECT_EQ(b.scan.Size, 8 + 39);
}

TEST(ScanQQToolbarKey, CountDecidesAndAtLeastTwentyNumbersAreTried) {
  TToolbarKeys keys;
  const std::string key = "Software\\Tencent\\QQToolbar\\History";
  SetValue(key, "History1", REG_SZ, "a");
  SetValue(key, "History20", REG_SZ, "b");
  SetValue(key, "History21", REG_SZ, "c");
  TScanBench none;
  ScanQQToolbarKey(none.scan, key);
  EXPECT_TRUE(none.Findings().empty()) << "no Count, no finding";

  SetNumber(key, "Count", 3);
  TScanBench three;
  ScanQQToolbarKey(three.scan, key);
  EXPECT_EQ(three.Findings(), (std::multiset<std::string>{"History|History1", "History|History20", "History|Count"}));
  EXPECT_EQ(three.item->FirstChild()->Data.Caption, "HKEY_CURRENT_USER\\" + key + "\\History1");

  SetNumber(key, "Count", 25);
  TScanBench many;
  ScanQQToolbarKey(many.scan, key);
  EXPECT_EQ(many.scan.Count, 4);

  // A count that claims far more than the key holds (two billion registry reads before):
  // the key's own entries bound the work.
  SetNumber(key, "Count", 0x7FFFFFFF);
  SetValue(key, "history7", REG_SZ, "d");
  SetValue(key, "History007", REG_SZ, "e");  // no number of the list
  TScanBench huge;
  ScanQQToolbarKey(huge.scan, key);
  EXPECT_EQ(huge.Findings(), (std::multiset<std::string>{"History|History1", "History|History7", "History|History20",
                                                         "History|History21", "History|Count"}));
}

TEST(ScanBaiduToolbarKey, StringValuesAndACountForHistoryKeysOnly) {
  TToolbarKeys keys;
  SetValue("Software\\baidu\\BaiduToolbar\\History", "q1", REG_SZ, "a");
  SetValue("Software\\baidu\\BaiduToolbar\\History", "q2", REG_EXPAND_SZ, "b");
  SetNumber("Software\\baidu\\BaiduToolbar\\History", "Count", 2);
  SetValue("Software\\baidu\\BaiduToolbar\\navhistory", "n1", REG_SZ, "c");
  SetNumber("Software\\baidu\\BaiduBar\\History", "Count", 0);  // opens, no strings
  THandlerTable table;
  RegisterToolbarHandlers(table);
  TScanBench b;
  table.Find(kItemBaiduToolbar)->Scan(b.scan);
  EXPECT_EQ(b.Findings(), (std::multiset<std::string>{"History|q1", "History|q2", "History|Count", "navhistory|n1",
                                                      "History|Count"}));
}

TEST(ScanLiveSearchBox, TheHistoryValueAndNoSizeInItsSummary) {
  TToolbarKeys keys;
  SetValue("Software\\Microsoft\\MSN Apps\\SearchBox", "History", REG_SZ, "x");
  THandlerTable table;
  RegisterToolbarHandlers(table);
  const TItemHandler* live = table.Find(kItemLiveSearchBox);
  TScanBench b;
  live->Scan(b.scan);
  EXPECT_EQ(b.Findings(), std::multiset<std::string>{"SearchBox|History"});
  b.scan.Size = 1000;
  EXPECT_EQ(live->Summary(b.scan), "(1个项目)");
  EXPECT_EQ(table.Find(kItemThunderSearch)->GuardExecutables, std::vector<std::string>{"thunder.exe"});
}
