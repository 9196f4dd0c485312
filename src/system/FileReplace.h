// Replacing a file by a rewritten copy of it, as the rewrites of application files do.
#pragma once
#include <string>

// Moves copy over path. The file keeps its attributes (hidden, read-only and the rest as
// they were; a read-only mark is lifted only for the move); when the move fails, path is
// left as it was and the copy stays for the caller to remove.
bool ReplaceKeepingAttributes(const std::string& copy, const std::string& path);
