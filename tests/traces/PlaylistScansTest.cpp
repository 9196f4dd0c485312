// Storm, Kugoo, QQPlayer and the Thunder player in keys and folders of the test: what
// counts as history, and the rewrites that empty exactly that and keep the rest.
#include <gtest/gtest.h>
#include <windows.h>

#include <shlwapi.h>

#include <string>

#include "helpers/SqliteFixture.h"
#include "helpers/TempFolder.h"
#include "helpers/TestContext.h"
#include "helpers/TraceScanBench.h"
#include "system/SqliteDatabase.h"
#include "system/WideText.h"
#include "system/XmlDocument.h"
#include "traces/OtherFindings.h"
#include "traces/PlaylistScans.h"

namespace {

using tracefiles::MakeDirs;
using tracefiles::SetText;
using tracefiles::Read;
using tracefiles::Write;

struct TPlayerKeys {
  TPlayerKeys() { Remove(); }
  ~TPlayerKeys() { Remove(); }
  static void Remove() {
    for (const char* key : {"Software\\Storm", "Software\\KuGoo4", "Software\\KuGoo6", "Software\\Gabest"})
      SHDeleteKeyA(HKEY_CURRENT_USER, key);
  }
};

// Localappdata pointed at a folder of the test while it lives.
struct TLocalAppData {
  explicit TLocalAppData(const std::string& folder) {
    char old[MAX_PATH] = {};
    had_ = GetEnvironmentVariableA("Localappdata", old, MAX_PATH) > 0;
    old_ = old;
    SetEnvironmentVariableA("Localappdata", folder.c_str());
  }
  ~TLocalAppData() { SetEnvironmentVariableA("Localappdata", had_ ? old_.c_str() : nullptr); }
  bool had_;
  std::string old_;
};

// The names of the document element's children and their child counts, as "name:count".
std::string Shape(const std::string& path) {
  TXmlDocument doc;
  if (!doc.Load(path)) return "unreadable";
  std::string shape;
  for (const TXmlNode& child : doc.Root().Children()) shape += child.Name() + ":" + std::to_string(child.Children().size()) + " ";
  return shape;
}

}  // namespace

TEST(Storm, HistoryInTheVirtualStoreOn32BitWindowsTheLastListCountsAndTheCleanKeepsIt) {
  TPlayerKeys keys;
  TTestContext context(6, 1, false);
  TTempFolder local, program;
  TLocalAppData variable(GbkFromWide(local.Path()));
  const std::string store = GbkFromWide(local.Path()) + "\\VirtualStore\\ProgramData\\Storm\\";
  MakeDirs(store);
  const std::string history = store + "config.xml";
  Write(history,
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<config><localplayhist/><skin name=\"blue\"><color/></skin>"
        "<LocalPlayHist><item path=\"C:\\a.avi\"/><item path=\"C:\\b.avi\"/></LocalPlayHist></config>");
  const std::string folder = GbkFromWide(program.Path()) + "\\";
  SetText(HKEY_CURRENT_USER, "Software\\Storm", "exepath", folder + "Storm.exe");
  Write(folder + "playlist.smpl", "1234");
  TTraceScanBench b;
  ScanStorm(b.scan);
  ASSERT_EQ(b.scan.Count, 2);
  const Column4TreeData playlist = b.item->FirstChild()->Data, found = b.item->FirstChild()->NextSibling()->Data;
  EXPECT_EQ(playlist.Caption, folder + "playlist.smpl");
  EXPECT_EQ(playlist.Root, "暴风影音");
  EXPECT_EQ(b.scan.Size, 4);
  EXPECT_EQ(found.Caption, history);
  EXPECT_EQ(found.Name, "Storm");
  EXPECT_EQ(found.Kind, "other");

  ASSERT_TRUE(RewriteOtherFinding(found));
  EXPECT_EQ(Shape(history), "localplayhist:0 skin:1 LocalPlayHist:0 ") << Read(history);
  EXPECT_NE(Read(history).find("blue"), std::string::npos);
  TTraceScanBench again;
  ScanStorm(again.scan);
  EXPECT_EQ(again.scan.Count, 1) << "an emptied list is no history";

  Write(history, "<config><localplayhist><item/></localplayhist><localplayhist/></config>");
  TTraceScanBench last;
  ScanStorm(last.scan);
  EXPECT_EQ(last.scan.Count, 1) << "the last list is the one that counts";
  Write(history, "<config><localplayhist><item path=\"C:\\a.avi\"/>");
  TTraceScanBench truncated;
  ScanStorm(truncated.scan);
  EXPECT_EQ(truncated.scan.Count, 1);
  EXPECT_FALSE(CleanStormHistory(found)) << "a file that no longer loads is not cleaned";
  EXPECT_EQ(Read(history), "<config><localplayhist><item path=\"C:\\a.avi\"/>") << "and stays as it was";
}

TEST(Kugoo, SearchListsOfUserFoldersTheLibraryTablesAndTheSearchHistoryAllCountForOneItem) {
  TPlayerKeys keys;
  TTestContext context(5, 1, false);
  TTempFolder old, current;
  const std::string k2007 = GbkFromWide(old.Path()) + "\\", k2010 = GbkFromWide(current.Path()) + "\\";
  SetText(HKEY_CURRENT_USER, "Software\\KuGoo4", "AppFileName", k2007 + "KuGoo.exe");
  const char* const users[][2] = {{"12345", "5"}, {"1a2", "9"}, {"1.2", "9"}, {"777", "1"}, {"888", nullptr},
                                  {"999", "many"}};  // a count that is no number is none
  for (const auto& user : users) {
    MakeDirs(k2007 + user[0]);
    Write(k2007 + user[0] + "\\Option.ini", std::string("[Player]\r\nVolume=50\r\n[SearchItems]\r\n") +
                                                 (user[1] ? std::string("Count=") + user[1] + "\r\n" : "") + "Item1=song\r\n");
  }
  SetText(HKEY_CURRENT_USER, "Software\\KuGoo6", "AppFilename", k2010 + "KuGoo.exe");
  Write(k2010 + "KuGoo.exe", "MZ");
  ASSERT_TRUE(sqlfixture::Exec(k2010 + "KGLibrary.db", "CREATE TABLE PlayListItems (id INTEGER, path TEXT);"
                                                       "INSERT INTO PlayListItems VALUES (1, 'C:\\a.mp3'), (2, 'C:\\b.mp3');"
                                                       "CREATE TABLE PlayLists (id INTEGER, name TEXT);"));
  Write(k2010 + "kugoo.xml", "<?xml version=\"1.0\"?>\r\n<Kugoo><General SearchHistory=\"a|b\" Volume=\"50\"/><Skin/></Kugoo>");

  THandlerTable table;
  RegisterPlaylistHandlers(table);
  TTraceScanBench b;
  table.Find("酷狗")->Scan(b.scan);
  ASSERT_EQ(b.scan.Count, 3) << "one search list, one table with rows, the search history";
  const TTreeNode* f = b.item->FirstChild();
  EXPECT_EQ(f->Data.Caption, k2007 + "12345\\Option.ini(共5条记录)");
  f = f->NextSibling();
  EXPECT_EQ(f->Data.Name, "PlayListItems");
  EXPECT_EQ(f->Data.Kind, "Kugoo");
  f = f->NextSibling();
  EXPECT_EQ(f->Data.Caption, k2010 + "kugoo.xml:SearchHistory");

  ASSERT_TRUE(RewriteOtherFinding(b.item->FirstChild()->Data));
  const std::string options = Read(k2007 + "12345\\Option.ini");
  EXPECT_EQ(options.find("SearchItems"), std::string::npos) << options;
  EXPECT_NE(options.find("Volume=50"), std::string::npos) << options;
  ASSERT_TRUE(RewriteOtherFinding(f->Data));
  TXmlDocument doc;
  ASSERT_TRUE(doc.Load(k2010 + "kugoo.xml"));
  std::string searches = "unchanged", volume;
  EXPECT_TRUE(doc.Root().ChildByName("General").Attribute("SearchHistory", searches));
  EXPECT_EQ(searches, "");
  EXPECT_TRUE(doc.Root().ChildByName("General").Attribute("Volume", volume));
  EXPECT_EQ(volume, "50");
  EXPECT_TRUE(doc.Root().ChildByName("Skin"));

  TSqliteDatabase db;
  ASSERT_TRUE(db.Open(k2010 + "KGLibrary.db", true));
  ASSERT_TRUE(db.DeleteRows({{"PlayListItems", ""}}));
  db.Close();
  EXPECT_EQ(sqlfixture::Number(k2010 + "KGLibrary.db", "select count(*) from PlayListItems"), 0) << "the table stays, empty";
  TTraceScanBench after;
  table.Find("酷狗")->Scan(after.scan);
  EXPECT_EQ(after.scan.Count, 0);
}

TEST(Kugoo, On32BitVistaAndLaterTheOldSearchListsLieInTheVirtualStore) {
  TPlayerKeys keys;
  TTestContext context(6, 0, false);
  TTempFolder local, program;
  TLocalAppData variable(GbkFromWide(local.Path()));
  SetText(HKEY_CURRENT_USER, "Software\\KuGoo4", "AppFileName", GbkFromWide(program.Path()) + "\\KuGoo.exe");
  const std::string inProgram = GbkFromWide(program.Path()) + "\\42", inStore = GbkFromWide(local.Path()) + "\\VirtualStore\\Program Files\\KuGoo2007\\43";
  for (const std::string& user : {inProgram, inStore}) {
    MakeDirs(user);
    Write(user + "\\Option.ini", "[SearchItems]\r\nCount=3\r\n");
  }
  TTraceScanBench b;
  ScanKugoo2007(b.scan);
  ASSERT_EQ(b.scan.Count, 1);
  EXPECT_EQ(b.item->FirstChild()->Data.Path, inStore + "\\Option.ini");
}

TEST(QQPlayer, OnlyIndexEntriesAreNoHistoryAndTheCleanEmptiesTheList) {
  TTestContext context(false);
  TTempFolder appData;
  context.Ctx.AppDataDir = GbkFromWide(appData.Path());
  const std::string folder = context.Ctx.AppDataDir + "\\Tencent\\QQPlayer\\";
  MakeDirs(folder);
  // Indented as tools write it: the line breaks between the elements are no entries.
  Write(folder + "default.qpl", "<playlist>\r\n  <index v=\"1\"/>\r\n  <INDEX/>\r\n</playlist>\r\n");
  TTraceScanBench none;
  ScanQQPlayer(none.scan);
  EXPECT_EQ(none.scan.Count, 0);
  Write(folder + "default.qpl", "<playlist version=\"2\"><index v=\"1\"/><item file=\"C:\\a.rmvb\"/><item/></playlist>");
  TTraceScanBench b;
  ScanQQPlayer(b.scan);
  ASSERT_EQ(b.scan.Count, 1) << "one finding for the whole list";
  ASSERT_TRUE(RewriteOtherFinding(b.item->FirstChild()->Data));
  EXPECT_EQ(Shape(folder + "default.qpl"), "");
  TXmlDocument doc;
  std::string version;
  ASSERT_TRUE(doc.Load(folder + "default.qpl"));
  EXPECT_TRUE(doc.Root().Attribute("version", version));
  EXPECT_EQ(version, "2");
  for (const char* broken : {"", "<playlist><item>", "\xff\xfe<\0p\0", "not xml at all"}) {
    Write(folder + "default.qpl", broken);
    TTraceScanBench corrupt;
    ScanQQPlayer(corrupt.scan);
    EXPECT_EQ(corrupt.scan.Count, 0) << broken;
  }
}

TEST(ThunderPlayer, TheIndexNamesEachListAndOnlyAListWithEntriesCounts) {
  TTempFolder base, lists;
  const std::string index = GbkFromWide(base.Path()) + "\\", folder = GbkFromWide(lists.Path()) + "\\";
  Write(folder + "default.xpl", "<playlist><item url=\"a\"/><item url=\"b\"/></playlist>");
  Write(folder + "treater.xpl", "<playlist>\r\n  \r\n</playlist>\r\n");  // only line breaks
  Write(index + "XmpPlaylists.xml", "<lists><list name=\"Other\" path=\"" + folder + "other.xpl\"/><LIST name=\"DEFAULT\" path=\"" +
                                        folder + "default.xpl\"/><list name=\"Treater\" path=\"" + folder + "treater.xpl\"/></lists>");
  TTraceScanBench b;
  for (const char* list : {"Default", "Treater", "_Default"}) ScanXmpPlaylist(b.scan, index, list);
  ASSERT_EQ(b.scan.Count, 1);
  EXPECT_EQ(b.item->FirstChild()->Data.Caption, folder + "default.xpl");
  ASSERT_TRUE(RewriteOtherFinding(b.item->FirstChild()->Data));
  EXPECT_EQ(Shape(folder + "default.xpl"), "");
  EXPECT_TRUE(CleanPlaylist(Column4TreeData{folder + "gone.xpl", folder + "gone.xpl", "xmp", "other", "", -1}))
      << "a playlist that is gone holds nothing";
}
