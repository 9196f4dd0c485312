#include "traces/PlaylistScans.h"

#include <windows.h>

#include <cctype>

#include "core/GbkText.h"
#include "core/OSVersionRules.h"
#include "core/PathText.h"
#include "core/ValueText.h"
#include "items/ItemSummary.h"
#include "items/ResultRows.h"
#include "system/AppContext.h"
#include "system/FindFile.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"
#include "system/SqliteDatabase.h"
#include "system/ToolsFiles.h"
#include "system/ToolsPaths.h"
#include "system/ToolsRegistry.h"
#include "system/ToolsShell.h"
#include "system/ToolsViews.h"
#include "system/XmlDocument.h"
#include "traces/BrowserItems.h"
#include "traces/IniRewrite.h"
#include "traces/ScanMruKey.h"
#include "traces/TraceFindings.h"

namespace {

const int kCommonAppData = 35;
const char* const kStormRoot = "暴风影音";
const char* const kKugooRoot = "酷狗";
const char* const kKugooKind = "Kugoo";  // its media library's rows

// A variable's folder with its backslash; empty when the variable is not set.
std::string EnvironmentFolder(const char* name) { return core::IncludeTrailingBackslash(EnvironmentValue(name)); }

bool Windows6() { return AppContext().MajorVersion() >= 6; }

// Storm's history element: the last child of the document element named localplayhist.
TXmlNode StormHistory(const TXmlDocument& doc) {
  TXmlNode found;
  for (const TXmlNode& child : doc.Root().Elements())
    if (SameXmlName(child, "localplayhist")) found = child;
  return found;
}

void AddStormFile(TItemScan& scan, const std::string& path) {
  if (!IsLiveFile(path)) return;
  if (!AddResultNode(scan.Tree, path, true, kStormRoot, scan.Item, -1, kKindFile, std::string(), core::ExtractFileName(path)))
    return;
  ++scan.Count;
  const int64_t size = GetFileSize64(path);
  if (size > 0) scan.Size += size;
}

bool AllDigits(const std::string& name) {
  if (name.empty()) return false;
  for (char c : name)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

// The folder of Kugoo 2010's program; empty when it is not installed.
std::string Kugoo2010App() { return RegKeyText(HKEY_CURRENT_USER, "Software\\KuGoo6", "AppFilename", Wow64KeyAccess(KEY_READ, true)); }

// Loads path and empties node (chosen in the loaded document), then saves it.
template <typename Choose>
bool EmptyXmlNode(const std::string& path, Choose choose) {
  if (!FileExistsAnyView(path)) return true;
  TXmlDocument doc;
  if (!doc.Load(path)) return false;
  TXmlNode node = choose(doc);
  if (!node) return true;  // nothing of the list is left
  return node.RemoveChildren() && doc.Save(path);
}

}  // namespace

void ScanStorm(TItemScan& scan) {
  if (ScanMruKey(scan, HKEY_CURRENT_USER, "Software\\Gabest\\Media Player Classic\\Recent File List")) return;
  const std::string exe = RegKeyText(HKEY_CURRENT_USER, "Software\\Storm", "exepath");
  if (!exe.empty()) AddStormFile(scan, core::ExtractFileDir(exe) + "playlist.smpl");
  std::string playlist, history;
  if (!Windows6()) {
    const std::string all = EnvironmentFolder("ALLUSERSPROFILE");
    if (!all.empty()) playlist = all + "Application Data\\Storm\\playlist.smpl", history = all + "Application Data\\Storm\\config.xml";
  } else {
    const std::string common = core::IncludeTrailingBackslash(GetSpecialFolder(kCommonAppData));
    if (!common.empty()) playlist = common + "Storm\\playlist.smpl";
    // On 32-bit Windows the player's writes to the shared folder land in the user's
    // virtual store.
    if (AppContext().IsWow64()) {
      if (!common.empty()) history = common + "Storm\\config.xml";
    } else {
      const std::string local = EnvironmentFolder("Localappdata");
      if (!local.empty()) history = local + "VirtualStore\\ProgramData\\Storm\\config.xml";
    }
  }
  if (!history.empty() && FileExistsStrict(history)) {
    TXmlDocument doc;
    if (doc.Load(history)) {
      const TXmlNode list = StormHistory(doc);
      if (list && list.ElementCount() > 0 && IsLiveFile(history))
        AddApplicationFinding(scan, history, history, "Storm", kStormRoot);
    }
  }
  if (!playlist.empty()) AddStormFile(scan, playlist);
}

void ScanKugoo2007(TItemScan& scan) {
  const std::string app = RegKeyText(HKEY_CURRENT_USER, "Software\\KuGoo4", "AppFileName");
  if (app.empty()) return;
  std::string folder;
  if (!Windows6() || AppContext().IsWow64()) {
    folder = core::ExtractFileDir(app);
  } else {
    const std::string local = EnvironmentValue("Localappdata");
    if (local.empty()) return;
    folder = local + "\\VirtualStore\\Program Files\\KuGoo2007\\";
  }
  if (folder.empty()) return;
  for (TFindFile f(folder + "*.*"); f.Found(); f.Next()) {
    // A user's folder is named by the user's number.
    const std::string name = f.Name();
    if (!AllDigits(name)) continue;
    const std::string options = folder + name + "\\Option.ini";
    if (!FileExistsStrict(options)) continue;
    // The count as written: missing it is 1, and a text that is no number is no count.
    int32_t count = 1;
    const std::string text = IniReadString(options, "SearchItems", "Count");
    if (!text.empty() && !core::ParseIntegerText(text, count)) continue;
    if (count != 1)
      AddApplicationFinding(scan, options + "(共" + std::to_string(count) + "条记录)", options, "kugoo2007", kKugooRoot);
  }
}

void ScanKugooTable(TItemScan& scan, const std::string& appFile, const std::string& table) {
  if (appFile.empty() || !FileExistsAnyView(appFile)) return;
  const std::string library = core::ExtractFileDir(appFile) + "KGLibrary.db";
  if (!FileExistsAnyView(library)) return;
  TSqliteDatabase db;
  std::vector<std::string> tables;
  if (!db.Open(library, false) || !db.TableNames(tables)) return;
  for (const std::string& name : tables)
    if (lstrcmpiA(core::TrimBlanks(name).c_str(), table.c_str()) == 0) {
      if (db.HasRows(name, std::string()) == TRowTest::Rows) AddDatabaseFinding(scan, library, library, table, kKugooKind, std::string());
      return;
    }
}

void ScanKugoo2010(TItemScan& scan) {
  const std::string app = Kugoo2010App();
  ScanKugooTable(scan, app, "PlayListItems");
  ScanKugooTable(scan, app, "PlayLists");
  if (app.empty()) return;
  const std::string settings = core::ExtractFileDir(app) + "kugoo.xml";
  if (!FileExistsStrict(settings)) return;
  TXmlDocument doc;
  if (!doc.Load(settings)) return;
  const TXmlNode general = doc.Root().ChildByName("General");
  std::string searches;
  if (general && general.Attribute("SearchHistory", searches) && !searches.empty())
    AddApplicationFinding(scan, settings + ":SearchHistory", settings, "kugoo2010", kKugooRoot);
}

void ScanQQPlayer(TItemScan& scan) {
  const std::string appData = AppContext().AppDataDir;
  if (appData.empty()) return;
  const std::string playlist = appData + "\\Tencent\\QQPlayer\\default.qpl";
  if (!FileExistsAnyView(playlist)) return;
  TXmlDocument doc;
  if (!doc.Load(playlist)) return;
  // The "index" children are the list's bookkeeping, not entries.
  for (const TXmlNode& child : doc.Root().Elements())
    if (!SameXmlName(child, "index")) {
      if (IsLiveFile(playlist)) AddApplicationFinding(scan, playlist, playlist, "qqplayer", "QQ影音");
      return;
    }
}

void ScanXmpPlaylist(TItemScan& scan, const std::string& base, const std::string& listName) {
  const std::string index = base + "XmpPlaylists.xml";
  if (!FileExistsAnyView(index)) return;
  TXmlDocument doc;
  if (!doc.Load(index)) return;
  std::string path;
  for (const TXmlNode& child : doc.Root().Elements()) {
    std::string name;
    if (SameXmlName(child, "list") && child.Attribute("name", name) && lstrcmpiA(name.c_str(), listName.c_str()) == 0) {
      child.Attribute("path", path);
      break;
    }
  }
  if (path.empty() || !FileExistsAnyView(path)) return;
  TXmlDocument list;
  if (list.Load(path) && list.Root().ElementCount() > 0) AddApplicationFinding(scan, path, path, "xmp", "迅雷看看播放器");
}

bool CleanStormHistory(const Column4TreeData& f) { return EmptyXmlNode(f.Path, StormHistory); }

bool CleanPlaylist(const Column4TreeData& f) {
  return EmptyXmlNode(f.Path, [](const TXmlDocument& doc) { return doc.Root(); });
}

bool CleanKugoo2007Search(const Column4TreeData& f) {
  if (!FileExistsStrict(f.Path)) return true;
  return RewriteIniFile(f.Path, [](const std::string& copy) { return EraseIniSection(copy, "SearchItems"); });
}

bool CleanKugoo2010Search(const Column4TreeData& f) {
  if (!FileExistsStrict(f.Path)) return true;
  TXmlDocument doc;
  if (!doc.Load(f.Path)) return false;
  TXmlNode general = doc.Root().ChildByName("General");
  std::string searches;
  if (!general || !general.Attribute("SearchHistory", searches)) return true;
  return general.SetAttribute("SearchHistory", std::string()) && doc.Save(f.Path);
}

bool RewritePlayerFinding(const Column4TreeData& finding) {
  const struct {
    const char* Tag;
    bool (*Rewrite)(const Column4TreeData&);
  } kRewrites[] = {{"Storm", CleanStormHistory},
                   {"qqplayer", CleanPlaylist},
                   {"xmp", CleanPlaylist},
                   {"kugoo2007", CleanKugoo2007Search},
                   {"kugoo2010", CleanKugoo2010Search}};
  for (const auto& r : kRewrites)
    if (core::SameTextGbk(finding.Name, r.Tag)) return r.Rewrite(finding);
  return false;
}

void RegisterPlaylistHandlers(THandlerTable& table) {
  table.Register("暴风影音", ApplicationHandler(ScanStorm, kUnitItems, {"storm.exe"}, RewritePlayerFinding));
  TItemHandler kugoo = ApplicationHandler(
      [](TItemScan& scan) {
        ScanKugoo2007(scan);
        ScanKugoo2010(scan);
      },
      kUnitItems, {"Kugoo.exe"}, RewritePlayerFinding);
  kugoo.Cleaner.Removers[{false, kKugooKind}] = RemoveDatabaseRows;
  table.Register("酷狗", kugoo);
  table.Register("QQ影音", ApplicationHandler(ScanQQPlayer, kUnitFiles, {"QQPlayer.exe"}, RewritePlayerFinding));
  table.Register("迅雷看看播放器", ApplicationHandler(
                                     [](TItemScan& scan) {
                                       std::vector<std::string> bases;
                                       const std::string common = GetSpecialFolder(kCommonAppData);
                                       if (!common.empty()) bases.push_back(common + "\\Thunder Network\\XMP\\");
                                       const std::string publicFolder = ExpandEnvVars("%PUBLIC%");
                                       if (Windows6() && !publicFolder.empty() && publicFolder[0] != '%')
                                         bases.push_back(publicFolder + "\\Thunder Network\\XMP\\");
                                       for (const std::string& base : bases)
                                         for (const char* list : {"Default", "Treater", "_Default"}) ScanXmpPlaylist(scan, base, list);
                                     },
                                     kUnitFiles, {"xmp.exe"}, RewritePlayerFinding));
}
