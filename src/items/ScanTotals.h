// What the scan in progress found so far; owned by the main window, zeroed when a scan
// starts, read by the closing summary and the one-click flow.
#pragma once
#include <cstdint>

struct TScanTotals {
  int64_t Count = 0;  // findings
  int64_t Size = 0;   // bytes of the findings that have a size

  void Reset() { Count = Size = 0; }
};
