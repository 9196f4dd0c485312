// The one file delete of the program: the clean's file findings and the emptying of a
// folder go through it.
#pragma once
#include <string>

#include "system/RemoveOutcome.h"

// Deletes one file; when that fails on a read-only file, clears the read-only mark and
// tries again (a file that still cannot go gets its mark back).
// Removed; AlreadyGone when the file or its folder is not there; Failed with the Win32
// code of the last attempt otherwise.
TRemoveOutcome DeleteOneFile(const std::string& path);
