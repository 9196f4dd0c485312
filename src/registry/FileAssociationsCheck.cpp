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
bool HoldsOnlyEmptyOpenVerb(const TRegistryKey& root, const std::string& name) {
  const TRegistryKey shell(root, name + "\\Shell");
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
  const auto& facts = caches.ExtensionFacts[run.Native()];
  auto report = [&run](const std::string& name) { run.AddFinding(KeyText(kClassesRootName, name), name, kClassesRootName); };
  // Extensions without sub-keys, with their default value (read while the key is open).
  std::vector<std::pair<std::string, std::string>> plain;
  const bool complete = ForEachEntry(run, caches.ExtensionKeys(run.Native()).Names(), [&](const std::string& name) {
    if (name.empty() || IsKeptExtension(name)) return true;
    // What the ActiveX category read of the key in this scan, else the key itself.
    auto known = facts.find(name);
    TRegistryCaches::TExtensionFacts read;
    if (known == facts.end()) {
      const TRegistryKey key(root, name);
      if (!key.Counts(read.SubKeys, read.Values)) return true;
      if (read.SubKeys == 0 && read.Values > 0) read.Default = RegText(key.Handle(), "");
    }
    const TRegistryCaches::TExtensionFacts& e = known == facts.end() ? read : known->second;
    if (e.SubKeys > 0) {
      if (e.SubKeys == 1 && HoldsOnlyEmptyOpenVerb(root, name)) report(name);
    } else {
      plain.emplace_back(name, e.Default);
      if (e.Values == 0) report(name);
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
