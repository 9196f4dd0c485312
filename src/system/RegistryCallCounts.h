// Counts of the registry calls the wrappers of this folder make, by kind. The registry
// group's cost under Wine is almost all wineserver round trips, one per call, so the
// registry bench reads these to see where a scan's calls go. Always compiled in: a
// relaxed atomic increment beside a call of microseconds costs nothing worth a switch.
#pragma once
#include <atomic>

enum TRegistryCall : int {
  kRegOpenByPath,  // RegOpenKeyEx from a root key
  kRegOpenBelow,   // RegOpenKeyEx below an open key
  kRegPathStep,    // path elements beyond the first of those opens: a 32-bit process on
                   // 64-bit Windows resolves its view one element at a time
  kRegValueRead,   // RegQueryValueEx
  kRegListing,     // RegEnumKeyEx or RegEnumValue, one per entry and the closing one
  kRegKeyInfo,     // RegQueryInfoKey
  kRegClose,       // RegCloseKey
  kRegistryCallKinds
};

namespace registry_calls {
extern std::atomic<unsigned long> gCount[kRegistryCallKinds];
}

inline void CountRegistryCall(TRegistryCall kind, unsigned long n = 1) {
  registry_calls::gCount[kind].fetch_add(n, std::memory_order_relaxed);
}

// An open by path: one call and its extra path elements.
void CountRegistryOpen(TRegistryCall kind, const char* path);

struct TRegistryCallCounts {
  unsigned long Of[kRegistryCallKinds] = {};
  // The calls made, path steps left out.
  unsigned long Calls() const;
  TRegistryCallCounts operator-(const TRegistryCallCounts& earlier) const;
};

// The counts since the process started.
TRegistryCallCounts RegistryCallCounts();
