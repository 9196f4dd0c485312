// The two views of 64-bit Windows: file-system redirection of the system folder (a 32-bit
// process only) and the 32/64-bit registry views (named explicitly, whatever the process).
// On 32-bit Windows (as the process context tells) everything here is a no-op or a plain
// test; in a 64-bit process redirection is never switched off.
#pragma once
#include <windows.h>

#include <string>

#include "system/LibraryHandle.h"

// What a revert needs: the value Windows handed out and whether redirection was really
// switched off (reverting with a value Windows never gave is undefined).
struct TFsRedirection {
  void* OldValue = nullptr;
  bool Disabled = false;
};

// Switches redirection off for this thread on 64-bit Windows; the function is looked up
// in kernel32 at each call and skipped when absent. Returns state.Disabled.
bool DisableFsRedirection(TFsRedirection& state);

// Switches it back on when DisableFsRedirection switched it off; safe to call always.
void RevertFsRedirection(TFsRedirection& state);

// Redirection off for the lifetime of the object, always reverted. Keep the scope to one
// operation: while it is off, system DLLs cannot be loaded from the 32-bit folder.
class TFsRedirectionGuard {
 public:
  TFsRedirectionGuard() { DisableFsRedirection(state_); }
  ~TFsRedirectionGuard() { RevertFsRedirection(state_); }
  TFsRedirectionGuard(const TFsRedirectionGuard&) = delete;
  TFsRedirectionGuard& operator=(const TFsRedirectionGuard&) = delete;
  bool Disabled() const { return state_.Disabled; }

 private:
  TFsRedirection state_;
};

// The libraries that work done with redirection off loads on first use (the process list
// of the running-program checks, the painting of the window while a clean pumps
// messages), held loaded for the lifetime of the object: created before redirection goes
// off, so that their names are never looked for in the 64-bit system folder.
class TLibrariesForNoRedirection {
 private:
  TLibrary psapi_{"psapi.dll"};
  TLibrary msimg32_{"msimg32.dll"};
  TLibrary uxtheme_{"uxtheme.dll"};
};

// FileExistsStrict in the native view, else in the redirected 32-bit view.
bool FileExistsAnyView(const std::string& path);

// The folder exists in the native or in the redirected view.
bool DirExistsAnyView(const std::string& path);

// The access mask naming the view on 64-bit Windows: KEY_WOW64_64KEY when native is set,
// KEY_WOW64_32KEY otherwise, so that a 32-bit and a 64-bit build of the program open the
// same keys. On 32-bit Windows, and when access already names a view, it is unchanged.
REGSAM Wow64KeyAccess(REGSAM access, bool native);

// The sub-key path of the key in the 32-bit view, for this Windows (core::MapToWow32Path).
std::string MapToWow32Path(const std::string& rootName, const std::string& subKey, bool native);
