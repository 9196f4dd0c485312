#include "core/RegistryKeyPath.h"

#include "core/PathText.h"

namespace core {

std::string JoinKeyPath(const std::string& parent, const std::string& child) {
  if (parent.empty()) return child;
  if (child.empty()) return parent;
  return IncludeTrailingBackslash(parent) + child;
}

}  // namespace core
