// EditPlus's histories, Acrobat Reader's recent files and search indexes, and Taobao
// Wangwang's login files, planted in keys and folders of the test.
#include <gtest/gtest.h>
#include <windows.h>

#include <shlwapi.h>

#include <set>
#include <string>

#include "helpers/TempFolder.h"
#include "helpers/TestContext.h"
#include "helpers/TraceScanBench.h"
#include "items/ItemSummary.h"
#include "system/ToolsShell.h"
#include "system/WideText.h"
#include "traces/AppFileScans.h"

namespace {

using tracefiles::MakeDirs;
using tracefiles::Write;

struct TAppKeys {
  TAppKeys() { Remove(); }
  ~TAppKeys() { Remove(); }
  static void Remove() {
    for (const char* key : {"Software\\ES-Computing", "Software\\Adobe\\Acrobat Reader"}) SHDeleteKeyA(HKEY_CURRENT_USER, key);
    for (const char* key : {"CLSID\\{36D94110-787C-4828-9C1B-0DAFEBC36069}", "CLSID\\{63AFBDFB-5EF8-4791-AF79-9A3C0DE48974}",
                            "AliIMX.WangWangX", "CLSID\\{0E3B7A57-0000-4000-8000-00000000A11A}"})
      SHDeleteKeyA(HKEY_CLASSES_ROOT, key);
  }
};

}  // namespace

TEST(EditPlus, ListsThenTheHistoryFilesBesideTheProgramAndInTheProfile) {
  TAppKeys keys;
  TTestContext context(false);
  TTempFolder appData, program;
  context.Ctx.AppDataDir = GbkFromWide(appData.Path());
  const std::string folder = GbkFromWide(program.Path()) + "\\";
  tracefiles::SetText(HKEY_CURRENT_USER, "Software\\ES-Computing\\EditPlus 3\\Recent File List", "File1", "C:\\a.txt");
  tracefiles::SetText(HKEY_CLASSES_ROOT, "CLSID\\{36D94110-787C-4828-9C1B-0DAFEBC36069}\\InprocServer32", "", folder + "eppshell.dll");
  Write(folder + "combobox.ini", "12345");
  Write(folder + "combobox_u.ini", "123");
  MakeDirs(context.Ctx.AppDataDir + "\\EditPlus 3");
  Write(context.Ctx.AppDataDir + "\\EditPlus 3\\combobox_u.ini", "1");
  TTraceScanBench b;
  ScanEditPlus(b.scan);
  EXPECT_EQ(b.CaptionSet(), (std::set<std::string>{"HKEY_CURRENT_USER\\Software\\ES-Computing\\EditPlus 3\\Recent File List\\File1:C:\\a.txt",
                                                context.Ctx.AppDataDir + "\\EditPlus 3\\combobox_u.ini",
                                                folder + "combobox.ini", folder + "combobox_u.ini"}));
  EXPECT_EQ(b.scan.Size, 9);
}

TEST(Acrobat, EveryVersionsRecentKeysAndTheSearchIndexesWithTheirOwnSummary) {
  TAppKeys keys;
  TTestContext context(false);
  for (const char* version : {"8.0", "9.0"})
    for (const char* entry : {"c1", "c2"})
      tracefiles::SetText(HKEY_CURRENT_USER, std::string("Software\\Adobe\\Acrobat Reader\\") + version + "\\AVGeneral\\cRecentFiles\\" + entry,
               "tDIText", "/C/a.pdf");
  tracefiles::SetText(HKEY_CURRENT_USER, "Software\\Adobe\\Acrobat Reader\\7.0\\AVGeneral", "bExpandRHPInViewer", "1");
  const std::string search = GetSpecialFolder(28) + "\\Adobe\\Acrobat\\9.0\\Cache\\Search90";
  MakeDirs(search);
  Write(search + "\\one.idx", "1234567890");
  Write(search + "\\keep.dat", "x");
  THandlerTable table;
  TInvalidFilesSlot slot;
  RegisterAppFileHandlers(table, slot);
  const TItemHandler* acrobat = table.Find("Acrobat Reader阅读器");
  ASSERT_NE(acrobat, nullptr);
  TTraceScanBench b;
  acrobat->Scan(b.scan);
  EXPECT_TRUE(b.CaptionSet().count("HKEY_CURRENT_USER\\Software\\Adobe\\Acrobat Reader\\9.0\\AVGeneral\\cRecentFiles\\c2"));
  EXPECT_TRUE(b.CaptionSet().count(search + "\\one.idx"));
  EXPECT_EQ(b.scan.Count, 5);
  EXPECT_EQ(b.scan.Size, 10);
  EXPECT_EQ(b.totals.Count, 0) << "the driver adds the item's count once";
  EXPECT_EQ(acrobat->Summary(b.scan), FormatFileRegistrySummary(1, 4, 10));
  EXPECT_EQ(acrobat->GuardExecutables, std::vector<std::string>{"acrord32.exe"});
  DeleteFileA((search + "\\one.idx").c_str());
  DeleteFileA((search + "\\keep.dat").c_str());
}

TEST(TaobaoWangwang, LoginFilesInTheServersFolderAndNothingWithoutTheServer) {
  TAppKeys keys;
  TTraceScanBench none;
  ScanAliIM(none.scan);
  EXPECT_EQ(none.scan.Count, 0) << "no server: nothing is looked for in the current folder";

  TTempFolder program;
  const std::string folder = GbkFromWide(program.Path()) + "\\";
  tracefiles::SetText(HKEY_CLASSES_ROOT, "AliIMX.WangWangX\\CLSID", "", "{0E3B7A57-0000-4000-8000-00000000A11A}");
  tracefiles::SetText(HKEY_CLASSES_ROOT, "CLSID\\{0E3B7A57-0000-4000-8000-00000000A11A}\\LocalServer32", "", folder + "AliIM.exe /automation");
  MakeDirs(folder + "profiles\\system");
  Write(folder + "profiles\\system\\lastlogininfo.xml", "<a/>");
  Write(folder + "log.log", "ab");
  Write(folder + "profiles\\system\\other.xml", "<b/>");
  TTraceScanBench b;
  ScanAliIM(b.scan);
  EXPECT_EQ(b.scan.Count, 2);
  EXPECT_EQ(b.scan.Size, 6);
  // The ProgID's server path comes lower-cased.
  ASSERT_NE(b.item->FirstChild(), nullptr);
  EXPECT_EQ(lstrcmpiA(b.item->FirstChild()->NextSibling()->Data.Caption.c_str(), (folder + "log.log").c_str()), 0);
}
