// Registry look-ups of the scanners: does a key exist, which sub-keys does it have, which
// file serves a COM class. Keys are opened only, never created.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The key could be opened with that access (see Wow64KeyAccess for the 64-bit view).
bool RegKeyExists(HKEY root, const std::string& subKey, REGSAM access);

// The names of the sub-keys of an open key in the order the registry lists them. A name
// that cannot be read is skipped and the listing goes on; *complete (when given) tells
// whether every name was read.
std::vector<std::string> EnumerateSubKeyNames(HKEY key, bool* complete = nullptr);

// The names of the key's sub-keys in the order the registry lists them; empty when the
// key cannot be opened. A name that cannot be read is skipped and the listing goes on;
// *complete (when given) tells whether every name was read.
std::vector<std::string> RegGetKeyNames(HKEY root, const std::string& subKey, REGSAM access,
                                        bool* complete = nullptr);

// RegText of one value of the key; empty when the key does not open.
std::string RegKeyText(HKEY root, const std::string& subKey, const std::string& name, REGSAM access = KEY_READ);

// The folder (with its backslash) of a server path that GetServerPathByProgID or
// GetServerPathByCLSID gave, quotes and arguments left out; empty for an empty path, so
// that nothing is looked for in the current folder.
std::string GetServerFolder(const std::string& serverPath);

// The server file of a ProgID's class: the default value of the class's LocalServer32,
// LocalServer or InprocServer32 key (the first that exists), environment variables
// expanded, trimmed, lower-cased and cut before "/automation". Empty when unknown.
std::string GetServerPathByProgID(const std::string& progID);

// The same for a braced class id text, with environment variables expanded only.
std::string GetServerPathByCLSID(const std::string& clsid);
