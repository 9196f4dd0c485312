// Texts that programs keep as raw UTF-16 inside binary registry values (shell MRU lists
// put the file name first, then a NUL and an item-id list).
#pragma once
#include <string>

namespace core {

// The little-endian UTF-16 units of bytes up to the first NUL unit; a last odd byte is
// dropped, so a value of any length decodes without reading past its end.
std::u16string Utf16UpToNul(const std::string& bytes);

}  // namespace core
