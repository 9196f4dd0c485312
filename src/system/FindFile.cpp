#include "system/FindFile.h"

namespace {

// FindExInfoBasic and FIND_FIRST_EX_LARGE_FETCH by value: older headers lack them.
const FINDEX_INFO_LEVELS kInfoBasic = static_cast<FINDEX_INFO_LEVELS>(1);
const DWORD kLargeFetch = 2;

enum class TFastListing { Unknown, Works, Refused };
TFastListing g_fast = TFastListing::Unknown;
bool g_allowed = true;

}  // namespace

void AllowFastListing(bool allowed) { g_allowed = allowed; }

HANDLE FindFirstEntry(const std::string& pattern, WIN32_FIND_DATAA& data) {
  if (g_allowed && g_fast != TFastListing::Refused) {
    HANDLE h = FindFirstFileExA(pattern.c_str(), kInfoBasic, &data, FindExSearchNameMatch, nullptr, kLargeFetch);
    if (h != INVALID_HANDLE_VALUE) {
      g_fast = TFastListing::Works;
      return h;
    }
    // Windows before 7 rejects the level and the flag; any other error is the folder's.
    if (g_fast == TFastListing::Works || GetLastError() != ERROR_INVALID_PARAMETER) return h;
    g_fast = TFastListing::Refused;
  }
  return FindFirstFileA(pattern.c_str(), &data);
}
