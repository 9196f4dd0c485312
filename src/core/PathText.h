// Small path text rules shared by the file utilities: trailing backslashes, extensions,
// wildcards and the folder list of the PATH variable. Code page 936 safe.
#pragma once
#include <string>
#include <vector>

namespace core {

// The last character is a single-byte backslash (a trail byte 0x5C does not count).
bool EndsWithBackslash(const std::string& path);

// The path with one backslash appended when it has none; an empty path stays empty, so
// that an empty folder never turns into the root of the current drive.
std::string IncludeTrailingBackslash(const std::string& path);

// A path that names its drive and starts at its root ("C:\..." or a share "\\server\...").
// A path built from an empty folder ("\Recent") or read relative from a file would name
// something of whatever drive and folder are current: no walk or delete starts there.
bool IsFullPath(const std::string& path);

// The path without its trailing backslash, when it has one.
std::string ExcludeTrailingBackslash(const std::string& path);

// The folders a walk from base passes on its way to path: base itself, then each folder
// below it down to path's own folder. Empty when path does not lie below base (compared
// without case, code page 936 aware), or either is no full path.
std::vector<std::string> FoldersFromBase(const std::string& base, const std::string& path);

// Every run of backslashes shortened to one, except the two that open a network path.
std::string CollapseDoubleBackslashes(const std::string& path);

// The folder part with its trailing backslash or colon ("C:\a\b.exe" gives "C:\a\").
std::string ExtractFileDir(const std::string& path);

// The part after the last '\' or ':' ("C:\a\b.exe" gives "b.exe").
std::string ExtractFileName(const std::string& path);

// A '.' stands after the last '\' and ':' ("a.b\c" has none, "c." has one).
bool HasFileExtension(const std::string& name);

// '*' or '?': such a text names a pattern, never one file.
bool HasWildcard(const std::string& path);

// The folders of a PATH value: split at ';' except inside double quotes, the quotes
// dropped, empty pieces left out.
std::vector<std::string> SplitPathList(const std::string& pathVariable);

}  // namespace core
