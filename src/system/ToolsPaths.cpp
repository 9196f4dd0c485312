#include "system/ToolsPaths.h"

#include <windows.h>

#include <vector>

#include "system/AppContext.h"

std::string EnvironmentValue(const std::string& name) {
  const DWORD needed = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
  if (needed == 0) return std::string();
  std::vector<char> buf(needed + 1);
  const DWORD n = GetEnvironmentVariableA(name.c_str(), buf.data(), needed + 1);
  return (n == 0 || n > needed) ? std::string() : std::string(buf.data(), n);
}

std::string ExpandEnvVars(const std::string& text) {
  // 260 bytes hold every path; a longer expansion gets the size it asks for rather than
  // being cut.
  std::vector<char> buf(260);
  for (int attempt = 0; attempt < 2; ++attempt) {
    DWORD needed = ExpandEnvironmentStringsA(text.c_str(), buf.data(), static_cast<DWORD>(buf.size()));
    if (needed == 0) return text;
    if (needed <= buf.size()) return std::string(buf.data());
    buf.assign(needed + 1, '\0');
  }
  return text;
}

namespace {

core::TPathVariableFolders ContextFolders(const TAppContext& ctx) {
  core::TPathVariableFolders folders;
  folders.ProgFilesDir = ctx.ProgFilesDir;
  folders.ProgFiles64Dir = ctx.ProgFiles64Dir;
  folders.CommonFilesDir = ctx.CommonFilesDir;
  folders.CommonFiles64Dir = ctx.CommonFiles64Dir;
  folders.WindowsDir = ctx.WindowsDir;
  return folders;
}

}  // namespace

std::string ReplaceLeadingPathVariable(const std::string& text, bool native) {
  const TAppContext& ctx = AppContext();
  return core::ReplaceLeadingPathVariable(text, native && ctx.IsWow64(), ContextFolders(ctx));
}

std::string ExpandPathVariables(const std::string& text, bool native) {
  const TAppContext& ctx = AppContext();
  return core::ExpandPathVariables(text, native && ctx.IsWow64(), ContextFolders(ctx));
}
