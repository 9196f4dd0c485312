// Rewriting an application's INI file without ever leaving it half-changed: the edits go
// to a copy beside it, which replaces it only when every edit succeeded.
#pragma once
#include <functional>
#include <string>

// edit gets the copy's path and changes it through the profile functions; false from it,
// or a failed copy or replace, leaves the file as it was and returns false.
bool RewriteIniFile(const std::string& path, const std::function<bool(const std::string& copy)>& edit);

// Profile-function helpers on a file.
bool IniSectionHasKeys(const std::string& path, const std::string& section);
// Erases the section; true also when it did not exist.
bool EraseIniSection(const std::string& path, const std::string& section);
