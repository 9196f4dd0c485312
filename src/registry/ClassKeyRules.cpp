#include "registry/ClassKeyRules.h"

#include "core/GbkText.h"
#include "registry/RegistryCaches.h"
#include "system/RegistryValues.h"
#include "system/TargetPresence.h"
#include "system/ToolsPaths.h"

bool NamesMissingFile(const std::string& text) {
  return core::FindGbk(text, ":\\") != std::string::npos &&
         core::FindGbk(core::LowerGbk(text), "rundll32.exe") == std::string::npos &&
         !RegistryCaches().FileExists(ExtractExePath(text));
}

bool IsBrokenIcon(const TRegistryKey& defaultIcon) {
  // The text first: it rules out most icons without another trip to the registry.
  const std::string icon = RegText(defaultIcon.Handle(), "");
  if (icon.empty() || !NamesMissingFile(icon)) return false;
  DWORD subKeys = 0, values = 0;
  return defaultIcon.Counts(subKeys, values) && values < 2;
}

unsigned SubKeyCountOf(HKEY root, const std::string& path, bool native) {
  return TRegistryKey(root, path, native).SubKeyCount();
}
