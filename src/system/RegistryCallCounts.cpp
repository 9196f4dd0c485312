#include "system/RegistryCallCounts.h"

namespace registry_calls {
std::atomic<unsigned long> gCount[kRegistryCallKinds];
}

void CountRegistryOpen(TRegistryCall kind, const char* path) {
  unsigned long steps = 0;
  // Code page 936: a trail byte may be 0x5C and is no separator.
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(path); p && *p; ++p) {
    if (*p >= 0x81 && *p <= 0xFE && p[1]) ++p;
    else if (*p == '\\' && p[1]) ++steps;
  }
  CountRegistryCall(kind);
  if (steps) CountRegistryCall(kRegPathStep, steps);
}

unsigned long TRegistryCallCounts::Calls() const {
  unsigned long total = 0;
  for (int kind = 0; kind < kRegistryCallKinds; ++kind)
    if (kind != kRegPathStep) total += Of[kind];
  return total;
}

TRegistryCallCounts TRegistryCallCounts::operator-(const TRegistryCallCounts& earlier) const {
  TRegistryCallCounts d;
  for (int kind = 0; kind < kRegistryCallKinds; ++kind) d.Of[kind] = Of[kind] - earlier.Of[kind];
  return d;
}

TRegistryCallCounts RegistryCallCounts() {
  TRegistryCallCounts c;
  for (int kind = 0; kind < kRegistryCallKinds; ++kind) c.Of[kind] = registry_calls::gCount[kind].load(std::memory_order_relaxed);
  return c;
}
