#include "registry/RegistryCaches.h"

#include "core/GbkText.h"
#include "core/RegistryKeyPath.h"
#include "system/RegistryKey.h"
#include "system/AppContext.h"
#include "system/TargetPresence.h"

namespace {

// Read access suffices for a listing: a key that refuses full access must not turn into
// an empty list, which would make every class look missing.
void ReadNames(const TRegistryKey& key, core::TNameList& list) {
  list.Clear();
  for (const std::string& name : key.SubKeyNames()) list.Add(name);
}

}  // namespace

TRegistryCaches::TRegistryCaches(HKEY classesRoot, std::string classesPath)
    : classesRoot_(classesRoot), classesPath_(std::move(classesPath)) {}

void TRegistryCaches::ClearScanLists() {
  for (int view = 0; view < 2; ++view) {
    clsid_[view].Clear();
    classKeys_[view].Clear();
    extensions_[view].Clear();
    classKeysLoaded_[view] = false;
    roots_[view].Close();
    ExtensionFacts[view].clear();
    rootOpened_[view] = false;
  }
  clsidLoaded_ = false;
  files_.clear();
}

bool TRegistryCaches::FileExists(const std::string& path) {
  const std::string folded = core::LowerGbk(path);
  auto known = files_.find(folded);
  if (known != files_.end()) return known->second;
  const bool exists = TargetFileExists(path);
  files_.emplace(folded, exists);
  return exists;
}

const TRegistryKey& TRegistryCaches::ClassesRoot(bool native) {
  if (!rootOpened_[native]) (void)roots_[native].Open(classesRoot_, classesPath_, native, KEY_READ);
  rootOpened_[native] = true;
  return roots_[native];
}

void TRegistryCaches::LoadClsidLists() {
  // By path in each view: "CLSID" is one of the keys the 32-bit view redirects.
  const std::string clsid = core::JoinKeyPath(classesPath_, "CLSID");
  clsid_[1].Clear();
  if (AppContext().IsWow64()) ReadNames(TRegistryKey(classesRoot_, clsid, true), clsid_[1]);
  ReadNames(TRegistryKey(classesRoot_, clsid, false), clsid_[0]);
  clsidLoaded_ = true;
}

void TRegistryCaches::LoadClassKeyLists(bool native) {
  ReadNames(ClassesRoot(native), classKeys_[native]);
  extensions_[native].Clear();
  for (const std::string& name : classKeys_[native].Names())
    if (!name.empty() && name[0] == '.') extensions_[native].Add(name);
  classKeysLoaded_[native] = true;
}

void TRegistryCaches::EnsureClsidLists() {
  if (!clsidLoaded_) LoadClsidLists();
}

void TRegistryCaches::EnsureClassKeyLists(bool native) {
  if (!classKeysLoaded_[native]) LoadClassKeyLists(native);
}

void TRegistryCaches::ClearBrokenClasses() {
  BrokenClasses.clear();
  BrokenShellClasses.clear();
}

TRegistryCaches& RegistryCaches() {
  static TRegistryCaches caches;
  return caches;
}

void ClearRegistryScanLists() { RegistryCaches().ClearScanLists(); }

void LoadClsidLists() { RegistryCaches().LoadClsidLists(); }

void LoadClassKeyLists(bool native) { RegistryCaches().LoadClassKeyLists(native); }
