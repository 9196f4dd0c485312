#include "core/RegistryKeyPath.h"

#include <gtest/gtest.h>

using core::JoinKeyPath;

TEST(JoinKeyPath, OneBackslashBetweenNonEmptyParts) {
  EXPECT_EQ(JoinKeyPath("Software\\Vendor", "App"), "Software\\Vendor\\App");
  EXPECT_EQ(JoinKeyPath("HKEY_CLASSES_ROOT\\", "CLSID"), "HKEY_CLASSES_ROOT\\CLSID");
  EXPECT_EQ(JoinKeyPath("", "CLSID"), "CLSID") << "a key right below the root";
  EXPECT_EQ(JoinKeyPath("Software\\x", ""), "Software\\x");
  // "誠" ends in the byte 0x5C: it is a character, not a separator.
  EXPECT_EQ(JoinKeyPath("Software\\誠", "a"), "Software\\誠\\a");
}
