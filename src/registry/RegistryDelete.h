// Removing one registry finding during a clean.
#pragma once
#include <string>

#include "items/ItemClean.h"

// Removes what a registry finding names (its Root, Path, Kind and Name): the whole key
// with all its sub-keys when valueName is empty, else the one value; "@D_e_f_a_u_l_t"
// empties the key's default value and keeps the key. Kind "x64" works in the 64-bit view,
// any other in the 32-bit view of 64-bit Windows, both through RegDeleteKeyExA, looked up
// in advapi32 (without it nothing is removed and the result is false). A registry link
// below the key (or the key itself) is removed as a link; what it points to stays.
// A finding of the 64-bit view on Windows with one view is not removed (false).
// True when the entry is gone: removed now, already absent (ERROR_FILE_NOT_FOUND), or
// nothing to do (empty root or path). False when a removal failed for any other reason,
// access denied included: the finding then counts as not cleaned. Shows nothing, throws
// nothing.
bool DeleteRegistryFinding(const std::string& rootName, const std::string& keyPath, const std::string& viewMark,
                           const std::string& valueName);

// Each registry finding through DeleteRegistryFinding: removed (or already gone) or failed.
void RemoveRegistryFindings(TRemoval& removal);
// That remover for the registry findings of both views (Kind "" and "x64").
TRemovers RegistryRemovers();
