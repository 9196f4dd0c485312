#include "registry/ClassKeyRules.h"

#include "core/GbkText.h"
#include "system/RegistryValues.h"
#include "system/TargetPresence.h"
#include "system/ToolsPaths.h"

bool NamesMissingFile(const std::string& text) {
  return core::FindGbk(text, ":\\") != std::string::npos &&
         core::FindGbk(core::LowerGbk(text), "rundll32.exe") == std::string::npos &&
         !TargetFileExists(ExtractExePath(text));
}

bool IsBrokenIcon(const TRegistryKey& defaultIcon) {
  DWORD subKeys = 0, values = 0;
  if (!defaultIcon.Counts(subKeys, values) || values >= 2) return false;
  const std::string icon = RegText(defaultIcon.Handle(), "");
  return !icon.empty() && NamesMissingFile(icon);
}

unsigned SubKeyCountOf(HKEY root, const std::string& path, bool native) {
  return TRegistryKey(root, path, native).SubKeyCount();
}
