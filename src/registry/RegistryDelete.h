// Removing one registry finding during a clean.
#pragma once
#include <string>

// Removes what a registry finding names (its Root, Path, Kind and Name): the whole key
// with all its sub-keys when valueName is empty, else the one value; "@D_e_f_a_u_l_t"
// empties the key's default value and keeps the key. Kind "x64" works in the 64-bit view
// and needs RegDeleteKeyExA, looked up in advapi32 (without it nothing is removed and the
// result is false). True when the entry is gone or there was nothing to do (empty root
// or path, a value or its key already gone); false when a removal failed, and for a whole
// key that does not exist. Shows nothing, throws nothing.
bool DeleteRegistryFinding(const std::string& rootName, const std::string& keyPath, const std::string& viewMark,
                           const std::string& valueName);
