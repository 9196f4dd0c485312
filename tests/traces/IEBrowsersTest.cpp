// Tencent Traveler, MyIE2 and Maxthon in folders and keys of the test: which files and
// sections count, and the configuration rewrites that keep everything else.
#include <gtest/gtest.h>
#include <windows.h>

#include <shlwapi.h>

#include <set>
#include <string>

#include "helpers/SqliteFixture.h"
#include "helpers/TempFolder.h"
#include "helpers/TraceScanBench.h"
#include "helpers/TestContext.h"
#include "system/WideText.h"
#include "traces/IEBrowsers.h"
#include "traces/OtherFindings.h"

namespace {

using tracefiles::Write;
using tracefiles::Read;
using tracefiles::MakeDirs;

void SetFolder(const char* key, const std::string& folder) {
  HKEY h;
  RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
  RegSetValueExA(h, "Folder", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                 static_cast<DWORD>(folder.size() + 1));
  RegCloseKey(h);
}

struct TBrowserKeys {
  TBrowserKeys() { Remove(); }
  ~TBrowserKeys() { Remove(); }
  static void Remove() {
    for (const char* key : {"Software\\MYIE2", "Software\\Maxthon2", "Software\\Maxthon"})
      SHDeleteKeyA(HKEY_CURRENT_USER, key);
  }
};

struct TScanBench : TTraceScanBench {
  std::set<std::string> Findings() const {
    std::set<std::string> out;
    for (const TTreeNode* f = item->FirstChild(); f; f = f->NextSibling())
      out.insert(f->Data.Caption.substr(f->Data.Caption.rfind('\\') + 1) + "|" + f->Data.Kind + "|" + f->Data.Name);
    return out;
  }
};

}  // namespace

TEST(TencentTraveler, HistoryTableConfigurationAndFilesAndTheConfigurationRewrite) {
  TTestContext context(false);
  TTempFolder dir;
  context.Ctx.AppDataDir = GbkFromWide(dir.Path());
  const std::string tt = context.Ctx.AppDataDir + "\\Tencent\\TencentTraveler\\100";
  MakeDirs(tt);
  ASSERT_TRUE(sqlfixture::Exec(tt + "\\navinfo.db", "CREATE TABLE histable (url TEXT, title TEXT, visit INTEGER);"
                                                     "INSERT INTO histable VALUES ('http://a.invalid/', 'a', 1);"));
  Write(tt + "\\TtConf.dat", "[Main]\r\nskin=blue\r\n[CUROPENURL]\r\n0=http://a.invalid/\r\n"
                             "[strNameSpace_Mbrowser]\r\nq=words\r\n[SEARCHHISTORY]\r\n0=words\r\n");
  Write(tt + "\\TtConf.dat.bak", "1234");
  TScanBench b;
  ScanTencentTraveler(b.scan);
  EXPECT_EQ(b.Findings(), (std::set<std::string>{"navinfo.db|ttraveler|histable", "TtConf.dat|other|ttraveler",
                                                 "TtConf.dat.bak|文件|"}));
  EXPECT_EQ(b.scan.Size, 4) << "the database counts without size";

  ASSERT_TRUE(RewriteOtherFinding(Column4TreeData{tt + "\\TtConf.dat", tt + "\\TtConf.dat", "ttraveler", "other", "", -1}));
  const std::string after = Read(tt + "\\TtConf.dat");
  EXPECT_NE(after.find("skin=blue"), std::string::npos) << after;
  for (const char* gone : {"CUROPENURL", "strNameSpace_Mbrowser", "SEARCHHISTORY", "words"})
    EXPECT_EQ(after.find(gone), std::string::npos) << gone << " in " << after;
}

TEST(MyIE2, OnlyTheFirstSixteenTitlesCountAndTheRewriteEmptiesTheHistory) {
  TTestContext context(6, 1, true);
  TBrowserKeys keys;
  TTempFolder dir;
  const std::string folder = GbkFromWide(dir.Path());
  SetFolder("Software\\MYIE2", folder);
  MakeDirs(folder + "\\Config");
  const std::string ini = folder + "\\Config\\myie.ini";
  Write(ini, "[UndoUrl]\r\nTitle16=late\r\n[SearchBar]\r\nHistory=words\r\n[Settings]\r\nlastvisit=x\r\nhome=h\r\n");
  TScanBench none;
  ScanMyIE2(none.scan);
  EXPECT_TRUE(none.Findings().empty());
  Write(ini, "[UndoUrl]\r\nTitle3=closed tab\r\n[SearchBar]\r\nHistory=words\r\n[Settings]\r\nlastvisit=x\r\nhome=h\r\n");
  TScanBench one;
  ScanMyIE2(one.scan);
  EXPECT_EQ(one.Findings(), std::set<std::string>{"myie.ini|other|MyIE2"});
  ASSERT_TRUE(RewriteOtherFinding(one.item->FirstChild()->Data));
  const std::string after = Read(ini);
  EXPECT_EQ(after.find("closed tab"), std::string::npos) << after;
  EXPECT_EQ(after.find("words"), std::string::npos) << after;
  EXPECT_NE(after.find("home=h"), std::string::npos) << after;
}

TEST(Maxthon, SharedAccountFilesWithoutAnyUserFolderAndTheFirstVersion) {
  TBrowserKeys keys;
  TTempFolder two, one;
  const std::string m2 = GbkFromWide(two.Path()), m1 = GbkFromWide(one.Path());
  SetFolder("Software\\Maxthon2", m2);
  SetFolder("Software\\Maxthon", m1);
  MakeDirs(m2 + "\\SharedAccount\\Data");
  MakeDirs(m2 + "\\user@example.invalid\\Data");
  MakeDirs(m1 + "\\Config");
  Write(m2 + "\\SharedAccount\\Data\\LastSession.ini", "no sections here\r\n");
  Write(m2 + "\\SharedAccount\\Data\\history2.dat", "12");
  Write(m2 + "\\user@example.invalid\\Data\\LastSession.ini", "[Session]\r\nurl=x\r\n");
  Write(m1 + "\\Config\\Dynamic.ini", "123");
  TScanBench b;
  ScanMaxthon2(b.scan);
  ScanMaxthon1(b.scan);
  EXPECT_EQ(b.Findings(), (std::set<std::string>{"history2.dat|文件|", "LastSession.ini|文件|", "Dynamic.ini|文件|"}));
  EXPECT_EQ(b.scan.Count, 3);
}
