// Text rules of the shared trace scans: which MRU keys carry per-extension sub-lists or
// file names inside binary values, which file names a folder walk leaves out, and where an
// unresolvable shortcut still counts as a trace. Code page 936 safe.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace core {

// The shell's recent-documents and open/save lists keep one sub-key per file extension
// with lists of the same shape (exact, case-sensitive comparison of the key path).
bool HasMruSubKeyLists(const std::string& keyPath);

// n for a value named "History" and the decimal n (1 to 2^31-1, no leading zero; the word
// in any letter case, as the registry compares names), else -1: a toolbar's history entry.
int32_t HistoryNumber(const std::string& name);

// Keys whose binary values start with a UTF-16 file name or search text: paths ending with
// "LastVisitedPidlMRU", "LastVisitedPidlMRULegacy" or "WordWheelQuery", or holding
// "\RecentDocs" anywhere but at the very start (case-sensitive).
bool HoldsUtf16BinaryValues(const std::string& keyPath);

// The name with its ASCII letters lowered is one of the (lower-case) excluded names.
bool IsExcludedName(const std::string& name, const std::vector<std::string>& excludedLower);

// A shortcut without a usable target is a trace only in the recent-documents folder: the
// folder's path occurs inside that folder's path (case-sensitive). False for empty texts.
bool TakesUnresolvedShortcuts(const std::string& folder, const std::string& recentFolder);

}  // namespace core
