#include "traces/IniKeyScans.h"

#include <windows.h>

#include "core/GbkText.h"
#include "core/PathText.h"
#include "items/ItemSummary.h"
#include "system/AppContext.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"
#include "system/ToolsFiles.h"
#include "system/ToolsPaths.h"
#include "system/ToolsRegistry.h"
#include "traces/IniRewrite.h"
#include "traces/ScanMruKey.h"
#include "traces/TraceFindings.h"

namespace {

// Every key of section with a value, from the last to the first: caption the file, ':'
// and the value's file name.
void AddIniKeys(TItemScan& scan, const std::string& ini, const std::string& section) {
  const std::vector<std::string> keys = IniSectionKeyNames(ini, section);
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    const std::string value = IniReadString(ini, section, *key);
    if (!value.empty())
      AddApplicationFinding(scan, ini + ":" + core::ExtractFileName(value), ini, section + "|" + *key, kIniKeyRoot);
  }
}

// The folder (with its backslash) of the program an edit command starts.
std::string UltraEditProgramFolder() {
  TRegistryKey command(HKEY_CLASSES_ROOT, "Applications\\Uedit32.exe\\shell\\edit\\command", false, KEY_READ);
  DWORD type = 0;
  if (!command || !RegValueType(command.Handle(), "", type) || (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::string();
  const std::string line = RegText(command.Handle(), "");
  return line.empty() ? std::string() : core::ExtractFileDir(ExpandPathVariables(line, false));
}

}  // namespace

void ScanUltraEdit(TItemScan& scan) {
  const std::string program = UltraEditProgramFolder();
  if (!program.empty() && FileExistsStrict(program + "Uedit32.ini")) AddIniKeys(scan, program + "Uedit32.ini", "Recent File List");
  const std::string appData = AppContext().AppDataDir;
  if (appData.empty()) return;
  const std::string user = ExpandPathVariables(appData, false) + "\\IDMComp\\UltraEdit\\Uedit32.ini";
  if (!FileExistsStrict(user)) return;
  for (const char* section : {"Recent File List", "Find in File History", "Find History"}) AddIniKeys(scan, user, section);
}

void ScanEmEditor(TItemScan& scan) {
  const std::string folder = GetServerFolder(GetServerPathByCLSID("{DFA0CC7F-D36B-47D1-8EF5-415C1DA53F57}"));
  if (!folder.empty() && FileExistsStrict(folder + "eeCommon.ini")) AddIniKeys(scan, folder + "eeCommon.ini", "Recent File List");
  if (ScanMruKey(scan, HKEY_CURRENT_USER, "Software\\EmSoft\\EmEditor v3\\Recent File List")) return;
  ScanMruKey(scan, HKEY_CURRENT_USER, "Software\\EmSoft\\EmEditor v3\\Recent Folder List");
}

bool CleanIniKeyFinding(const Column4TreeData& finding) {
  const std::string& ini = finding.Path;
  if (!FileExistsStrict(ini)) return true;
  const size_t bar = core::FindCharGbk(finding.Name, '|');
  if (bar == std::string::npos) return false;
  const std::string section = finding.Name.substr(0, bar), key = finding.Name.substr(bar + 1);
  return RewriteIniFile(ini, [&](const std::string& copy) { return DeleteIniKey(copy, section, key); });
}

bool RewriteIniKeyFinding(const Column4TreeData& finding) {
  return core::SameTextGbk(finding.Root, kIniKeyRoot) && CleanIniKeyFinding(finding);
}

void RegisterIniKeyHandlers(THandlerTable& table) {
  table.Register("UltraEdit编辑软件", ApplicationHandler(ScanUltraEdit, kUnitItems, {"uedit32.exe"}, RewriteIniKeyFinding));
  table.Register("EmEditor 历史记录", ApplicationHandler(ScanEmEditor, kUnitItems, {"emeditor.exe"}, RewriteIniKeyFinding));
}
