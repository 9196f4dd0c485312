// Every value of one registry key as a registry finding: the most-recently-used lists of
// Windows and of many applications. The recent-documents and open/save lists also give the
// values of their per-extension sub-keys, one level deep.
#pragma once
#include <windows.h>

#include <string>

#include "items/ItemHandlers.h"

// One finding per value of root\keyPath (key opened with full access, never created), in
// the registry's order; captions show a string value's text after ":", and so the file
// name or search text inside the binary values of the shell's lists that hold one. Root
// is HKEY_CURRENT_USER, HKEY_USERS, HKEY_LOCAL_MACHINE or HKEY_CLASSES_ROOT; under any
// other handle nothing is found, as a finding must name its root. Returns true when the
// user asked to stop (the rest, sub-keys included, is then left out).
bool ScanMruKey(TItemScan& scan, HKEY root, const std::string& keyPath);
