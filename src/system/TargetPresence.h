// Whether a file or folder that a registry entry names is still there, for checks that
// report the entry when it is not. A check may only call a target missing when it can
// tell: a target on a removable, optical, network or RAM drive, or given as a UNC path,
// may be on a medium that is simply out; one whose folder refuses access, whose path is
// too long for the narrow calls, or that holds characters code page 936 could not carry
// ("?") cannot be tested. Such targets count as present. Fixed drives, drive letters that
// do not exist and paths without a drive are tested as they stand.
#pragma once
#include <string>

// The path is one whose absence can be decided (see above), not whether it exists.
bool CanDecideMissing(const std::string& path);

// FileExistsAnyView, DirExistsAnyView and FileExistsStrict, with an undecidable
// target counted as present.
bool TargetFileExists(const std::string& path);
bool TargetDirExists(const std::string& path);
bool TargetFileExistsStrict(const std::string& path);

// FileExistsInPathDirs and FileExistsOnPath, with the same rule for a path that names
// its folder (bare names are looked for in PathDirs, the computer's own folders).
bool TargetInPathDirs(const std::string& name);
bool TargetOnPath(const std::string& name);
