// Tests the checks of file classes share: texts that name a file which is gone.
#pragma once
#include <string>

#include "system/RegistryKey.h"

// A command or icon text names a file by full path that is gone; texts without ":\"
// and those that run through rundll32.exe are never taken as naming a missing file.
bool NamesMissingFile(const std::string& text);

// The icon test: the "DefaultIcon" key holds fewer than 2 values and its default value
// names a missing file.
bool IsBrokenIcon(const TRegistryKey& defaultIcon);

// The key's number of sub-keys; 0 when it does not open.
unsigned SubKeyCountOf(HKEY root, const std::string& path, bool native);
