// Small pieces the registry checks share: the root names and the display text of a key.
#pragma once
#include <string>

#include "core/RegistryKeyPath.h"

using core::kClassesRootName;
using core::kCurrentUserName;
using core::kLocalMachineName;

// rootName + "\" + path, and + "\" + name when a name is given.
inline std::string KeyText(const char* rootName, const std::string& path, const std::string& name = std::string()) {
  std::string text = std::string(rootName) + "\\" + path;
  if (!name.empty()) text += "\\" + name;
  return text;
}
