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
    const TRegistryKey handlersKey(caches.ClassesRoot(run.Native()), handlers);
    for (const std::string& name : handlersKey.SubKeyNames()) {
      const std::string path = handlers + "\\" + name;
      // The class id is the default value, or, in older registrations, the key's name.
      const std::string clsid = RegText(TRegistryKey(handlersKey, name).Handle(), "");
      if (clsid.empty() || caches.KnowsClsid(clsid) || caches.KnowsClsid(name)) continue;
      run.AddFinding(KeyText(kClassesRootName, path), path, kClassesRootName);
    }
  }
}
