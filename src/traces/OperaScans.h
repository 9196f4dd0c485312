// Opera's histories, caches and saved sessions: the installation folders found in the
// registry, the profile folders named after them, and the session file's extra windows.
#pragma once
#include <string>
#include <vector>

#include "items/ItemHandlers.h"

// Opera's installation folders, lower case with a trailing backslash, each once.
void FindOperaFolders(std::vector<std::string>& list);
// The last path component of an installation folder ("c:\opera\" gives "opera").
std::string OperaProfileName(const std::string& folder);

void ScanOperaCaches(TItemScan& scan);
void ScanOperaHistory(TItemScan& scan);
// One finding when the session file in folder holds more than its first window.
void ScanOperaSession(TItemScan& scan, const std::string& folder);
// Keeps only the first window of the saved session. False when the file could not be
// rewritten; it is then left as it was.
bool CleanOperaSession(const std::string& path);
// The group's rewrite: a session finding through CleanOperaSession (a session file that is
// gone holds no extra windows any more); false for another tag.
bool RewriteOperaFinding(const Column4TreeData& finding);

void RegisterOperaHandlers(THandlerTable& table);
