// What the shared trace scans add under an item: file and shortcut findings counted with
// their sizes, registry value findings, and the pause after each entry that lets the window
// breathe and brings in the user's stop request.
#pragma once
#include <cstdint>
#include <string>

#include "items/ItemHandlers.h"
#include "items/ResultRows.h"

// Kind tags of the findings the clean driver deletes as files (kKindFile with the rows).
inline const char* const kKindShortcut = "LnkFile";
// The value name of a key's unnamed (default) value in registry findings; an empty name
// would mean the whole key, sub-keys and all.
inline const char* const kDefaultValueName = "@D_e_f_a_u_l_t";

// A file finding under the scan's item: Caption the full path, Path the file name, Kind
// kind. The item's count goes up by one and its size by size (when above 0).
void AddFileFinding(TItemScan& scan, const std::string& fullPath, const std::string& fileName,
                    const char* kind, int64_t size);

// A registry finding for one value: Caption root, "\", key, "\", value name and, when data
// is not empty, ":" and data; Path the key, Root the root name, Name the value name
// (kDefaultValueName for the unnamed value). Counted once.
void AddValueFinding(TItemScan& scan, const std::string& rootName, const std::string& keyPath,
                     const std::string& valueName, const std::string& data);

// A database finding: Caption the database's full path, Path pathField (the full path or
// the file name), Name the table, Kind the browser's kind, Root the condition (may be
// empty). Counted once, without size.
void AddDatabaseFinding(TItemScan& scan, const std::string& database, const std::string& pathField,
                        const std::string& table, const char* kind, const std::string& condition);

// Called after every entry a scan looks at: pending window messages are processed; true
// when the user asked to stop, so the scan ends here.
bool EntryDone(TItemScan& scan);
