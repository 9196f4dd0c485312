#include "registry/RegistryRun.h"

#include <algorithm>

#include "items/ResultRows.h"
#include "system/RegistryValues.h"

TTreeNode* TRegistryRun::AddFinding(const std::string& caption, const std::string& keyPath,
                                    const std::string& rootName, const std::string& valueName) {
  TTreeNode* node =
      AddRegistryFinding(scan_.Tree, caption, keyPath, native_, scan_.Item, rootName, -1, std::string(), std::string(),
                         valueName);
  if (node) ++scan_.Count;
  return node;
}

bool TRegistryRun::StopAfterEntry() {
  if (!stopped_ && scan_.KeepResponsive) stopped_ = scan_.KeepResponsive();
  return stopped_;
}

std::vector<TRegValue> NamedValues(HKEY key) {
  std::vector<TRegValue> values = RegValues(key);
  values.erase(std::remove_if(values.begin(), values.end(), [](const TRegValue& v) { return v.Name.empty(); }),
               values.end());
  return values;
}

std::vector<std::string> NamedValueNames(HKEY key) {
  std::vector<std::string> names = RegValueNames(key);
  names.erase(std::remove(names.begin(), names.end(), std::string()), names.end());
  return names;
}
