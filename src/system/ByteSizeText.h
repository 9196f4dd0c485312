// Size texts: the shell's short byte-size text, as everywhere in the program.
#pragma once
#include <cstdint>
#include <string>

// StrFormatByteSize64A of the count ("1.21 KB"), cut at its first NUL; empty on failure.
std::string FormatByteSize(int64_t bytes);
