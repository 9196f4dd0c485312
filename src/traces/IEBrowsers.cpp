#include "traces/IEBrowsers.h"

#include <windows.h>

#include "core/GbkText.h"
#include "core/PathText.h"
#include "items/ItemCatalogue.h"
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
#include "system/ToolsViews.h"
#include "traces/BrowserItems.h"
#include "traces/IniRewrite.h"
#include "traces/TraceFindings.h"

namespace {

const char* const kTTHistorySections[] = {"CUROPENURL", "LASTOPENURL", "MAXVISITHOSTS",
                                          "MAXVISITURLS", "SEARCHHISTORY", "strNameSpace_Mbrowser"};

std::string TencentFolder() {
  const std::string appData = AppContext().AppDataDir;
  return appData.empty() ? std::string() : appData + "\\Tencent\\TencentTraveler\\100\\";
}

bool HasSections(const std::string& path) {
  char names[4] = {};
  return GetPrivateProfileSectionNamesA(names, sizeof names, path.c_str()) > 0;
}

std::string FolderValue(const char* key) { return RegKeyText(HKEY_CURRENT_USER, key, "Folder"); }

// The session files of one Maxthon 2 profile folder, the last session only when it holds
// a section.
void ScanMaxthonProfile(TItemScan& scan, const std::string& data, const std::vector<const char*>& others) {
  const std::string last = data + "LastSession.ini";
  if (FileExistsStrict(last) && HasSections(last)) AddLiveFile(scan, last);
  for (const char* name : others) AddLiveFile(scan, data + name);
}

std::string MyIE2Config() {
  const TAppContext& ctx = AppContext();
  if (ctx.MajorVersion() < 6 || ctx.IsWow64()) {
    const std::string folder = FolderValue("Software\\MYIE2");
    return folder.empty() ? std::string() : folder + "\\Config\\myie.ini";
  }
  const std::string local = EnvironmentValue("Localappdata");
  return local.empty() ? std::string() : local + "\\VirtualStore\\Program Files\\MYIE2\\Config\\myie.ini";
}

const char kTencentKind[] = "ttraveler";  // its history database's rows

// With the rewrite of the browser's settings file.
TItemHandler Handler(std::function<void(TItemScan&)> scan, const char* unit, const char* guard) {
  return ApplicationHandler(std::move(scan), unit, {guard}, RewriteBrowserConfigFinding);
}

}  // namespace

void ScanTencentTraveler(TItemScan& scan) {
  const std::string folder = TencentFolder();
  if (folder.empty()) return;
  const std::string database = folder + "navinfo.db";
  if (FileExistsAnyView(database)) {
    TSqliteDatabase db;
    std::vector<std::string> tables;
    if (db.Open(database, false) && db.TableNames(tables))
      for (const std::string& table : tables)
        if (core::SameTextGbk(table, "histable") && db.HasRows("histable", std::string()) == TRowTest::Rows)
          AddDatabaseFinding(scan, database, database, "histable", kTencentKind, std::string());
  }
  const std::string config = folder + "TtConf.dat";
  if (FileExistsAnyView(config) && IniSectionHasKeys(config, "strNameSpace_Mbrowser") && IsLiveFile(config))
    AddApplicationFinding(scan, config, config, "ttraveler", kItemTencentTraveler);
  AddLiveFile(scan, folder + "NewMostVisitInfo.ini");
  AddLiveFile(scan, folder + "TtConf.dat.bak");
}

bool CleanTencentTravelerConfig() {
  const std::string config = TencentFolder() + "TtConf.dat";
  if (TencentFolder().empty() || !IsLiveFile(config)) return true;  // nothing of it is left
  return RewriteIniFile(config, [](const std::string& copy) {
    bool ok = true;
    for (const char* section : kTTHistorySections) ok = ok && EraseIniSection(copy, section);
    return ok;
  });
}

void ScanMyIE2(TItemScan& scan) {
  const std::string config = MyIE2Config();
  if (config.empty() || !FileExistsStrict(config)) return;
  for (int i = 0; i < 16; ++i) {
    char value[4] = {};
    if (GetPrivateProfileStringA("UndoUrl", ("Title" + std::to_string(i)).c_str(), "", value, sizeof value,
                                 config.c_str()) > 0) {
      AddApplicationFinding(scan, config, config, "MyIE2", kItemMyIE2);
      return;
    }
  }
}

bool CleanMyIE2Config(const std::string& path) {
  if (!FileExistsStrict(path)) return true;
  return RewriteIniFile(path, [](const std::string& copy) {
    return EraseIniSection(copy, "UndoUrl") && WritePrivateProfileStringA("SearchBar", "History", "", copy.c_str()) &&
           WritePrivateProfileStringA("Settings", "lastvisit", "", copy.c_str());
  });
}

void ScanMaxthon2(TItemScan& scan) {
  const std::string folderValue = FolderValue("Software\\Maxthon2");
  if (folderValue.empty()) return;
  const std::string folder = core::IncludeTrailingBackslash(folderValue);
  for (TFindFile f(folder + "*.*"); f.Found(); f.Next())
    if (f.Name().find('@') != std::string::npos)
      ScanMaxthonProfile(scan, folder + f.Name() + "\\Data\\", {"Session.ini", "Dynamic.ini"});
  ScanMaxthonProfile(scan, folder + "SharedAccount\\Data\\",
                     {"Session.ini", "Dynamic.ini", "history2.dat", "TmpSession.ini"});
}

void ScanMaxthon1(TItemScan& scan) {
  const std::string folder = FolderValue("Software\\Maxthon");
  if (!folder.empty()) AddLiveFile(scan, folder + "\\Config\\Dynamic.ini");
}

bool RewriteBrowserConfigFinding(const Column4TreeData& finding) {
  if (core::SameTextGbk(finding.Name, kTencentKind)) return CleanTencentTravelerConfig();
  return core::SameTextGbk(finding.Name, "MyIE2") && CleanMyIE2Config(finding.Path);
}

void RegisterIEBrowserHandlers(THandlerTable& table) {
  TItemHandler tencent = Handler(ScanTencentTraveler, kUnitFiles, "ttraveler.exe");
  tencent.Cleaner.Removers[{false, kTencentKind}] = RemoveDatabaseRows;
  table.Register(kItemTencentTraveler, tencent);
  table.Register(kItemMyIE2, Handler(ScanMyIE2, kUnitItems, "myie.exe"));
  table.Register(kItemMaxthon, Handler(
                                   [](TItemScan& scan) {
                                     ScanMaxthon2(scan);
                                     ScanMaxthon1(scan);
                                   },
                                   kUnitFiles, "maxthon.exe"));
}
