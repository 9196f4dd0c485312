#include "core/TraceScanRules.h"

#include <algorithm>

#include "core/GbkText.h"

namespace core {

namespace {

// The text ends with suffix and the suffix starts on a character boundary, so a trail byte
// that looks like its first letter does not count.
bool EndsWithGbk(const std::string& text, const std::string& suffix) {
  if (text.size() < suffix.size()) return false;
  size_t at = text.size() - suffix.size();
  return FindGbk(text, suffix, at) == at;
}

}  // namespace

bool HasMruSubKeyLists(const std::string& keyPath) {
  static const char* const kKeys[] = {
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSavePidlMRU"};
  for (const char* key : kKeys)
    if (keyPath == key) return true;
  return false;
}

bool HoldsUtf16BinaryValues(const std::string& keyPath) {
  if (EndsWithGbk(keyPath, "LastVisitedPidlMRU") || EndsWithGbk(keyPath, "LastVisitedPidlMRULegacy") ||
      EndsWithGbk(keyPath, "WordWheelQuery"))
    return true;
  // Only the first occurrence decides, as a key that starts with it is no shell path.
  size_t at = FindGbk(keyPath, "\\RecentDocs");
  return at != std::string::npos && at > 0;
}

bool IsExcludedName(const std::string& name, const std::vector<std::string>& excludedLower) {
  // Compared in place: this runs for every file of a walk.
  for (const std::string& excluded : excludedLower)
    if (excluded.size() == name.size() && SameTextGbk(name, excluded)) return true;
  return false;
}

bool TakesUnresolvedShortcuts(const std::string& folder, const std::string& recentFolder) {
  return !folder.empty() && !recentFolder.empty() && FindGbk(recentFolder, folder) != std::string::npos;
}

int32_t HistoryNumber(const std::string& name) {
  static const char kWord[] = "history";
  const size_t word = sizeof kWord - 1;
  if (name.size() <= word || name.size() > word + 10 || name[word] == '0') return -1;
  for (size_t i = 0; i < word; ++i)
    if ((name[i] | 0x20) != kWord[i]) return -1;
  long long n = 0;
  for (size_t i = word; i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return -1;
    n = n * 10 + (name[i] - '0');
  }
  return n <= 0x7FFFFFFF ? static_cast<int32_t>(n) : -1;
}

}  // namespace core
