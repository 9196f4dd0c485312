// A registry key opened in one of the two views of 64-bit Windows. The registry
// categories only ever open keys, never create them; for them a key that cannot be
// opened, whether it is absent or access is refused, counts as absent. Callers that must
// tell the two apart (a delete: absent means already gone, refused means not cleaned) use
// Open or OpenResult, which give the Win32 code.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "system/Handles.h"

// The root key of a full root name ("HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
// "HKEY_LOCAL_MACHINE", "HKEY_USERS", compared exactly); any other name gives
// HKEY_CURRENT_CONFIG.
HKEY RegistryRootByName(const std::string& rootName);

// How deep keys may be nested in the registry; a walk deeper than this has met a loop.
const int kMaxRegistryKeyDepth = 512;

enum class TLinkAnswer : uint8_t { NotLink, Link, CannotTell };

class TRegistryKey {
 public:
  TRegistryKey() = default;
  // Opens root\path with Wow64KeyAccess(access, native); an empty path opens the root
  // itself. Reading is the default: system-owned keys refuse write access even to an
  // administrator, and a refused open would read as an absent key. On failure the object stays closed and OpenResult tells why.
  TRegistryKey(HKEY root, const std::string& path, bool native, REGSAM access = KEY_READ);
  TRegistryKey(const TRegistryKey&) = delete;
  TRegistryKey& operator=(const TRegistryKey&) = delete;

  // Closes what the object holds, then opens as the constructor does. Returns the Win32
  // code (ERROR_SUCCESS, ERROR_FILE_NOT_FOUND for an absent key, ERROR_ACCESS_DENIED...);
  // on failure the object is closed. options: 0, or REG_OPTION_OPEN_LINK to open a
  // symbolic-link key itself instead of its target.
  [[nodiscard]] LONG Open(HKEY root, const std::string& path, bool native, REGSAM access = KEY_READ,
                          DWORD options = 0);
  // Opens path below the open key parent, in parent's view (closed when parent is): the
  // key that lies there, with no redirection of its own, since the parent's view already
  // settled where the walk is. Cheaper than a path from the root for a walk over many
  // sub-keys, and cheaper than naming the view again: on 64-bit Windows the open names the
  // 64-bit view (one call to Wine's server), where naming the 32-bit view makes Wine
  // re-resolve the parent's whole path one element at a time, and no flag in a 32-bit
  // process makes it look for "Wow6432Node" below every element.
  [[nodiscard]] LONG OpenBelow(const TRegistryKey& parent, const std::string& path, REGSAM access = KEY_READ,
                               DWORD options = 0);
  // Opens path below parent as OpenBelow does; on failure the object stays closed.
  TRegistryKey(const TRegistryKey& parent, const std::string& path, REGSAM access = KEY_READ);
  // Closes the key; the object is as newly made.
  void Close() {
    key_.Reset();
    openResult_ = ERROR_INVALID_HANDLE;
  }
  // The code of the last open.
  LONG OpenResult() const { return openResult_; }

  explicit operator bool() const { return key_.Valid(); }
  HKEY Handle() const { return key_.Get(); }
  bool Native() const { return native_; }

  // Names of the sub-keys in the order the registry lists them; empty when closed. An
  // entry that cannot be read is skipped; *complete (when given) tells whether every
  // entry was read.
  std::vector<std::string> SubKeyNames(bool* complete = nullptr) const;
  // Counts of sub-keys and values (a set default value counts); 0 when closed or
  // unreadable.
  DWORD SubKeyCount() const;
  DWORD ValueCount() const;
  // Both counts; false (and both 0) when the key is closed or the query fails, for rules
  // that must not take an unreadable key for an empty one.
  bool Counts(DWORD& subKeys, DWORD& values) const;
  // Opened, with no sub-keys, and no values or only a default value.
  bool HoldsNothingButDefault() const;
  // Whether the key is a symbolic link (opened with REG_OPTION_OPEN_LINK, or it would be
  // its target). CannotTell when the key is closed or its link value could not be read
  // (access refused): a delete must not take that for "no link".
  TLinkAnswer IsLink() const;

 private:
  TRegKeyHandle key_;
  bool native_ = false;
  LONG openResult_ = ERROR_INVALID_HANDLE;
};
