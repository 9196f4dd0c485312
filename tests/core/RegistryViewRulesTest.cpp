#include "core/RegistryViewRules.h"

#include <gtest/gtest.h>

using core::MapToWow32Path;

TEST(MapToWow32Path, DefaultViewKeysOf64BitWindowsOnly) {
  const struct {
    const char* root;
    const char* path;
    bool native;
    bool wow64;
    const char* expected;
  } cases[] = {
      {"HKEY_LOCAL_MACHINE", "Software\\Vendor\\App", false, true, "SOFTWARE\\Wow6432Node\\Vendor\\App"},
      {"HKEY_LOCAL_MACHINE", "SOFTWARE\\x", false, true, "SOFTWARE\\Wow6432Node\\x"},
      {"HKEY_CLASSES_ROOT", "CLSID\\{1}\\InprocServer32", false, true, "Wow6432Node\\CLSID\\{1}\\InprocServer32"},
      {"HKEY_CLASSES_ROOT", "TypeLib\\c", false, true, "Wow6432Node\\TypeLib\\c"},
      {"hkey_local_machine", "Software\\x", false, true, "Software\\x"},  // root name not recognised
      {"HKEY_LOCAL_MACHINE", "Software\\x", true, true, "Software\\x"},   // 64-bit view asked for
      {"HKEY_LOCAL_MACHINE", "Software\\x", false, false, "Software\\x"},  // 32-bit Windows
      {"HKEY_LOCAL_MACHINE", "Software", false, true, "Software"},
      {"HKEY_CURRENT_USER", "Software\\x", false, true, "Software\\x"},
      {"HKEY_CLASSES_ROOT", "CLSIDX\\a", false, true, "CLSIDX\\a"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MapToWow32Path(c.root, c.path, c.native, c.wow64), c.expected) << c.root << " " << c.path;
}
