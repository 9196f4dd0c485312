// How a command line, a resource reference or a COM server entry names its executable:
// the rules the invalid-entry checks use to decide which file must exist.
#pragma once
#include <string>

namespace core {

// The executable or module path at the start of a command line: trimmed, quotes
// removed, doubled backslashes collapsed, cut after the first ".exe " and before the first
// " /", " -", " %", " ,", "," that follows a three-letter extension.
std::string ExtractExePath(const std::string& commandLine);

// The folders a leading variable may stand for (no trailing backslashes).
struct TPathVariableFolders {
  std::string ProgFilesDir;      // 32-bit programs on 64-bit Windows
  std::string ProgFiles64Dir;
  std::string CommonFilesDir;
  std::string CommonFiles64Dir;
  std::string WindowsDir;
};

// One leading "@" dropped, then the folder variable at the very start (any letter case)
// replaced: "%programfiles%", "%programfiles(x86)%", "%systemroot%",
// "%commonprogramfiles%", "%windir%". native64 (the 64-bit view asked for on 64-bit
// Windows) picks the 64-bit program folders. Variables elsewhere stay as they are.
std::string ReplaceLeadingPathVariable(const std::string& text, bool native64,
                                       const TPathVariableFolders& folders);

// ExtractExePath of ReplaceLeadingPathVariable.
std::string ExpandPathVariables(const std::string& text, bool native64,
                                const TPathVariableFolders& folders);

// A LocalServer32 command as a ProgID's server path: trimmed, lower-cased, and cut
// before "/automation" (the switch COM adds for automation servers), trimmed again.
std::string LocalServerPath(const std::string& expandedCommand);

}  // namespace core
