// Context-menu handlers whose class is registered nowhere.
#include "registry/RegistryCaches.h"
#include "registry/RegistryCheckKeys.h"
#include "registry/RegistryChecks.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"

void CheckContextMenuHandlers(TRegistryRun& run) {
  TRegistryCaches& caches = RegistryCaches();
  caches.EnsureClsidLists();
  for (const char* owner : {"*", "Directory", "Folder", "Drive"}) {
    const std::string handlers = std::string(owner) + "\\shellex\\ContextMenuHandlers";
    for (const std::string& name : TRegistryKey(HKEY_CLASSES_ROOT, handlers, run.Native()).SubKeyNames()) {
      const std::string path = handlers + "\\" + name;
      // The class id is the default value, or, in older registrations, the key's name.
      const std::string clsid = RegText(TRegistryKey(HKEY_CLASSES_ROOT, path, run.Native()).Handle(), "");
      if (clsid.empty() || caches.KnowsClsid(clsid) || caches.KnowsClsid(name)) continue;
      run.AddFinding(KeyText(kClassesRootName, path), path, kClassesRootName);
    }
  }
}
