#include "traces/PlayerScans.h"

#include <windows.h>

#include "core/OSVersionRules.h"
#include "core/PathText.h"
#include "items/ItemSummary.h"
#include "items/ResultRows.h"
#include "system/AppContext.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"
#include "system/ToolsFiles.h"
#include "system/ToolsFolders.h"
#include "system/ToolsRegistry.h"
#include "system/ToolsViews.h"
#include "traces/IniRewrite.h"
#include "traces/ScanFolderFiles.h"
#include "traces/ScanFolderTree.h"
#include "traces/ScanMruKey.h"
#include "traces/ScanNamedValues.h"
#include "traces/TraceFindings.h"

namespace {

const char* const kRealPreferences = "Software\\RealNetworks\\RealPlayer\\6.0\\Preferences";
const char* const kKMPlayerAlbum = "SOFTWARE\\KMPlayer\\WideAlbum\\(Default Album)";

}  // namespace

void ScanRealPlayerKeys(TItemScan& registry, const std::vector<std::string>& subKeys, const std::string& preference) {
  for (const std::string& sub : subKeys)
    if (sub.find(preference) != std::string::npos) AddWholeKeyFinding(registry, std::string(kRealPreferences) + "\\" + sub);
}

void ScanRealPlayer(TItemScan& registry, TItemScan& files) {
  const std::vector<std::string> subKeys = RegGetKeyNames(HKEY_CURRENT_USER, kRealPreferences, KEY_READ);
  for (const char* preference : {"MostRecentClips", "OpenLocationClips", "MostRecentSkins", "LastOpenFileDir"})
    ScanRealPlayerKeys(registry, subKeys, preference);
  const std::string appData = AppContext().AppDataDir;
  if (appData.empty()) return;
  const std::string real = appData + "\\Real\\";
  if (ScanFolderFiles(files, real + "RealPlayer\\History", "*") ||
      ScanFolderFiles(files, real + "RealOne Player\\History", "*.*") ||
      ScanFolderFiles(files, real + "RealOne Player\\历史记录", "*.*"))
    return;
  AddLiveFile(files, real + "RealOne Player\\realplayer.ste", false);
  AddLiveFile(files, real + "RealOne Player\\urls.ini", false);
}

void ScanKMPlayer(TItemScan& scan) {
  const std::string installPath = RegKeyText(HKEY_CURRENT_USER, "Software\\KMPlayer\\KMP2.0\\OptionArea", "InstallPath");
  if (RegKeyExists(HKEY_CURRENT_USER, "Software\\KMPlayer\\LastViewFile", KEY_READ) &&
      ScanMruKey(scan, HKEY_CURRENT_USER, "Software\\KMPlayer\\LastViewFile"))
    return;
  if (installPath.empty()) return;
  TRegistryKey albumKey(HKEY_CURRENT_USER, kKMPlayerAlbum, false, Wow64KeyAccess(KEY_READ, true));
  std::string album = albumKey ? core::TrimBlanks(RegText(albumKey.Handle(), "")) : std::string();
  if (!album.empty()) {
    // A relative album path lies in the player's folder.
    if (album.size() > 2 && album[1] != ':') album = core::ExtractFileDir(installPath) + album;
    AddLiveFile(scan, album, false);
  } else if (albumKey &&
             AddRegistryFinding(scan.Tree, "HKEY_CURRENT_USER\\Software\\KMPlayer\\WideAlbum\\(Default Album)",
                                kKMPlayerAlbum, false, scan.Item, "HKEY_CURRENT_USER", -1, std::string(), std::string(),
                                std::string())) {
    ++scan.Count;
  }
}

void ScanMediaPlayerClassic(TItemScan& scan) {
  const std::string appData = AppContext().AppDataDir;
  if (!appData.empty()) AddLiveFile(scan, appData + "\\Media Player Classic\\default.mpcpl");
  if (ScanNamedValues(scan, "Software\\Gabest\\Media Player Classic\\Recent Dub List")) return;
  ScanNamedValues(scan, "Software\\Gabest\\Media Player Classic\\Recent File List");
}

void ScanQQLive(TItemScan& scan) {
  const std::string appData = AppContext().AppDataDir;
  if (appData.empty()) return;
  const std::string base = appData + "\\Tencent\\QQLive";
  std::vector<std::string> users;
  ListSubDirs(base, users);
  for (const std::string& user : users)
    // A user's folder is named by a long id; shorter names are the player's own folders.
    if (core::ExtractFileName(user).size() > 31 && ScanFolderTree(scan, user + "\\xml")) return;
  const std::string settings = base + "\\User.ini";
  if (!FileExistsStrict(settings)) return;
  const std::string cache = IniReadString(settings, "Cache", "Directory");
  if (!cache.empty()) ScanFolderTree(scan, core::IncludeTrailingBackslash(cache) + "vodcache");
}

void RegisterPlayerHandlers(THandlerTable& table) {
  table.Register("Windows媒体播放器", TraceHandler(
                                        [](TItemScan& scan) {
                                          ScanMruKey(scan, HKEY_CURRENT_USER, "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList");
                                        },
                                        kUnitItems, {"wmplayer.exe", "mplayer2.exe"}));
  table.Register("RealPlayer/RealOne播放器", FileRegistryHandler(ScanRealPlayer, {"realplay.exe"}));
  table.Register("KMPlayer播放器", TraceHandler(ScanKMPlayer, kUnitItems, {"kmplayer.exe"}));
  table.Register("Media Player Classic 历史记录",
                 TraceHandler(ScanMediaPlayerClassic, kUnitFiles, {"mpc.exe", "mplayerc.exe", "mpc-hc.exe"}));
  table.Register("QQLive 历史记录", TraceHandler(ScanQQLive, kUnitFiles, {"qqlive.exe"}));
}
