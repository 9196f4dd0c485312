// File-name extensions that lead nowhere: empty ones, ones whose only content is an empty
// "Open" verb, and ones naming a class that does not exist or was just reported broken.
#include <algorithm>

#include "core/GbkText.h"
#include "registry/RegistryCaches.h"
#include "registry/RegistryCheckKeys.h"
#include "registry/RegistryChecks.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"

namespace {

// Extensions Windows keeps empty on purpose.
bool IsKeptExtension(const std::string& name) {
  static const char* const kKept[] = {".acl", ".aw", ".elm", ".lex", ".opc", ".pip"};
  return std::any_of(std::begin(kKept), std::end(kKept), [&](const char* kept) { return name == kept; });
}

// A default value that is missing or empty; one that is no string counts as set.
bool DefaultUnset(const TRegistryKey& key) { return ReadValueText(key.Handle(), "").MissingOrEmpty(); }

// The only sub-key is "Shell", holding nothing but an "Open" verb without a command.
bool HoldsOnlyEmptyOpenVerb(const TRegistryKey& extension) {
  const TRegistryKey shell(extension, "Shell");
  if (!shell || !DefaultUnset(shell)) return false;
  const TRegistryKey open(shell, "Open");
  DWORD subKeys = 0, values = 0;
  return open && open.Counts(subKeys, values) && subKeys == 0 && DefaultUnset(open);
}

}  // namespace

void CheckFileAssociations(TRegistryRun& run) {
  TRegistryCaches& caches = RegistryCaches();
  caches.EnsureClassKeyLists(run.Native());
  const TRegistryKey& root = caches.ClassesRoot(run.Native());
  auto report = [&run](const std::string& name) { run.AddFinding(KeyText(kClassesRootName, name), name, kClassesRootName); };
  // Extensions without sub-keys, with their default value (read while the key is open).
  std::vector<std::pair<std::string, std::string>> plain;
  const bool complete = ForEachEntry(run, caches.ExtensionKeys(run.Native()).Names(), [&](const std::string& name) {
    if (name.empty() || IsKeptExtension(name)) return true;
    const TRegistryKey key(root, name);
    DWORD subKeys = 0, values = 0;
    if (!key.Counts(subKeys, values)) return true;
    if (subKeys > 0) {
      if (subKeys == 1 && HoldsOnlyEmptyOpenVerb(key)) report(name);
    } else {
      plain.emplace_back(name, values == 0 ? std::string() : RegText(key.Handle(), ""));
      if (values == 0) report(name);
    }
    return true;
  });
  if (!complete) return;
  const core::TNameList& classes = caches.ClassKeys(run.Native());
  for (const auto& [name, target] : plain) {
    if (target.empty()) continue;
    // The class list holds top-level names only; a deeper path is looked up.
    const bool exists = classes.Contains(target) ||
                        (core::FindCharGbk(target, '\\') != std::string::npos &&
                         TRegistryKey(root, target));
    if (!exists && core::FindGbk(target, ":\\") == std::string::npos) report(name);
    for (const std::string& broken : caches.BrokenClasses)
      if (broken == target) report(name);
  }
}
