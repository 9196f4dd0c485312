#include "system/FileReplace.h"

#include <windows.h>

bool ReplaceKeepingAttributes(const std::string& copy, const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  const bool known = attributes != INVALID_FILE_ATTRIBUTES;
  const bool readOnly = known && (attributes & FILE_ATTRIBUTE_READONLY);
  if (readOnly) SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  if (!MoveFileExA(copy.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    if (readOnly) SetFileAttributesA(path.c_str(), attributes);
    return false;
  }
  if (known) SetFileAttributesA(path.c_str(), attributes);
  return true;
}
