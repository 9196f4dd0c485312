#include "system/FolderValues.h"

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "core/PathText.h"
#include "system/AppContext.h"
#include "system/ToolsPaths.h"
#include "system/ToolsShell.h"

namespace {

// Readers that fill a buffer of 261 bytes and return the length, 0 on failure.
template <typename Reader>
std::string ReadFolder(Reader read) {
  char buf[262] = {};
  UINT n = read(buf, 261);
  return (n == 0 || n > 261) ? std::string() : std::string(buf);
}

std::string ExecutableFolder() {
  char path[MAX_PATH + 1] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return (n == 0 || n >= MAX_PATH) ? std::string() : core::ExtractFileDir(path);
}

// A 64-bit build sees the program folders as the 32-bit program does under WOW64: the
// 32-bit Program Files, in the special folders and in the environment that expands
// "%ProgramFiles%" (WOW64 gives a 32-bit process exactly that environment).
const bool kSixtyFourBitProcess = sizeof(void*) == 8;

void UseWow64ProgramFolderVariables() {
  static const char* const kVariables[][2] = {{"ProgramFiles", "ProgramFiles(x86)"},
                                              {"CommonProgramFiles", "CommonProgramFiles(x86)"}};
  for (const auto& v : kVariables) {
    const std::string x86 = EnvironmentValue(v[1]);
    if (!x86.empty()) SetEnvironmentVariableA(v[0], x86.c_str());
  }
}

}  // namespace

bool FillFolderValues(TAppContext& ctx) {
  if (kSixtyFourBitProcess) UseWow64ProgramFolderVariables();
  ctx.WindowsDir = ReadFolder([](char* b, UINT n) { return GetWindowsDirectoryA(b, n); });
  ctx.SystemDir = ReadFolder([](char* b, UINT n) { return GetSystemDirectoryA(b, n); });
  ctx.TempDir = ReadFolder([](char* b, UINT n) { return static_cast<UINT>(GetTempPathA(n, b)); });

  ctx.DesktopWindow = GetDesktopWindow();
  ctx.ProgFilesDir =
      GetSpecialFolder(kSixtyFourBitProcess ? CSIDL_PROGRAM_FILESX86 : CSIDL_PROGRAM_FILES, ctx.DesktopWindow);
  ctx.CommonFilesDir = GetSpecialFolder(
      kSixtyFourBitProcess ? CSIDL_PROGRAM_FILES_COMMONX86 : CSIDL_PROGRAM_FILES_COMMON, ctx.DesktopWindow);
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
