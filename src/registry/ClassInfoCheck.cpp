// COM classes whose server file is gone, and interfaces whose type library is not
// registered.
#include "core/GbkText.h"
#include "core/NameList.h"
#include "registry/RegistryCaches.h"
#include "registry/RegistryCheckKeys.h"
#include "registry/RegistryChecks.h"
#include "system/AppContext.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"
#include "system/TargetPresence.h"
#include "system/ToolsPaths.h"

namespace {

// The type libraries of both views, read once for all four runs.
struct TTypeLibs {
  core::TNameList T32, T64;
  bool Knows(const std::string& id) const { return T32.Contains(id) || T64.Contains(id); }
};

bool IsBracedId(const std::string& name) {
  return !name.empty() && name[0] == '{' && name.find('}') == name.size() - 1;
}

void CheckClsidServers(TRegistryRun& run) {
  const TRegistryKey classes(HKEY_CLASSES_ROOT, "CLSID", run.Native(), KEY_READ);
  ForEachEntry(run, RegistryCaches().ClsidNames(run.Native()).Names(), [&](const std::string& clsid) {
    if (!IsBracedId(clsid)) return true;
    const std::string path = "CLSID\\" + clsid;
    const char* kind = "\\InprocServer32";
    TRegistryKey server;
    if (server.OpenBelow(classes, clsid + kind) != ERROR_SUCCESS) {
      kind = "\\LocalServer32";
      (void)server.OpenBelow(classes, clsid + kind);
    }
    if (!server) return true;
    const TValueText text = ReadValueText(server.Handle(), "");
    if (!text.IsText() || text.Text.empty()) return true;
    // The server may be named for either view's program folders.
    const std::string inDefault = ExpandPathVariables(text.Text, false);
    TRegistryCaches& caches = RegistryCaches();
    if (core::FindGbk(inDefault, ":\\") == std::string::npos || caches.FileExists(inDefault) ||
        caches.FileExists(ExpandPathVariables(text.Text, true)))
      return true;
    run.AddFinding(KeyText(kClassesRootName, path) + kind + ":" + text.Text, path, kClassesRootName);
    return true;
  });
}

void CheckInterfaceTypeLibs(TRegistryRun& run, const TTypeLibs& typeLibs) {
  const TRegistryKey interfaces(HKEY_CLASSES_ROOT, "Interface", run.Native(), KEY_READ);
  ForEachEntry(run, interfaces.SubKeyNames(), [&](const std::string& name) {
    if (name.empty()) return true;
    const std::string path = "Interface\\" + name + "\\TypeLib";
    TRegistryKey key;
    if (key.OpenBelow(interfaces, name + "\\TypeLib") != ERROR_SUCCESS) return true;
    const TValueText id = ReadValueText(key.Handle(), "");
    if (id.State == TTextRead::NotText) return true;
    if (id.Text.empty())
      run.AddFinding(KeyText(kClassesRootName, path), path, kClassesRootName);
    else if (id.Text.front() == '{' && id.Text.back() == '}' && !typeLibs.Knows(id.Text))
      run.AddFinding(KeyText(kClassesRootName, path) + ":" + id.Text, path, kClassesRootName);
    return true;
  });
}

void ReadTypeLibs(bool native, core::TNameList& list) {
  for (const std::string& name : TRegistryKey(HKEY_CLASSES_ROOT, "TypeLib", native, KEY_READ).SubKeyNames())
    list.Add(name);
}

}  // namespace

// Runs once per view; each run compares with the type libraries of both views.
void CheckClassInfo(TRegistryRun& run) {
  TTypeLibs typeLibs;
  if (AppContext().IsWow64()) ReadTypeLibs(true, typeLibs.T64);
  ReadTypeLibs(false, typeLibs.T32);
  RegistryCaches().EnsureClsidLists();
  CheckClsidServers(run);
  if (!run.Stopped()) CheckInterfaceTypeLibs(run, typeLibs);
}
