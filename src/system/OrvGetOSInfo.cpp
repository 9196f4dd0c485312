#include "system/OrvGetOSInfo.h"

#include <windows.h>

#include <stdexcept>
#include <vector>

#include "core/OSVersionRules.h"
#include "system/Handles.h"

TOrvOSInfo::TOrvOSInfo(const TOrvOSInfoData& d)
    : OSName(core::OSNameFor(d.Major, d.Minor, d.ProductType)),
      MajorVersion(d.Major),
      MinorVersion(d.Minor),
      IsWow64(d.IsWow64),
      IsServer(d.VersionKnown && core::IsServerProduct(d.ProductType)),
      IEVersion(core::TrimBlanks(d.IEVersion)),
      ProgramFilesDir(d.ProgramFilesDir) {}

bool TOrvOSInfo::IsIE7OrLater() const { return core::IsIE7OrLaterText(IEVersion); }

namespace {

// From the 32-bit view on 64-bit Windows, whichever build reads it.
std::string ReadProgramFilesDir(bool wow64) {
  TRegKeyHandle key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                    wow64 ? (KEY_READ | KEY_WOW64_32KEY) : KEY_READ, key.Receive()) != ERROR_SUCCESS)
    return "";
  char buf[MAX_PATH * 2] = {};
  DWORD size = sizeof buf - 1, type = 0;
  std::string result;
  if (RegQueryValueExA(key.Get(), "ProgramFilesDir", nullptr, &type, reinterpret_cast<BYTE*>(buf),
                       &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ))
    result = buf;
  return result;
}

bool ReadVersion(OSVERSIONINFOEXA& v) {
  ZeroMemory(&v, sizeof v);
  v.dwOSVersionInfoSize = sizeof v;
  return GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&v)) != FALSE;
}

// Looked up at run time: Windows 2000 has no IsWow64Process. What the flag decides is
// whether the system has two views, so a 64-bit process (which only runs on a 64-bit
// system) reports true.
bool ReadIsWow64() {
  if (sizeof(void*) == 8) return true;
  typedef BOOL(WINAPI * IsWow64ProcessFn)(HANDLE, PBOOL);
  HMODULE kernel = GetModuleHandleA("kernel32");
  IsWow64ProcessFn fn = ProcAddress<IsWow64ProcessFn>(kernel, "IsWow64Process");
  if (!fn) return false;
  BOOL wow = FALSE;
  if (!fn(GetCurrentProcess(), &wow)) throw std::runtime_error("Marvolent get Wow64 information error!");
  return wow != FALSE;
}

bool ReadVersionResource(const std::string& path, std::vector<char>& block) {
  if (path.empty()) return false;
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  if (size == 0) return false;
  block.assign(size, 0);
  return GetFileVersionInfoA(path.c_str(), 0, size, block.data()) != FALSE;
}

}  // namespace

std::unique_ptr<TOrvOSInfo> TOrvOSInfo::Create() {
  TOrvOSInfoData d;
  d.IsWow64 = ReadIsWow64();
  d.ProgramFilesDir = ReadProgramFilesDir(d.IsWow64);
  OSVERSIONINFOEXA v;
  if (ReadVersion(v)) {
    d.VersionKnown = true;
    d.Major = static_cast<int>(v.dwMajorVersion);
    d.Minor = static_cast<int>(v.dwMinorVersion);
    d.ProductType = v.wProductType;
    // The Vista/2008 choice reads the product type once more, as it always has.
    if (d.Major == 6 && d.Minor == 0) {
      OSVERSIONINFOEXA again;
      d.ProductType = ReadVersion(again) ? again.wProductType : 0;
    }
  }
  d.IEVersion = GetFileVersionValue(IEExePathFor(d.ProgramFilesDir), "FileVersion");
  return std::unique_ptr<TOrvOSInfo>(new TOrvOSInfo(d));
}

std::string GetFileVersionValue(const std::string& path, const std::string& valueName) {
  std::string result;
  std::vector<char> block;
  if (ReadVersionResource(path, block)) {
    WORD* translation = nullptr;
    UINT len = 0;
    bool hasTranslation =
        VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                       reinterpret_cast<void**>(&translation), &len) &&
        translation && len >= 4;
    std::string query = core::VersionValueQuery(hasTranslation, hasTranslation ? translation[0] : 0,
                                                hasTranslation ? translation[1] : 0, valueName);
    char* text = nullptr;
    if (VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &len) &&
        text && len > 0)
      result.assign(text, strnlen(text, len));
  }
  if (result.empty() && valueName == "FileVersion") return GetFileVersionNumbers(path);
  return result;
}

std::string GetFileVersionNumbers(const std::string& path) {
  std::vector<char> block;
  if (!ReadVersionResource(path, block)) return "";
  VS_FIXEDFILEINFO* info = nullptr;
  UINT len = 0;
  if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &len) || !info ||
      len < sizeof(VS_FIXEDFILEINFO))
    return "";
  return core::FormatFileVersionNumbers(info->dwFileVersionMS, info->dwFileVersionLS);
}

std::string IEExePathFor(const std::string& programFilesDir) {
  return programFilesDir + "\\Internet Explorer\\IExplore.exe";
}
