// Does a file exist: the tests that decide whether a trace or a registry entry points at
// something real. Every test except FileExistsStrict looks into both file-system views
// of 64-bit Windows (see ToolsViews.h). Nothing here shows a message or throws.
#pragma once
#include <cstdint>
#include <string>

// True for an existing file; false for a folder, a pattern or nothing. When the
// attributes cannot be read for a reason other than "not found" (access denied, sharing
// violation), the folder listing decides.
bool FileExistsStrict(const std::string& path);

// A bare name (no backslash) is looked for in each non-empty folder of PathDirs, in
// order, never in the current folder; any other name, or every name while PathDirs is
// empty, is tested as it stands. Both views.
bool FileExistsInPathDirs(const std::string& name);

// FileExistsInPathDirs; a name without extension is tried with ".exe", ".com", ".bat"
// and ".cmd" in turn.
bool FileExistsOnPath(const std::string& name);

// The trimmed path exists in either view and is not scheduled for deletion at restart
// (PendingDeleteFiles, any letter case).
bool IsLiveFile(const std::string& path);
// IsLiveFile of a file its folder's listing has just shown: the listing is the proof that
// it exists, so only the restart list is consulted (no file-system call per entry).
bool IsListedFileLive(const std::string& path);

// Size in bytes of the file (native view); 0 when it is not found.
int64_t GetFileSize64(const std::string& path);
