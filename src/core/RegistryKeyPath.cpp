#include "core/RegistryKeyPath.h"

#include "core/GbkText.h"
#include "core/PathText.h"

namespace core {

bool NamesRegistryRoot(const std::string& root) { return FindGbk(root, "HKEY_") != std::string::npos; }

std::string JoinKeyPath(const std::string& parent, const std::string& child) {
  if (parent.empty()) return child;
  if (child.empty()) return parent;
  return IncludeTrailingBackslash(parent) + child;
}

}  // namespace core
