#include "system/RegistryCallCounts.h"

#include <gtest/gtest.h>

#include <functional>

#include "registry/RegistryTestKey.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"

TEST(RegistryCallCounts, EachWrapperCountsTheCallsItMakes) {
  TRegistryTestKey key(HKEY_CURRENT_USER, "counts");
  key.Set("a\\b", false, "v");
  key.Set("a\\c", false);
  const TRegistryKey parent(HKEY_CURRENT_USER, key.Path(), false);
  ASSERT_TRUE(parent);
  struct TCase {
    const char* Label;
    std::function<void()> Do;
    TRegistryCall Kind;
    unsigned long Count, Steps, Closes;
  };
  const TCase cases[] = {
      {"open by path, closed", [&] { TRegistryKey k(HKEY_CURRENT_USER, key.Path("a\\b"), false); }, kRegOpenByPath, 1,
       3, 1},
      {"absent key: nothing to close", [&] { TRegistryKey k(HKEY_CURRENT_USER, key.Path("x"), false); },
       kRegOpenByPath, 1, 2, 0},
      {"open below", [&] { TRegistryKey k; (void)k.OpenBelow(parent, "a\\b"); }, kRegOpenBelow, 1, 1, 1},
      {"two sub-keys and the end", [&] { TRegistryKey(HKEY_CURRENT_USER, key.Path("a"), false).SubKeyNames(); },
       kRegListing, 3, 2, 1},
      {"one value read", [&] { ReadValueText(TRegistryKey(HKEY_CURRENT_USER, key.Path("a\\b"), false).Handle(), "v"); },
       kRegValueRead, 1, 3, 1},
      {"counts", [&] { TRegistryKey(HKEY_CURRENT_USER, key.Path("a"), false).SubKeyCount(); }, kRegKeyInfo, 1, 2, 1},
  };
  for (const TCase& c : cases) {
    const TRegistryCallCounts before = RegistryCallCounts();
    c.Do();
    const TRegistryCallCounts d = RegistryCallCounts() - before;
    EXPECT_EQ(d.Of[c.Kind], c.Count) << c.Label;
    EXPECT_EQ(d.Of[kRegPathStep], c.Steps) << c.Label;
    EXPECT_EQ(d.Of[kRegClose], c.Closes) << c.Label;
  }
}
