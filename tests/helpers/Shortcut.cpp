#include "helpers/Shortcut.h"

#include <windows.h>
#include <shlobj.h>

bool MakeShortcut(const std::wstring& lnk, const std::wstring& target) {
  CoInitialize(nullptr);
  bool saved = false;
  IShellLinkW* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->SetPath(target.c_str())) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      saved = SUCCEEDED(file->Save(lnk.c_str(), TRUE));
      file->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return saved;
}
