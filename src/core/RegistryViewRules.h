// Where a key of the 32-bit registry view lives when seen from the 64-bit view.
#pragma once
#include <string>

namespace core {

// The sub-key path of the same key in the 32-bit view. Only on 64-bit Windows (wow64)
// and for the default view (native false) does anything change: "HKEY_LOCAL_MACHINE"
// with "software\..." becomes "SOFTWARE\Wow6432Node\...", "HKEY_CLASSES_ROOT" with
// "appid\", "clsid\", "interface\" or "typelib\..." gets "Wow6432Node\" in front. Root
// names must be written exactly so; paths match in any letter case.
std::string MapToWow32Path(const std::string& rootName, const std::string& subKey, bool native,
                           bool wow64);

}  // namespace core
