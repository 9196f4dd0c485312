#include "registry/RegistryDelete.h"

#include <windows.h>
#include <shlwapi.h>

#include <memory>

#include "items/ResultRows.h"
#include "core/RegistryKeyPath.h"
#include "system/AppContext.h"
#include "system/LibraryHandle.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"
#include "system/ToolsViews.h"

namespace {

typedef LONG(WINAPI* RegDeleteKeyExFn)(HKEY, LPCSTR, REGSAM, DWORD);
typedef LONG(NTAPI* NtDeleteKeyFn)(HANDLE);

// A delete that finds nothing there: the entry is already gone.
bool GoneOrDeleted(LONG result) { return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND; }

// Deletes keys in one view. On 64-bit Windows both views go through RegDeleteKeyExA with
// the view's flag, so that a 32-bit and a 64-bit build delete the same key; elsewhere the
// ordinary delete, which has one view. A symbolic-link key is deleted as itself: its
// target, which may be any key of the registry, is never entered or touched.
class TKeyDeleter {
 public:
  TKeyDeleter(HKEY root, bool native, RegDeleteKeyExFn deleteEx, NtDeleteKeyFn deleteHandle)
      : root_(root), native_(native), deleteEx_(deleteEx), deleteHandle_(deleteHandle) {}

  // The key with everything below it; true when it is gone. A sub-key that will not go is
  // left in place (and then so is the key). A link below the key goes as a link; the key
  // itself, when it is a link, stays: such links are the system's own plumbing (the keys
  // both views share), which no backup can bring back.
  bool DeleteTree(const std::string& path, bool top = true) const {
    TRegistryKey key;
    const LONG opened = key.Open(root_, path, native_, KEY_READ | DELETE, REG_OPTION_OPEN_LINK);
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    // A key that cannot be looked at may be a link: a delete by name would follow it.
    if (opened != ERROR_SUCCESS) return false;
    switch (key.IsLink()) {
      case TLinkAnswer::Link: return !top && DeleteLink(key.Handle());
      case TLinkAnswer::CannotTell: return false;  // entering it might follow a link
      case TLinkAnswer::NotLink: break;
    }
    // Names first: the listing is not disturbed by its own removals.
    for (const std::string& name : key.SubKeyNames()) DeleteTree(core::JoinKeyPath(path, name), false);
    return GoneOrDeleted(DeleteEmptyKey(path));
  }

 private:
  // Only the handle of the link itself reaches the link: a delete by name would follow it.
  bool DeleteLink(HKEY link) const { return deleteHandle_ && deleteHandle_(link) == 0; }

  LONG DeleteEmptyKey(const std::string& path) const {
    return deleteEx_ ? deleteEx_(root_, path.c_str(), Wow64KeyAccess(0, native_), 0)
                     : RegDeleteKeyA(root_, path.c_str());
  }

  HKEY root_;
  bool native_;
  RegDeleteKeyExFn deleteEx_;
  NtDeleteKeyFn deleteHandle_;
};

// Only "not there" means already gone; a key that refuses (access denied) is not cleaned.
bool DeleteValue(HKEY root, const std::string& path, bool native, const std::string& valueName) {
  TRegistryKey key;
  const LONG opened = key.Open(root, path, native, KEY_QUERY_VALUE | KEY_SET_VALUE);
  if (opened == ERROR_FILE_NOT_FOUND) return true;
  if (opened != ERROR_SUCCESS) return false;
  if (valueName == core::kDefaultValueName) {
    // Emptied, not deleted: the key keeps a default value with an empty text.
    return RegSetValueExA(key.Handle(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1) == ERROR_SUCCESS;
  }
  return GoneOrDeleted(RegDeleteValueA(key.Handle(), valueName.c_str()));
}

}  // namespace

bool DeleteRegistryFinding(const std::string& rootName, const std::string& keyPath, const std::string& viewMark,
                           const std::string& valueName) {
  if (rootName.empty() || keyPath.empty()) return true;
  const bool native = viewMark == kKindView64;
  // Windows with one view has no key of the 64-bit view: a delete in its only view would
  // take another key than the finding named.
  if (native && !AppContext().IsWow64()) return false;
  // Looked up before anything is touched, so that a system without it keeps the entry
  // whole; the library stays loaded while the pointer is used.
  std::unique_ptr<TLibrary> advapi;
  RegDeleteKeyExFn deleteEx = nullptr;
  if (AppContext().IsWow64()) {
    advapi.reset(new TLibrary("advapi32.dll"));
    deleteEx = advapi->Proc<RegDeleteKeyExFn>("RegDeleteKeyExA");
    // Without it the default view is still the 32-bit one for a 32-bit process.
    if (!deleteEx && (native || sizeof(void*) == 8)) return false;
  }
  const HKEY root = RegistryRootByName(rootName);
  if (!valueName.empty()) return DeleteValue(root, keyPath, native, valueName);
  // Windows NT 4: the whole tree in one recursive delete (it has no registry links).
  if (AppContext().MajorVersion() == 4) return GoneOrDeleted(SHDeleteKeyA(root, keyPath.c_str()));
  TLibrary ntdll("ntdll.dll");
  return TKeyDeleter(root, native, deleteEx, ntdll.Proc<NtDeleteKeyFn>("NtDeleteKey")).DeleteTree(keyPath);
}

void RemoveRegistryFindings(TRemoval& removal) {
  for (const Column4TreeData* f : removal.Findings)
    removal.Outcomes.push_back(TRemoveOutcome::Of(DeleteRegistryFinding(f->Root, f->Path, f->Kind, f->Name)));
}

TRemovers RegistryRemovers() {
  return {{{true, ""}, RemoveRegistryFindings}, {{true, kKindView64}, RemoveRegistryFindings}};
}
