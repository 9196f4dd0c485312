#include "registry/RegistryDelete.h"

#include <windows.h>
#include <shlwapi.h>

#include <memory>

#include "core/RegistryKeyPath.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"
#include "system/AppContext.h"
#include "system/LibraryHandle.h"
#include "system/ToolsViews.h"

namespace {

typedef LONG(WINAPI* RegDeleteKeyExFn)(HKEY, LPCSTR, REGSAM, DWORD);

// Deletes keys in one view. On 64-bit Windows both views go through RegDeleteKeyExA with
// the view's flag, so that a 32-bit and a 64-bit build delete the same key; elsewhere the
// ordinary delete, which has one view.
class TKeyDeleter {
 public:
  TKeyDeleter(HKEY root, bool native, RegDeleteKeyExFn deleteEx)
      : root_(root), native_(native), deleteEx_(deleteEx) {}

  bool Native() const { return native_; }

  bool Delete(const std::string& path) const {
    LONG result = deleteEx_ ? deleteEx_(root_, path.c_str(), Wow64KeyAccess(0, native_), 0)
                            : RegDeleteKeyA(root_, path.c_str());
    return result == ERROR_SUCCESS;
  }

  // The sub-keys of path, depth first, each in the order the registry listed them before
  // any was deleted; one that will not go is left in place.
  void DeleteSubKeys(const std::string& path) const {
    for (const std::string& name : TRegistryKey(root_, path, Native()).SubKeyNames()) {
      const std::string child = core::JoinKeyPath(path, name);
      if (TRegistryKey(root_, child, Native()).SubKeyCount() > 0) DeleteSubKeys(child);
      Delete(child);
    }
  }

 private:
  HKEY root_;
  bool native_;
  RegDeleteKeyExFn deleteEx_;
};

bool DeleteWholeKey(const TKeyDeleter& deleter, HKEY root, const std::string& path) {
  // Windows NT 4: the whole tree in one recursive delete.
  if (AppContext().MajorVersion() == 4) return SHDeleteKeyA(root, path.c_str()) == ERROR_SUCCESS;
  if (TRegistryKey(root, path, deleter.Native()).SubKeyCount() > 0) deleter.DeleteSubKeys(path);
  return deleter.Delete(path);
}

bool DeleteValue(HKEY root, const std::string& path, bool native, const std::string& valueName) {
  TRegistryKey key(root, path, native);
  if (!key) return true;
  if (valueName == core::kDefaultValueName) {
    // Emptied, not deleted: the key keeps a default value with an empty text.
    RegSetValueExA(key.Handle(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    return true;
  }
  if (!RegValueExists(key.Handle(), valueName)) return true;
  return RegDeleteValueA(key.Handle(), valueName.c_str()) == ERROR_SUCCESS;
}

}  // namespace

bool DeleteRegistryFinding(const std::string& rootName, const std::string& keyPath, const std::string& viewMark,
                           const std::string& valueName) {
  if (rootName.empty() || keyPath.empty()) return true;
  const bool native = viewMark == "x64";
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
  if (valueName.empty()) return DeleteWholeKey(TKeyDeleter(root, native, deleteEx), root, keyPath);
  return DeleteValue(root, keyPath, native, valueName);
}
