// What a scan or a clean could change in the test prefix, taken before and after so a
// test can tell exactly what changed.
#pragma once
#include <map>
#include <string>
#include <vector>

// Entry -> content. Registry keys are "HKCU\a\b\" and values "HKCU\a\b\@name" (the default
// value "HKCU\a\b\@"); files and folders are their full paths. Texts are UTF-8.
using TSnapshot = std::map<std::string, std::string>;

// HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE, whole, as Wine's registry server saves them
// (on 64-bit Windows with the 32-bit view under Wow6432Node). Values keep the saved text of
// their data; key times are left out. Empty when the server refuses to save.
TSnapshot SnapshotRegistry();

// Every file and folder below folder with size and write time; a reparse point is listed
// and not entered. Folders below any of the skipped ones are left out.
TSnapshot SnapshotFiles(const std::wstring& folder, const std::vector<std::wstring>& skipped = {});

// "- entry" removed, "+ entry" added, "~ entry" changed, in entry order.
std::vector<std::string> Differences(const TSnapshot& before, const TSnapshot& after);

// The registry entries of before that a finding of root (a root name, or "HKLM"/"HKCU" as
// the snapshot writes them), key and value (empty: the whole key) names, in
// SnapshotRegistry's notation; names match in any letter case.
std::vector<std::string> EntriesOfFinding(const TSnapshot& before, const std::string& root, const std::string& key,
                                          const std::string& value);

// A UTF-8 copy of a program text (code page 936), for comparing with snapshot entries.
std::string Utf8FromGbk(const std::string& text);
