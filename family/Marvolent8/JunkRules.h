// Text rules of the junk engine (no windows.h): wildcards, folder lists, the age filter.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace junk {

// Windows-style wildcard match of a file name: '*' any run, '?' one character; ASCII
// letters compare without case.
bool MatchWildcard(const std::wstring& pattern, const std::wstring& name);

// "C:\a|D:\b" <-> folders; trailing backslashes, double quotes and empty pieces dropped.
std::vector<std::wstring> SplitFolderList(const std::wstring& list);
std::wstring JoinFolderList(const std::vector<std::wstring>& folders);

// path is the folder itself or lies inside it (ASCII case folded, whole path components).
bool IsInFolder(const std::wstring& path, const std::wstring& folder);

// With a filter of N days, a file counts only when it was last used N or more days ago.
// Times are 100-ns ticks (FILETIME).
bool OldEnough(uint64_t lastUsed, uint64_t now, int days);

}  // namespace junk
