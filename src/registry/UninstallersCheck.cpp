// Uninstall entries whose program is gone, with the Windows Installer product keys behind
// them.
#include <windows.h>

#include <algorithm>
#include <memory>

#include "core/GbkText.h"
#include "core/UninstallRules.h"
#include "registry/RegistryCheckKeys.h"
#include "registry/RegistryChecks.h"
#include "registry/UninstallEntries.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"
#include "system/TargetPresence.h"
#include "system/ToolsPaths.h"

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kProductsKey[] = "SOFTWARE\\Classes\\Installer\\Products";
const char kUserDataKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData";

// One Windows Installer product.
struct TRegIcoPosition {
  std::string ProductName;
  std::string ProductIcon;
  std::string ProductKey;  // the packed product code naming its key under kProductsKey
};
using TProductList = std::vector<std::unique_ptr<TRegIcoPosition>>;

bool Contains(const std::string& text, const std::string& part) {
  return core::FindGbk(text, part) != std::string::npos;
}

std::string UserProductsPath(const std::string& user) { return std::string(kUserDataKey) + "\\" + user + "\\Products"; }

bool Exists(const std::string& path, bool native) { return bool(TRegistryKey(HKEY_LOCAL_MACHINE, path, native)); }

// The value as text; one that is no string falls back to the key's default value.
std::string ProductText(HKEY key, const char* name) {
  TValueText value = ReadValueText(key, name);
  if (value.State == TTextRead::NotText) value = ReadValueText(key, "");
  return value.IsText() ? value.Text : std::string();
}

TProductList ReadProducts(bool native) {
  TProductList products;
  const TRegistryKey productsKey(HKEY_LOCAL_MACHINE, kProductsKey, native);
  for (const std::string& name : productsKey.SubKeyNames()) {
    const TRegistryKey key(productsKey, name);
    if (!key) continue;
    products.push_back(std::unique_ptr<TRegIcoPosition>(
        new TRegIcoPosition{ProductText(key.Handle(), "ProductName"), ProductText(key.Handle(), "ProductIcon"), name}));
  }
  return products;
}

bool IsUninstallCommandValid(const std::string& command, const std::string& displayName, const TProductList& products,
                             bool native) {
  if (command.empty()) return true;
  const std::string lower = core::LowerGbk(command);
  if ((Contains(lower, "msiexec.exe") || lower.compare(0, 8, "msiexec ") == 0) && Contains(command, "{")) {
    for (const auto& product : products) {
      if (product->ProductName.empty() || product->ProductName != displayName) continue;
      return product->ProductIcon.empty() || TargetFileExists(ExtractExePath(product->ProductIcon)) ||
             TargetFileExists(ExtractExePath(command)) || Contains(core::LowerGbk(displayName), "acronis");
    }
    return true;
  }
  std::string target;
  if (!core::TextAfterDashFQuote(command, target)) {
    bool invalid = false;
    target = core::UninstallCommandTarget(command, ExtractExePath(command), &invalid);
    if (invalid) return false;
    target = ExpandPathVariables(ExtractExePath(target), native);
  }
  return TargetOnPath(ExtractExePath(target));
}

// The product of that name, taken out of the list; its key name, or empty.
std::string TakeProduct(TProductList& products, const std::string& displayName) {
  for (size_t i = products.size(); i-- > 0;) {
    if (products[i]->ProductName != displayName) continue;
    std::string key = products[i]->ProductKey;
    products.erase(products.begin() + static_cast<std::ptrdiff_t>(i));
    return key;
  }
  return std::string();
}

void AddKey(TRegistryRun& run, const std::string& path) {
  run.AddFinding(KeyText(kLocalMachineName, path), path, kLocalMachineName);
  run.LetMessagesThrough();
}

// productKey: empty for an entry of "Uninstall", the product's key name for one of
// "UserData". The entry is opened below baseKey, the open key of base.
void CheckUninstallKey(const TRegistryKey& baseKey, const std::string& base, const std::string& entryName,
                       const std::string& productKey, TRegistryRun& run, TProductList& products) {
  const std::string path = base + (productKey.empty() ? entryName : productKey);
  const TRegistryKey key(baseKey, productKey.empty() ? entryName : productKey + "\\InstallProperties");
  if (!key) return;
  // The icon found from a command is never looked at here: it only stands in when there
  // is a command, and the icon counts only when there is none.
  const TUninstallEntry entry = ReadUninstallEntry(key.Handle(), entryName);
  if (!entry.HasDisplayName && entry.Command.empty()) {
    // An entry without name and command is only a husk when its icon is gone too.
    const bool iconThere = !entry.Icon.empty() && TargetFileExistsStrict(ExtractExePath(entry.Icon));
    if (!iconThere && key.HoldsNothingButDefault()) {
      AddKey(run, path);
      return;
    }
  }
  if (IsUninstallCommandValid(entry.Command, entry.DisplayName, products, run.Native())) return;
  AddKey(run, path);
  const std::string product = TakeProduct(products, entry.DisplayName);
  if (!productKey.empty() || product.empty()) return;
  // Office 2007 shares its product keys between its parts.
  if (Contains(entry.DisplayName, "Office") && Contains(entry.DisplayName, "2007")) return;
  const std::string productPath = std::string(kProductsKey) + "\\" + product;
  if (Exists(productPath, run.Native())) AddKey(run, productPath);
  for (const std::string& user : TRegistryKey(HKEY_LOCAL_MACHINE, kUserDataKey, run.Native()).SubKeyNames()) {
    const std::string userProduct = UserProductsPath(user) + "\\" + product;
    if (Exists(userProduct, run.Native())) AddKey(run, userProduct);
  }
}

}  // namespace

void CheckUninstallers(TRegistryRun& run) {
  TProductList products = ReadProducts(run.Native());
  const std::string base = std::string(kUninstallKey) + "\\";
  const TRegistryKey entries(HKEY_LOCAL_MACHINE, kUninstallKey, run.Native());
  for (const std::string& name : entries.SubKeyNames()) CheckUninstallKey(entries, base, name, std::string(), run, products);
  if (products.empty()) return;
  const std::vector<std::string> users = TRegistryKey(HKEY_LOCAL_MACHINE, kUserDataKey, run.Native()).SubKeyNames();
  // Each user's "Products" key, opened once for all the records.
  std::vector<std::unique_ptr<TRegistryKey>> userProducts;
  for (const std::string& user : users)
    userProducts.emplace_back(new TRegistryKey(HKEY_LOCAL_MACHINE, UserProductsPath(user), run.Native()));
  // Products that no "Uninstall" entry named, last first. A check may take other records
  // out of the list; each record is visited at most once.
  std::vector<TRegIcoPosition*> remaining;
  for (const auto& product : products) remaining.push_back(product.get());
  for (size_t i = remaining.size(); i-- > 0;) {
    const TRegIcoPosition* record = remaining[i];
    if (std::none_of(products.begin(), products.end(), [record](const auto& p) { return p.get() == record; }))
      continue;
    const std::string name = record->ProductName, key = record->ProductKey;  // the record may go
    for (size_t u = 0; u < users.size(); ++u) {
      if (!TRegistryKey(*userProducts[u], key + "\\InstallProperties")) continue;
      CheckUninstallKey(*userProducts[u], UserProductsPath(users[u]) + "\\", name, key, run, products);
      break;
    }
  }
}
