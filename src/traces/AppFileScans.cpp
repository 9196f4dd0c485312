#include "traces/AppFileScans.h"

#include <windows.h>

#include "core/PathText.h"
#include "items/ItemSummary.h"
#include "system/AppContext.h"
#include "system/ToolsPaths.h"
#include "system/ToolsRegistry.h"
#include "traces/ScanMruKey.h"
#include "traces/TraceFindings.h"

void ScanEditPlus(TItemScan& scan) {
  for (const char* key : {"Software\\ES-Computing\\EditPlus 2\\Recent File List", "Software\\ES-Computing\\EditPlus 2\\Recent Dir List",
                          "Software\\ES-Computing\\EditPlus 3\\Recent File List", "Software\\ES-Computing\\EditPlus 3\\Recent Dir List"})
    if (ScanMruKey(scan, HKEY_CURRENT_USER, key)) return;
  const std::string appData = AppContext().AppDataDir;
  if (!appData.empty()) AddLiveFile(scan, appData + "\\EditPlus 3\\combobox_u.ini");
  const std::string older = GetServerFolder(GetServerPathByCLSID("{63AFBDFB-5EF8-4791-AF79-9A3C0DE48974}"));
  if (!older.empty()) AddLiveFile(scan, older + "combobox.ini");
  const std::string newer = GetServerFolder(GetServerPathByCLSID("{36D94110-787C-4828-9C1B-0DAFEBC36069}"));
  if (newer.empty()) return;
  AddLiveFile(scan, newer + "combobox.ini");
  AddLiveFile(scan, newer + "combobox_u.ini");
}

void ScanAcrobat(TItemScan& registry, TItemScan& files, TFindInvalidFiles& finder) {
  const std::string reader = "Software\\Adobe\\Acrobat Reader";
  for (const std::string& version : RegGetKeyNames(HKEY_CURRENT_USER, reader, KEY_READ)) {
    const std::string recent = reader + "\\" + version + "\\AVGeneral\\cRecentFiles";
    for (const std::string& entry : RegGetKeyNames(HKEY_CURRENT_USER, recent, KEY_READ))
      AddWholeKeyFinding(registry, recent + "\\" + entry);
  }
  finder.ScanAdobeCaches(files);
}

void ScanAliIM(TItemScan& scan) {
  const std::string folder = GetServerFolder(GetServerPathByProgID("AliIMX.WangWangX"));
  if (folder.empty()) return;
  for (const char* name : {"profiles\\system\\logininfo.xml", "profiles\\system\\lastlogininfo2.xml",
                           "profiles\\system\\lastlogininfo.xml", "log.log", "profiles\\system\\gconf.db"})
    AddLiveFile(scan, folder + name);
}

void RegisterAppFileHandlers(THandlerTable& table, TInvalidFilesSlot& invalidFiles) {
  table.Register("EditPlus编辑软件", TraceHandler(ScanEditPlus, kUnitItems, {"editplus.exe"}));
  TInvalidFilesSlot* slot = &invalidFiles;
  table.Register("Acrobat Reader阅读器", FileRegistryHandler(
                                           [slot](TItemScan& registry, TItemScan& files) {
                                             if (!slot->Finder) slot->Create();
                                             ScanAcrobat(registry, files, *slot->Finder);
                                           },
                                           {"acrord32.exe"}));
  table.Register("淘宝旺旺登录名信息", TraceHandler(ScanAliIM, kUnitFiles, {"aliim.exe", "aliwangwang.exe"}));
}
