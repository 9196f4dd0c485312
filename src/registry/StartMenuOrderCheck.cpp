// The Start menu's order cache: keys for menu folders that no longer exist.
#include <windows.h>

#include <unordered_set>

#include "core/GbkText.h"
#include "core/MenuOrderRules.h"
#include "core/NameList.h"
#include "registry/RegistryCheckKeys.h"
#include "registry/RegistryChecks.h"
#include "system/AppContext.h"
#include "system/FindFile.h"
#include "system/RegistryKey.h"
#include "system/ToolsShell.h"

namespace {

const char* const kMenuOrderKeys[] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu2",
};
const int kCommonPrograms = 23;  // CSIDL_COMMON_PROGRAMS
const int kPrograms = 2;         // CSIDL_PROGRAMS

std::string Below(const std::string& relativePath, const std::string& name) {
  return relativePath.empty() ? name : relativePath + "\\" + name;
}

void ListFolders(const std::string& folder, const std::string& relativePath, std::vector<std::string>& list,
                 core::TNameList& seen) {
  std::vector<std::string> descend;
  for (TFindFile find(folder + relativePath + "\\*.*"); find.Found(); find.Next()) {
    const std::string name = find.Name();
    // Junctions are not entered: a link back up would nest without end.
    if (!find.IsDir() || name.empty() || name[0] == '.' || find.IsLink())
      continue;
    const std::string path = Below(relativePath, name);
    if (seen.Contains(path)) continue;
    list.push_back(path);
    seen.Add(path);
    descend.push_back(relativePath.empty() ? "\\" + name : path);
  }
  for (const std::string& next : descend) ListFolders(folder, next, list, seen);
}

void CheckMenuOrderKey(const std::string& base, const std::unordered_set<std::string>& folders,
                       TRegistryRun& run) {
  std::vector<std::string> entries;
  ListMenuOrderKeys(base, std::string(), entries, run.Native());
  for (const std::string& entry : entries) {
    if (entry.empty() || core::LowerGbk(entry) == "menu") continue;
    if (folders.count(entry) || core::IsKeptMenuOrderEntry(entry)) continue;
    if (folders.count(core::TranslateMenuOrderEntry(entry))) continue;
    const std::string path = entry[0] == '\\' ? base + entry : base + "\\" + entry;
    run.AddFinding(KeyText(kCurrentUserName, path), path, kCurrentUserName);
    run.LetMessagesThrough();
  }
}

}  // namespace

void ListStartMenuFolders(const std::string& folder, const std::string& relativePath,
                          std::vector<std::string>& list) {
  if (folder.empty()) return;  // an unknown special folder is not the current drive's root
  core::TNameList seen;
  for (const std::string& path : list) seen.Add(path);
  ListFolders(folder, relativePath, list, seen);
}

void ListMenuOrderKeys(const std::string& baseKey, const std::string& relativePath, std::vector<std::string>& list,
                       bool native, int depth) {
  if (depth > kMaxRegistryKeyDepth) return;
  TRegistryKey key(HKEY_CURRENT_USER, baseKey + relativePath, native);
  std::vector<std::string> descend;
  for (const std::string& name : key.SubKeyNames()) {
    const std::string path = Below(relativePath, name);
    list.push_back(path);
    const std::string deeper = relativePath.empty() ? "\\" + name : path;
    // A link is listed but never entered: it may lead back up the tree.
    TRegistryKey sub;
    if (sub.Open(HKEY_CURRENT_USER, baseKey + deeper, native, KEY_READ, REG_OPTION_OPEN_LINK) == ERROR_SUCCESS &&
        sub.IsLink() == TLinkAnswer::NotLink && sub.SubKeyCount() > 0)
      descend.push_back(deeper);
  }
  for (const std::string& next : descend) ListMenuOrderKeys(baseKey, next, list, native, depth + 1);
}

void CheckStartMenuOrder(TRegistryRun& run) {
  std::vector<std::string> list;
  if (AppContext().MajorVersion() != 4) ListStartMenuFolders(GetSpecialFolder(kCommonPrograms), "", list);
  ListStartMenuFolders(GetSpecialFolder(kPrograms), "", list);
  const std::unordered_set<std::string> folders(list.begin(), list.end());
  for (const char* menuOrder : kMenuOrderKeys) {
    TRegistryKey key(HKEY_CURRENT_USER, menuOrder, run.Native());
    for (const std::string& name : key.SubKeyNames())
      CheckMenuOrderKey(std::string(menuOrder) + "\\" + name, folders, run);
  }
}
