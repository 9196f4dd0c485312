// Keys that refuse writing, and registry links, for tests of what the program does with
// them. Each key is named by its path below root, in the 32-bit view.
#pragma once
#include <windows.h>
#include <sddl.h>

#include <string>

// The key's access list replaced by one that only lets everyone read (or by sddl), and put
// back (with full access for everyone) when the object goes, so that the test key can be
// removed.
class TReadOnlyKey {
 public:
  TReadOnlyKey(HKEY root, const std::string& path, const char* sddl = "D:(A;;KR;;;WD)") : root_(root), path_(path) {
    ok_ = SetAccess(sddl);
  }
  ~TReadOnlyKey() { SetAccess("D:(A;;KA;;;WD)"); }
  bool Ok() const { return ok_; }

 private:
  bool SetAccess(const char* sddl) const {
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr)) return false;
    HKEY key;
    bool ok = RegOpenKeyExA(root_, path_.c_str(), 0, WRITE_DAC | KEY_WOW64_32KEY, &key) == ERROR_SUCCESS;
    if (ok) {
      ok = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd) == ERROR_SUCCESS;
      RegCloseKey(key);
    }
    LocalFree(sd);
    return ok;
  }
  HKEY root_;
  std::string path_;
  bool ok_ = false;
};

// The registry's own name of a key below HKEY_CURRENT_USER: "\Registry\User\<sid>\...".
inline std::wstring CurrentUserKeyName(const std::string& path) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return std::wstring();
  char buf[256];
  DWORD size = 0;
  std::wstring name;
  if (GetTokenInformation(token, TokenUser, buf, sizeof buf, &size)) {
    wchar_t* sid = nullptr;
    if (ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buf)->User.Sid, &sid)) {
      name = std::wstring(L"\\Registry\\User\\") + sid + L"\\" + std::wstring(path.begin(), path.end());
      LocalFree(sid);
    }
  }
  CloseHandle(token);
  return name;
}

// A symbolic-link key at root\path that points at target (a registry name).
// view: 0 for the process's own, or KEY_WOW64_64KEY / KEY_WOW64_32KEY.
inline bool MakeLink(HKEY root, const std::string& path, const std::wstring& target, REGSAM view = 0) {
  HKEY link;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_CREATE_LINK | REG_OPTION_VOLATILE,
                      KEY_ALL_ACCESS | KEY_CREATE_LINK | view, nullptr, &link, nullptr) != ERROR_SUCCESS)
    return false;
  const bool ok = RegSetValueExW(link, L"SymbolicLinkValue", 0, REG_LINK, reinterpret_cast<const BYTE*>(target.data()),
                                 static_cast<DWORD>(target.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
  RegCloseKey(link);
  return ok;
}

