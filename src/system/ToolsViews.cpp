#include "system/ToolsViews.h"

#include "core/RegistryViewRules.h"
#include "system/AppContext.h"
#include "system/ToolsFiles.h"

namespace {

typedef BOOL(WINAPI* Wow64DisableFn)(PVOID*);
typedef BOOL(WINAPI* Wow64RevertFn)(PVOID);

// Windows 2000 and 32-bit XP lack these exports.
template <typename Fn>
Fn Kernel32Proc(const char* name) {
  HMODULE kernel = GetModuleHandleA("kernel32");
  return kernel ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(kernel, name)))
                : nullptr;
}

bool DirExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The test in the native view first (the view a 64-bit program would see), then in the
// redirected one; one plain test on 32-bit Windows.
template <typename Test>
bool InAnyView(const std::string& path, Test test) {
  {
    TFsRedirectionGuard native;
    // Without redirection (32-bit Windows, a 64-bit process) there is one view.
    if (!native.Disabled()) return test(path);
    if (test(path)) return true;
  }
  return test(path);
}

}  // namespace

bool DisableFsRedirection(TFsRedirection& state) {
  state.Disabled = false;
  // Only a 32-bit process is redirected; a 64-bit one always sees the native view.
  if (sizeof(void*) == 8 || !AppContext().IsWow64()) return false;
  if (Wow64DisableFn disable = Kernel32Proc<Wow64DisableFn>("Wow64DisableWow64FsRedirection"))
    state.Disabled = disable(&state.OldValue) != FALSE;
  return state.Disabled;
}

void RevertFsRedirection(TFsRedirection& state) {
  if (!state.Disabled) return;
  if (Wow64RevertFn revert = Kernel32Proc<Wow64RevertFn>("Wow64RevertWow64FsRedirection"))
    revert(state.OldValue);
  state.Disabled = false;
}

bool FileExistsAnyView(const std::string& path) { return InAnyView(path, FileExistsStrict); }

bool DirExistsAnyView(const std::string& path) { return InAnyView(path, DirExists); }

REGSAM Wow64KeyAccess(REGSAM access, bool native) {
  if (!AppContext().IsWow64() || (access & (KEY_WOW64_64KEY | KEY_WOW64_32KEY))) return access;
  return access | (native ? KEY_WOW64_64KEY : KEY_WOW64_32KEY);
}

std::string MapToWow32Path(const std::string& rootName, const std::string& subKey, bool native) {
  return core::MapToWow32Path(rootName, subKey, native, AppContext().IsWow64());
}
