// RealPlayer, KMPlayer, Media Player Classic and QQLive in keys and folders of the test.
#include <gtest/gtest.h>
#include <windows.h>

#include <shlwapi.h>

#include <set>
#include <string>

#include "helpers/TempFolder.h"
#include "helpers/TestContext.h"
#include "helpers/TraceScanBench.h"
#include "items/ItemSummary.h"
#include "system/WideText.h"
#include "traces/PlayerScans.h"

namespace {

using tracefiles::MakeDirs;
using tracefiles::SetText;
using tracefiles::Write;

struct TPlayerKeys {
  TPlayerKeys() { Remove(); }
  ~TPlayerKeys() { Remove(); }
  static void Remove() {
    for (const char* key : {"Software\\RealNetworks", "Software\\KMPlayer", "Software\\Gabest"}) SHDeleteKeyA(HKEY_CURRENT_USER, key);
  }
};

const std::string kPreferences = "Software\\RealNetworks\\RealPlayer\\6.0\\Preferences";

}  // namespace

TEST(RealPlayer, PreferenceKeysContainingTheNamesHistoryFilesAndTheOwnSummary) {
  TPlayerKeys keys;
  TTestContext context(false);
  TTempFolder appData;
  context.Ctx.AppDataDir = GbkFromWide(appData.Path());
  for (const char* sub : {"MostRecentClips1", "MostRecentClips12", "OpenLocationClips", "xLastOpenFileDirx", "Volume", "mostrecentclips3"})
    SetText(HKEY_CURRENT_USER, kPreferences + "\\" + sub, "", "x");
  const std::string real = context.Ctx.AppDataDir + "\\Real\\RealOne Player\\";
  MakeDirs(real + "History");
  Write(real + "History\\clip.rpl", "123");
  Write(real + "realplayer.ste", "12345");
  THandlerTable table;
  RegisterPlayerHandlers(table);
  const TItemHandler* handler = table.Find("RealPlayer/RealOne播放器");
  TTraceScanBench b;
  handler->Scan(b.scan);
  EXPECT_EQ(b.CaptionSet(), (std::set<std::string>{"HKEY_CURRENT_USER\\" + kPreferences + "\\MostRecentClips1",
                                                "HKEY_CURRENT_USER\\" + kPreferences + "\\MostRecentClips12",
                                                "HKEY_CURRENT_USER\\" + kPreferences + "\\OpenLocationClips",
                                                "HKEY_CURRENT_USER\\" + kPreferences + "\\xLastOpenFileDirx",
                                                real + "History\\clip.rpl", real + "realplayer.ste"}))
      << "names compare with their case";
  EXPECT_EQ(b.scan.Size, 3) << "the two single files count without size";
  EXPECT_EQ(handler->Summary(b.scan), FormatFileRegistrySummary(2, 4, 3));
  EXPECT_EQ(b.item->FirstChild()->Data.Name, "") << "whole keys";
}

TEST(KMPlayer, TheAlbumBesideTheProgramOrItsEmptyKeyAndTheLastViewedList) {
  TPlayerKeys keys;
  TTempFolder program;
  const std::string folder = GbkFromWide(program.Path()) + "\\";
  SetText(HKEY_CURRENT_USER, "Software\\KMPlayer\\LastViewFile", "0", "C:\\movie.avi");
  SetText(HKEY_CURRENT_USER, "Software\\KMPlayer\\WideAlbum\\(Default Album)", "", "  album\\default.kpl ");
  TTraceScanBench withoutProgram;
  ScanKMPlayer(withoutProgram.scan);
  EXPECT_EQ(withoutProgram.scan.Count, 1) << "the list only";

  SetText(HKEY_CURRENT_USER, "Software\\KMPlayer\\KMP2.0\\OptionArea", "InstallPath", folder + "KMPlayer.exe");
  MakeDirs(folder + "album");
  Write(folder + "album\\default.kpl", "123");
  TTraceScanBench b;
  ScanKMPlayer(b.scan);
  EXPECT_EQ(b.CaptionSet(), (std::set<std::string>{"HKEY_CURRENT_USER\\Software\\KMPlayer\\LastViewFile\\0:C:\\movie.avi",
                                                folder + "album\\default.kpl"}));
  EXPECT_EQ(b.scan.Size, 0);

  SetText(HKEY_CURRENT_USER, "Software\\KMPlayer\\WideAlbum\\(Default Album)", "", "");
  TTraceScanBench empty;
  ScanKMPlayer(empty.scan);
  EXPECT_TRUE(empty.CaptionSet().count("HKEY_CURRENT_USER\\Software\\KMPlayer\\WideAlbum\\(Default Album)"));
  EXPECT_EQ(empty.scan.Count, 2);
}

TEST(MediaPlayerClassic, DefaultPlaylistAndBothLists) {
  TPlayerKeys keys;
  TTestContext context(false);
  TTempFolder appData;
  context.Ctx.AppDataDir = GbkFromWide(appData.Path());
  MakeDirs(context.Ctx.AppDataDir + "\\Media Player Classic");
  Write(context.Ctx.AppDataDir + "\\Media Player Classic\\default.mpcpl", "MPCPLAYLIST");
  SetText(HKEY_CURRENT_USER, "Software\\Gabest\\Media Player Classic\\Recent File List", "File1", "C:\\a.mkv");
  SetText(HKEY_CURRENT_USER, "Software\\Gabest\\Media Player Classic\\Recent File List", "File2", "");
  SetText(HKEY_CURRENT_USER, "Software\\Gabest\\Media Player Classic\\Recent Dub List", "File1", "C:\\a.ac3");
  TTraceScanBench b;
  ScanMediaPlayerClassic(b.scan);
  EXPECT_EQ(b.scan.Count, 3) << "an empty value is no history";
  EXPECT_EQ(b.scan.Size, 11);
}

TEST(QQLive, UserXmlFoldersOfLongIdsAndTheVideoCacheOfUserIni) {
  TTestContext context(false);
  TTempFolder appData, cache;
  context.Ctx.AppDataDir = GbkFromWide(appData.Path());
  const std::string base = context.Ctx.AppDataDir + "\\Tencent\\QQLive\\";
  const std::string user = base + std::string(32, '7'), shortName = base + std::string(31, '7');
  for (const std::string& folder : {user + "\\xml\\deep", shortName + "\\xml"}) MakeDirs(folder);
  Write(user + "\\xml\\deep\\history.xml", "<a/>");
  Write(user + "\\profile.dat", "x");
  Write(shortName + "\\xml\\history.xml", "<a/>");
  const std::string vod = GbkFromWide(cache.Path()) + "\\vodcache\\1";
  MakeDirs(vod);
  Write(vod + "\\part.dat", "1234");
  Write(base + "User.ini", "[Cache]\r\nDirectory=" + GbkFromWide(cache.Path()) + "\r\n");
  TTraceScanBench b;
  ScanQQLive(b.scan);
  EXPECT_EQ(b.CaptionSet(), (std::set<std::string>{user + "\\xml\\deep\\history.xml", vod + "\\part.dat"}));
  EXPECT_EQ(b.scan.Size, 8);
}
