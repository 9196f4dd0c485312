// Rewriting an application's INI file without ever leaving it half-changed: the edits go
// to a copy beside it, which replaces it only when every edit succeeded.
#pragma once
#include <functional>
#include <string>
#include <vector>

// edit gets the copy's path and changes it through the profile functions; false from it,
// or a failed copy or replace, leaves the file as it was and returns false.
bool RewriteIniFile(const std::string& path, const std::function<bool(const std::string& copy)>& edit);

// Profile-function helpers on a file.
bool IniSectionHasKeys(const std::string& path, const std::string& section);
// The file's section names in file order.
std::vector<std::string> IniSectionNames(const std::string& path);
// The file has the section (any letter case), with keys or without.
bool IniHasSection(const std::string& path, const std::string& section);
// Erases the section; true also when it did not exist.
bool EraseIniSection(const std::string& path, const std::string& section);
// The key names of a section in file order; empty when the file or section is missing.
std::vector<std::string> IniSectionKeyNames(const std::string& path, const std::string& section);
// A key's string (empty when missing) and integer (def when missing or not a number).
std::string IniReadString(const std::string& path, const std::string& section, const std::string& key);
int IniReadInt(const std::string& path, const std::string& section, const std::string& key, int def);
// Deletes one key; true also when it did not exist.
bool DeleteIniKey(const std::string& path, const std::string& section, const std::string& key);
