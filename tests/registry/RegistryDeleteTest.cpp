#include "registry/RegistryDelete.h"

#include <gtest/gtest.h>

#include "helpers/TestContext.h"
#include "registry/RegistryTestKey.h"

TEST(DeleteRegistryFinding, NothingToDoOrAlreadyGone) {
  TTestContext context;
  TRegistryTestKey key(HKEY_CURRENT_USER, "gone");
  key.SetText("", false, "kept", "1");
  EXPECT_TRUE(DeleteRegistryFinding("", key.Path(), "", "")) << "no root: nothing to do";
  EXPECT_TRUE(DeleteRegistryFinding("HKEY_CURRENT_USER", "", "", "kept")) << "no key path: nothing to do";
  EXPECT_TRUE(DeleteRegistryFinding("HKEY_CURRENT_USER", key.Path(), "", "missing")) << "value already gone";
  EXPECT_TRUE(DeleteRegistryFinding("HKEY_CURRENT_USER", key.Path("nokey"), "", "missing")) << "its key gone too";
  EXPECT_TRUE(DeleteRegistryFinding("HKEY_CURRENT_USER", key.Path("nokey"), "", "")) << "a whole key already gone";
  EXPECT_EQ(DeleteRegistryFinding("HKEY_CURRENT_USER", key.Path("nokey"), "x64", ""), context.Ctx.IsWow64())
      << "gone in its view; Windows with one view has none";
  EXPECT_EQ(key.Value("", false, "kept"), std::string("1", 2));
}

// Windows with one view (told by the OS facts): a finding of the 64-bit view names no key
// it has, and the key of the same path in its only view stays.
TEST(DeleteRegistryFinding, AFindingOfThe64BitViewIsNoDeleteWhereWindowsHasOneView) {
  TTestContext context(false);
  TRegistryTestKey key(HKEY_CURRENT_USER, "oneview");
  key.SetText("k", false, "v", "1");
  EXPECT_FALSE(DeleteRegistryFinding("HKEY_CURRENT_USER", key.Path("k"), "x64", "v"));
  EXPECT_FALSE(DeleteRegistryFinding("HKEY_CURRENT_USER", key.Path("k"), "x64", ""));
  EXPECT_EQ(key.Value("k", false, "v"), std::string("1", 2));
}

// Below HKLM\Software the 64-bit view and the default view are two keys in the win64
// prefix: a finding of one view must leave the other alone.
TEST(DeleteRegistryFinding, ValuesGoInTheFindingsViewAndTheDefaultValueIsEmptied) {
  TTestContext context;
  const bool wow64 = context.Ctx.IsWow64();
  TRegistryTestKey key(HKEY_LOCAL_MACHINE, "values");
  const DWORD number = 7;
  for (bool native : {false, true}) {
    key.SetText("k", native, "a", "x");
    key.Set("k", native, "n", REG_DWORD, &number, sizeof number);
    key.SetText("k", native, "", "default");
  }
  EXPECT_TRUE(DeleteRegistryFinding("HKEY_LOCAL_MACHINE", key.Path("k"), "x64", "a"));
  EXPECT_EQ(key.Value("k", true, "a"), "<none>");
  EXPECT_EQ(key.Value("k", false, "a"), wow64 ? std::string("x", 2) : "<none>") << "the other view keeps its value";

  EXPECT_TRUE(DeleteRegistryFinding("HKEY_LOCAL_MACHINE", key.Path("k"), "", "@D_e_f_a_u_l_t"));
  EXPECT_TRUE(key.Exists("k", false));
  EXPECT_EQ(key.Value("k", false, nullptr), std::string("", 1)) << "emptied, not deleted";
  EXPECT_EQ(key.Value("k", false, "n"), std::string(reinterpret_cast<const char*>(&number), 4));
  if (wow64) {
    EXPECT_EQ(key.Value("k", true, nullptr), std::string("default", 8));
  }

  EXPECT_TRUE(DeleteRegistryFinding("HKEY_LOCAL_MACHINE", key.Path("k"), "", "n"));
  EXPECT_EQ(key.Value("k", false, "n"), "<none>");
}

TEST(DeleteRegistryFinding, DeepKeyGoesWithAllItsSubKeysInItsViewOnly) {
  TTestContext context;
  const bool wow64 = context.Ctx.IsWow64();
  TRegistryTestKey key(HKEY_LOCAL_MACHINE, "deep");
  for (bool native : {false, true}) {
    key.SetText("d\\a\\b\\c\\e", native, "v", "1");
    key.Set("d\\a\\f", native);
    key.SetText("d\\g", native, "w", "2");
    key.Set("d\\软件\\h", native);
  }
  EXPECT_TRUE(DeleteRegistryFinding("HKEY_LOCAL_MACHINE", key.Path("d"), "x64", ""));
  EXPECT_FALSE(key.Exists("d", true));
  EXPECT_TRUE(key.Exists("", true)) << "the parent stays";
  if (wow64) {
    EXPECT_TRUE(key.Exists("d\\a\\b\\c\\e", false)) << "the 32-bit twin keeps every sub-key";
    EXPECT_TRUE(key.Exists("d\\软件\\h", false));
    EXPECT_TRUE(DeleteRegistryFinding("HKEY_LOCAL_MACHINE", key.Path("d"), "", ""));
    EXPECT_FALSE(key.Exists("d", false));
  } else {
    EXPECT_FALSE(key.Exists("d", false)) << "one view only";
  }
}
