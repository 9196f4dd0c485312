// Editors that keep their recent-file and search lists in INI files: each non-empty key
// of a list is one finding, removed at clean time by deleting that key from the file.
#pragma once
#include "items/ItemHandlers.h"
#include "items/Column4TreeData.h"

// Root tag of the INI-key findings; Name holds the section, '|' and the key.
inline const char* const kIniKeyRoot = "Ultraedit";

// Two Uedit32.ini files: the one beside the program (its recent files) and the user's (its
// recent files and both search histories).
void ScanUltraEdit(TItemScan& scan);
// eeCommon.ini beside the program, then the two registry lists.
void ScanEmEditor(TItemScan& scan);

// Deletes the finding's key from its INI file through a copy that replaces the file only
// when the edit succeeded. A file that is gone holds no such key any more: true.
bool CleanIniKeyFinding(const Column4TreeData& finding);
// The group's rewrite: a finding of kIniKeyRoot through CleanIniKeyFinding; false for others.
bool RewriteIniKeyFinding(const Column4TreeData& finding);

void RegisterIniKeyHandlers(THandlerTable& table);
