// A Unix symbolic link to a folder, made from inside a test under Wine: the stand-in for a
// junction (Wine's CreateSymbolicLinkW makes nothing).
#pragma once
#include <windows.h>

#include <algorithm>
#include <string>

#include "system/WideText.h"

// Starts a Unix program (Wine starts ELF files like Windows ones), named in Wine's Unix
// namespace since no drive of the bench's prefixes reaches /bin. Its handle cannot be
// waited for, so callers poll for the program's effect.
inline void StartUnix(std::string program, const std::string& arguments) {
  std::replace(program.begin(), program.end(), '/', '\\');
  std::string cmd = "\"\\\\?\\unix" + program + "\" " + arguments;
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
  // For a Unix program Wine hands out no process handle and leaves the thread handle
  // undefined: closing it could close a handle of this process that happens to match.
  if (!pi.hProcess) return;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

template <typename Done>
inline void WaitUntil(Done done) {
  for (DWORD start = GetTickCount(); !done() && GetTickCount() - start < 10000;) Sleep(20);
}

// A Unix symbolic link to a folder, which Wine shows as a folder with the reparse-point
// attribute: the stand-in for a junction (Wine's CreateSymbolicLinkW makes nothing).
class TUnixFolderLink {
 public:
  TUnixFolderLink(const std::string& target, const std::string& parent, const std::string& name)
      : path_(parent + "\\" + name) {
    typedef char*(CDECL * UnixNameFn)(LPCWSTR);
    auto unixName = reinterpret_cast<UnixNameFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    if (!unixName) return;
    std::string unixTarget = Take(unixName(WideFromGbk(target).c_str()));
    std::string unixParent = Take(unixName(WideFromGbk(parent).c_str()));
    if (unixTarget.empty() || unixParent.empty()) return;
    unixLink_ = unixParent + "/" + name;
    StartUnix("/bin/ln", "-s \"" + unixTarget + "\" \"" + unixLink_ + "\"");
    WaitUntil([this] { return GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES; });
  }
  ~TUnixFolderLink() {
    if (unixLink_.empty()) return;
    StartUnix("/bin/rm", "-f \"" + unixLink_ + "\"");
    WaitUntil([this] { return GetFileAttributesA(path_.c_str()) == INVALID_FILE_ATTRIBUTES; });
  }
  // The link exists and shows as a reparse point.
  bool Made() const {
    DWORD attributes = GetFileAttributesA(path_.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

 private:
  static std::string Take(char* text) {
    std::string s = text ? text : "";
    if (text) HeapFree(GetProcessHeap(), 0, text);
    return s;
  }
  std::string path_;
  std::string unixLink_;
};

