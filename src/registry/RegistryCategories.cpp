#include "registry/RegistryCategories.h"

#include "items/ItemCatalogue.h"
#include "items/ItemSummary.h"
#include "registry/RegistryChecks.h"
#include "registry/RegistryDelete.h"
#include "system/AppContext.h"

const std::vector<TRegistryCategory>& RegistryCategories() {
  using V = TRegistryViews;
  static const std::vector<TRegistryCategory> kCategories = {
      {kItemSharedDlls, V::Both, CheckSharedDlls},
      {kItemSoftware, V::Both, CheckSoftwareKeys},
      {kItemInstallers, V::Both, CheckInstallerFolders},
      {kItemUninstallers, V::Both, CheckUninstallers},
      {kItemHelpFiles, V::Both, CheckHelpFiles},
      {kItemStartMenu, V::Both, CheckStartMenuOrder},
      {kItemContextMenu, V::Native, CheckContextMenuHandlers},
      {kItemActiveX, V::Native, CheckShellClasses},
      {kItemFileAssociations, V::Native, CheckFileAssociations},
      {kItemClassInfo, V::Both, CheckClassInfo},
      {kItemFirewall, V::Native, CheckFirewallApps},
      {kItemMuiCache, V::Native, CheckMuiCache},
      {kItemRunEntries, V::Native, CheckRunEntries},
      {kItemAppPaths, V::Native, CheckAppPaths},
      {kItemFonts, V::Native, CheckFonts},
  };
  return kCategories;
}

TItemHandler RegistryCategoryHandler(TRegistryViews views, TRegistryCheck check) {
  TItemHandler handler;
  handler.UnitWord = kUnitItems;
  handler.Cleaner.Removers = RegistryRemovers();
  handler.Scan = [views, check](TItemScan& scan) {
    if (!check) return;
    const bool wow64 = AppContext().IsWow64();
    if (views == TRegistryViews::Native) {
      TRegistryRun run(scan, wow64);
      check(run);
      return;
    }
    TRegistryRun defaultView(scan, false);
    check(defaultView);
    if (!wow64 || defaultView.Stopped()) return;
    TRegistryRun view64(scan, true);
    check(view64);
  };
  return handler;
}

void RegisterRegistryCategories(THandlerTable& handlers) {
  for (const TRegistryCategory& c : RegistryCategories()) {
    handlers.Register(c.Caption, RegistryCategoryHandler(c.Views, c.Check));
  }
}
