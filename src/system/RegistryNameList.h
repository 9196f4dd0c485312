// The loop shared by the listings of sub-key names and value names.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Calls enumerate(index, buffer, &length) for index 0, 1, ... until it answers
// ERROR_NO_MORE_ITEMS, appending each name read. A name longer than the buffer is read
// again with a buffer of the size the registry reports (or twice the size, when it reports
// none). An entry that fails otherwise is skipped and the listing goes on; the result is
// false when any entry was skipped. The registry may change under the listing: after far
// more failures than it could hold entries, the listing gives up.
template <typename Enumerate>
bool EnumerateNames(Enumerate enumerate, size_t bufferSize, std::vector<std::string>& names) {
  std::vector<char> buf(bufferSize < 2 ? 2 : bufferSize);
  bool complete = true;
  int failures = 0;
  for (DWORD index = 0;;) {
    DWORD length = static_cast<DWORD>(buf.size());
    const LONG result = enumerate(index, buf.data(), &length);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result == ERROR_MORE_DATA && buf.size() < 65536) {
      buf.resize(length >= buf.size() ? static_cast<size_t>(length) + 2 : buf.size() * 2);
      continue;
    }
    if (result == ERROR_SUCCESS) {
      names.emplace_back(buf.data(), length);
    } else {
      complete = false;
      if (++failures > 4096) break;
    }
    ++index;
  }
  return complete;
}
