#include "system/TargetPresence.h"

#include <windows.h>

#include "core/GbkText.h"
#include "system/ToolsFiles.h"
#include "system/ToolsViews.h"

namespace {

bool OnUndecidableDrive(const std::string& path) {
  if (path.size() < 2 || path[1] != ':') return false;
  const char letter = static_cast<char>(path[0] & ~0x20);
  if (letter < 'A' || letter > 'Z') return false;
  const char root[] = {letter, ':', '\\', '\0'};
  switch (GetDriveTypeA(root)) {
    case DRIVE_FIXED:
    case DRIVE_NO_ROOT_DIR:  // no such drive: nothing can be there
      return false;
    default:  // removable, optical, network, RAM disk, unknown
      return true;
  }
}

// The last lookup failed because nothing is there, not because it could not look.
bool NotFound(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME ||
         error == ERROR_INVALID_DRIVE || error == ERROR_BAD_PATHNAME || error == ERROR_DIRECTORY;
}

// Asked after a test said "absent": does the file system say so too?
bool ReportsAbsent(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;  // there, but of the other kind
  return NotFound(GetLastError());
}

template <typename Test>
bool Present(const std::string& path, Test test) {
  if (test(path)) return true;
  return !CanDecideMissing(path) || !ReportsAbsent(path);
}

// A bare name is looked for in the computer's own PATH folders, which are decidable.
bool NamesFolder(const std::string& name) { return core::FindCharGbk(name, '\\') != std::string::npos; }

}  // namespace

bool CanDecideMissing(const std::string& path) {
  if (path.size() >= MAX_PATH) return false;
  if (path.size() >= 2 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/'))
    return false;
  if (core::FindCharGbk(path, '?') != std::string::npos) return false;
  return !OnUndecidableDrive(path);
}

bool TargetFileExists(const std::string& path) { return Present(path, FileExistsAnyView); }

bool TargetDirExists(const std::string& path) { return Present(path, DirExistsAnyView); }

bool TargetFileExistsStrict(const std::string& path) { return Present(path, FileExistsStrict); }

bool TargetInPathDirs(const std::string& name) {
  if (FileExistsInPathDirs(name)) return true;
  return NamesFolder(name) && (!CanDecideMissing(name) || !ReportsAbsent(name));
}

bool TargetOnPath(const std::string& name) {
  if (FileExistsOnPath(name)) return true;
  return NamesFolder(name) && (!CanDecideMissing(name) || !ReportsAbsent(name));
}
