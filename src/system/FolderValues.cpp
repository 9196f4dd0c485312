#include "system/FolderValues.h"

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "core/PathText.h"
#include "system/AppContext.h"
#include "system/ToolsShell.h"

namespace {

// Readers that fill a buffer of 261 bytes and return the length, 0 on failure.
template <typename Reader>
std::string ReadFolder(Reader read) {
  char buf[262] = {};
  UINT n = read(buf, 261);
  return (n == 0 || n > 261) ? std::string() : std::string(buf);
}

std::string EnvironmentValue(const char* name) {
  DWORD needed = GetEnvironmentVariableA(name, nullptr, 0);
  if (needed == 0) return std::string();
  std::vector<char> buf(needed + 1);
  DWORD n = GetEnvironmentVariableA(name, buf.data(), needed + 1);
  return (n == 0 || n > needed) ? std::string() : std::string(buf.data(), n);
}

std::string ExecutableFolder() {
  char path[MAX_PATH + 1] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return (n == 0 || n >= MAX_PATH) ? std::string() : core::ExtractFileDir(path);
}

}  // namespace

bool FillFolderValues(TAppContext& ctx) {
  ctx.WindowsDir = ReadFolder([](char* b, UINT n) { return GetWindowsDirectoryA(b, n); });
  ctx.SystemDir = ReadFolder([](char* b, UINT n) { return GetSystemDirectoryA(b, n); });
  ctx.TempDir = ReadFolder([](char* b, UINT n) { return static_cast<UINT>(GetTempPathA(n, b)); });

  ctx.DesktopWindow = GetDesktopWindow();
  ctx.ProgFilesDir = GetSpecialFolder(CSIDL_PROGRAM_FILES, ctx.DesktopWindow);
  ctx.CommonFilesDir = GetSpecialFolder(CSIDL_PROGRAM_FILES_COMMON, ctx.DesktopWindow);
  ctx.AppDataDir = GetSpecialFolder(CSIDL_APPDATA, ctx.DesktopWindow);
  ctx.UserProfileDir = GetSpecialFolder(CSIDL_PROFILE, ctx.DesktopWindow);
  ctx.ProgFiles64Dir = ctx.IsWow64() ? EnvironmentValue("ProgramW6432") : std::string();
  ctx.CommonFiles64Dir = ctx.IsWow64() ? EnvironmentValue("CommonProgramW6432") : std::string();

  ctx.ProgramDir = ExecutableFolder();
  // Without the program's folder the backups would land in the current folder.
  ctx.RegBakDir = ctx.ProgramDir.empty() ? std::string() : ctx.ProgramDir + "RegBak";
  ctx.RegRestoreDir = ctx.ProgramDir.empty() ? std::string() : ctx.ProgramDir + "RegRestore";

  ctx.PathDirs = core::SplitPathList(EnvironmentValue("PATH"));
  return !ctx.WindowsDir.empty() && !ctx.SystemDir.empty() && !ctx.TempDir.empty();
}
