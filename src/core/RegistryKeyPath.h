// Names of registry findings: the root key names that travel between the scanners, the
// backup and the clean driver, the stand-in name of a key's default value, and the join
// of key paths. Code page 936 safe.
#pragma once
#include <string>

namespace core {

inline const char* const kClassesRootName = "HKEY_CLASSES_ROOT";
inline const char* const kCurrentUserName = "HKEY_CURRENT_USER";
inline const char* const kLocalMachineName = "HKEY_LOCAL_MACHINE";
inline const char* const kUsersName = "HKEY_USERS";

// A finding's value name for the default (unnamed) value of its key; an empty value name
// means the whole key.
inline const char* const kDefaultValueName = "@D_e_f_a_u_l_t";

// A finding's Root that names a registry root key: the one test of "is this a registry
// finding" (other findings use Root for a condition or an application's tag).
bool NamesRegistryRoot(const std::string& root);

// parent + "\" + child; either part may be empty (then the other is the result), and a
// backslash that ends parent is not doubled (a trail byte 0x5C is no backslash).
std::string JoinKeyPath(const std::string& parent, const std::string& child);

}  // namespace core
