// What the shared trace scans add under an item: file and shortcut findings counted with
// their sizes, registry value findings, and the pause after each entry that lets the window
// breathe and brings in the user's stop request.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "items/ItemHandlers.h"
#include "items/ResultRows.h"

// Kind tags of the findings the clean driver deletes as files (kKindFile with the rows).
inline const char* const kKindShortcut = "LnkFile";
// The value name of a key's unnamed (default) value in registry findings; an empty name
// would mean the whole key, sub-keys and all.
inline const char* const kDefaultValueName = "@D_e_f_a_u_l_t";

// A file finding under the scan's item: Caption the full path, Path the file name, Kind
// kind, Root the folder a walk started from (the folders from there down are confirmed
// again before the file goes; none: the file's own folder). The item's count goes up by one
// and its size by size (when above 0).
void AddFileFinding(TItemScan& scan, const std::string& fullPath, std::string fileName,
                    const char* kind, int64_t size, const std::string& walkRoot = std::string());

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

// A file that IsLiveFile accepts, as a file finding named by its path; counted with its
// size unless withSize is false. False when the file is not there.
bool AddLiveFile(TItemScan& scan, const std::string& path, bool withSize = true);

// A whole key under the current user as one finding: caption "HKEY_CURRENT_USER\" + key,
// empty value name (the key goes with all its sub-keys). Counted once.
void AddWholeKeyFinding(TItemScan& scan, const std::string& key);

// Kind tag of the findings an application's own rule rewrites at clean time.
inline const char* const kKindApplication = "other";
// An application finding: Caption caption, Path the file, Name the application's tag,
// Root the item's tag (or "Ultraedit" for INI keys). Counted once, without size.
void AddApplicationFinding(TItemScan& scan, const std::string& caption, const std::string& file,
                           const std::string& tag, const std::string& root);

// The removers every trace item has: its registry findings (both views), its files (Kind
// kKindFile, kKindShortcut or empty) and folders.
TRemovers TraceRemovers();

// The usual handler: scan, unit word and the executables whose running skips the item,
// with the usual removers.
TItemHandler TraceHandler(std::function<void(TItemScan&)> scan, const char* unit,
                          std::vector<std::string> guards = {});

// How a group rewrites its application findings (Kind kKindApplication): true when the
// finding is of its tag and its file was rewritten; false for another tag or a failure.
using TRewrite = std::function<bool(const Column4TreeData& finding)>;
// The usual handler of an item that also reports application findings, with their remover.
TItemHandler ApplicationHandler(std::function<void(TItemScan&)> scan, const char* unit, std::vector<std::string> guards,
                                TRewrite rewrite);

// An item whose summary names its files and its registry entries apart
// ("(%d个文件，%d项注册表，共%s)"): scan fills one TItemScan with registry findings and the
// other with file findings. The item's count is their sum, its size the files' size.
TItemHandler FileRegistryHandler(std::function<void(TItemScan& registry, TItemScan& files)> scan,
                                 std::vector<std::string> guards);
