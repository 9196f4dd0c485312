#include "system/ToolsShell.h"

#include <windows.h>
#include <shlobj.h>

#include "core/PathText.h"
#include "system/AppContext.h"
#include "system/ComApartment.h"
#include "system/ToolsPaths.h"

namespace {

// Paths that came from the system's narrow calls are in its ANSI code page.
std::wstring WideFromAnsi(const std::string& text) {
  int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(n > 0 ? n : 1, L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], n);
  wide.resize(wcslen(wide.c_str()));
  return wide;
}

// Back to the narrow calls' code page; a character it lacks becomes "?", which no path
// holds, so such a target is never taken for missing.
std::string AnsiFromWide(const wchar_t* text) {
  int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string narrow(n, '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, &narrow[0], n, nullptr, nullptr);
  narrow.resize(n - 1);
  return narrow;
}

// Item lists come from the shell's allocator, which CoTaskMemFree releases.
class TItemList {
 public:
  TItemList() = default;
  ~TItemList() {
    if (pidl_) CoTaskMemFree(pidl_);
  }
  TItemList(const TItemList&) = delete;
  TItemList& operator=(const TItemList&) = delete;
  LPITEMIDLIST* Out() { return &pidl_; }
  std::string Path() const {
    char buf[MAX_PATH + 1] = {};
    return (pidl_ && SHGetPathFromIDListA(pidl_, buf)) ? std::string(buf) : std::string();
  }

 private:
  LPITEMIDLIST pidl_ = nullptr;
};

template <typename T>
class TComPtr {
 public:
  TComPtr() = default;
  ~TComPtr() {
    if (p_) p_->Release();
  }
  TComPtr(const TComPtr&) = delete;
  TComPtr& operator=(const TComPtr&) = delete;
  T* operator->() const { return p_; }
  T* get() const { return p_; }
  void** Out() { return reinterpret_cast<void**>(&p_); }

 private:
  T* p_ = nullptr;
};

}  // namespace

std::string GetSpecialFolder(int id, void* ownerWindow) {
  if (id == kSpecialFolderLocalLow) {
    // Unset, the variable would stay in the text as a relative folder.
    const std::string profile = ExpandEnvVars("%USERPROFILE%");
    return core::IsFullPath(profile) ? core::IncludeTrailingBackslash(profile) + "AppData\\LocalLow" : std::string();
  }
  TItemList pidl;
  if (FAILED(SHGetSpecialFolderLocation(static_cast<HWND>(ownerWindow), id, pidl.Out())))
    return std::string();
  return pidl.Path();
}

std::string GetSpecialFolder(int id) { return GetSpecialFolder(id, AppContext().DesktopWindow); }

std::string GetShellLongPath(const std::string& path) {
  if (path.empty()) return std::string();
  char full[MAX_PATH + 1] = {};
  DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  if (n == 0 || n >= MAX_PATH) return std::string();
  TComApartment com;
  TComPtr<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(reinterpret_cast<IShellFolder**>(desktop.Out()))) || !desktop.get())
    return std::string();
  std::wstring wide = WideFromAnsi(full);
  TItemList pidl;
  ULONG eaten = 0;
  if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, &wide[0], &eaten, pidl.Out(), nullptr)))
    return std::string();
  return pidl.Path();
}

std::string ResolveShortcut(const std::string& path) {
  TComApartment com;
  // The wide interface: the narrow one answers "?" for every character of the target that
  // the code page lacks, and such a target would look missing.
  TComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              link.Out())) || !link.get())
    return kNoShortcutTarget;
  wchar_t target[MAX_PATH + 1] = {};
  TComPtr<IPersistFile> file;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Out())) && file.get()) {
    std::wstring wide = WideFromAnsi(path);
    if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) {
      WIN32_FIND_DATAW data = {};
      if (FAILED(link->GetPath(target, MAX_PATH, &data, SLGP_UNCPRIORITY))) target[0] = L'\0';
    }
  }
  const std::string result = AnsiFromWide(target);
  return result.size() < 4 ? std::string(kNoShortcutTarget) : result;
}
