#include "core/RegistryViewRules.h"

#include "core/GbkText.h"

namespace core {

namespace {
bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::string(prefix).size(), prefix) == 0;
}
}  // namespace

std::string MapToWow32Path(const std::string& rootName, const std::string& subKey, bool native,
                           bool wow64) {
  if (!wow64 || native) return subKey;
  std::string lower = LowerGbk(subKey);
  if (rootName == "HKEY_LOCAL_MACHINE" && StartsWith(lower, "software\\"))
    return "SOFTWARE\\Wow6432Node\\" + subKey.substr(9);
  if (rootName == "HKEY_CLASSES_ROOT") {
    static const char* const kRedirected[] = {"appid\\", "clsid\\", "interface\\", "typelib\\"};
    for (const char* prefix : kRedirected)
      if (StartsWith(lower, prefix)) return "Wow6432Node\\" + subKey;
  }
  return subKey;
}

}  // namespace core
