#include "registry/RegistryCategories.h"

#include "items/ItemCatalogue.h"
#include "items/ItemSummary.h"
#include "registry/RegistryCaches.h"
#include "system/AppContext.h"

namespace {

// A new scan of the ActiveX category forgets what the last one reported.
void ForgetBrokenClasses() { RegistryCaches().ClearBrokenClasses(); }

}  // namespace

const std::vector<TRegistryCategory>& RegistryCategories() {
  using V = TRegistryViews;
  static const std::vector<TRegistryCategory> kCategories = {
      {kItemSharedDlls, V::Both, nullptr, nullptr},
      {kItemSoftware, V::Both, nullptr, nullptr},
      {kItemInstallers, V::Both, nullptr, nullptr},
      {kItemUninstallers, V::Both, nullptr, nullptr},
      {kItemHelpFiles, V::Both, nullptr, nullptr},
      {kItemStartMenu, V::Both, nullptr, nullptr},
      {kItemContextMenu, V::Native, nullptr, nullptr},
      {kItemActiveX, V::Native, nullptr, ForgetBrokenClasses},
      {kItemFileAssociations, V::Native, nullptr, nullptr},
      {kItemClassInfo, V::Both, nullptr, nullptr},
      {kItemFirewall, V::Native, nullptr, nullptr},
      {kItemMuiCache, V::Native, nullptr, nullptr},
      {kItemRunEntries, V::Native, nullptr, nullptr},
      {kItemAppPaths, V::Native, nullptr, nullptr},
      {kItemFonts, V::Native, nullptr, nullptr},
  };
  return kCategories;
}

TItemHandler RegistryCategoryHandler(TRegistryViews views, TRegistryCheck check, std::function<void()> begin) {
  TItemHandler handler;
  handler.UnitWord = kUnitItems;
  handler.Scan = [views, check, begin](TItemScan& scan) {
    if (begin) begin();
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
    TItemHandler handler = RegistryCategoryHandler(c.Views, c.Check ? TRegistryCheck(c.Check) : nullptr,
                                                   c.Begin ? std::function<void()>(c.Begin) : nullptr);
    // The extension-history delete waits for this category's clean.
    if (std::string(c.Caption) == kItemClassInfo) handler.Clean = TCleanAction::ClassInfo;
    handlers.Register(c.Caption, handler);
  }
}
