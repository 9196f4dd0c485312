#include "registry/RegistryCaches.h"

#include <gtest/gtest.h>

#include "helpers/TestContext.h"
#include "registry/RegistryScanBench.h"
#include "registry/RegistryTestKey.h"

// A classes root of the test's own below HKLM\Software, whose two views are two keys in
// the win64 prefix (as HKEY_CLASSES_ROOT's are) and one key in win32.
TEST(TRegistryCaches, OneSnapshotPerViewUntilTheNextScanEmptiesThem) {
  TTestContext context;
  const bool wow64 = context.Ctx.IsWow64();
  TRegistryTestKey classes(HKEY_LOCAL_MACHINE, "classes");
  classes.Set(".sixty", true);
  classes.Set("sixtyfile", true);
  classes.Set("CLSID\\{64}", true);
  classes.Set(".thirty", false);
  classes.Set("CLSID\\{32}", false);
  TRegistryCaches caches(HKEY_LOCAL_MACHINE, classes.Path());

  caches.EnsureClsidLists();
  EXPECT_TRUE(caches.ClsidNames(false).Contains("{32}"));
  EXPECT_EQ(caches.ClsidNames(false).Contains("{64}"), !wow64);
  EXPECT_EQ(caches.ClsidNames(true).Contains("{64}"), wow64);
  EXPECT_EQ(caches.ClsidNames(true).Empty(), !wow64) << "no 64-bit list on 32-bit Windows";
  EXPECT_TRUE(caches.ClassKeys(true).Empty()) << "filled only when asked for";

  caches.EnsureClassKeyLists(true);
  EXPECT_TRUE(caches.ClassKeys(true).Contains("SIXTYFILE"));
  EXPECT_TRUE(caches.ClassKeys(true).Contains("clsid"));
  EXPECT_EQ(caches.ExtensionKeys(true).Names(),
            wow64 ? (std::vector<std::string>{".sixty"}) : (std::vector<std::string>{".sixty", ".thirty"}));
  EXPECT_TRUE(caches.ClassKeys(false).Empty()) << "each view on its own";

  // Later changes stay unseen within the scan, and show after the next scan's start.
  classes.Set("CLSID\\{new}", false);
  classes.Set(".later", true);
  caches.EnsureClsidLists();
  caches.EnsureClassKeyLists(true);
  EXPECT_FALSE(caches.ClsidNames(false).Contains("{new}"));
  EXPECT_FALSE(caches.ExtensionKeys(true).Contains(".later"));
  caches.ClearScanLists();
  for (bool native : {false, true}) {
    EXPECT_TRUE(caches.ClsidNames(native).Empty());
    EXPECT_TRUE(caches.ClassKeys(native).Empty());
    EXPECT_TRUE(caches.ExtensionKeys(native).Empty());
  }
  caches.EnsureClsidLists();
  caches.EnsureClassKeyLists(true);
  EXPECT_TRUE(caches.ClsidNames(false).Contains("{new}"));
  EXPECT_TRUE(caches.ExtensionKeys(true).Contains(".later"));
}

// The process's caches as the checks see them during scans: the class lists empty at the
// start of every scan, the ActiveX findings kept until the ActiveX category runs again.
TEST(RegistryCaches, ScanStartEmptiesClassListsAndTheActiveXCategoryItsFindings) {
  TTestContext context;
  TRegistryScanBench b;
  LoadClsidLists();
  LoadClassKeyLists(false);
  ASSERT_FALSE(RegistryCaches().ClsidNames(false).Empty()) << "the prefix has classes";
  RegistryCaches().BrokenClasses = {"oldfile"};
  RegistryCaches().BrokenShellClasses = {"oldshell"};

  bool emptyAtFirstCategory = false;
  std::vector<std::string> brokenSeen;
  b.Fake("冗余动态链接库", TRegistryViews::Both, [&](TRegistryRun& run) {
    if (!run.Native())
      emptyAtFirstCategory = RegistryCaches().ClsidNames(false).Empty() && RegistryCaches().ClassKeys(false).Empty();
  });
  b.Fake("错误的文件关联", TRegistryViews::Native,
         [&](TRegistryRun&) { brokenSeen = RegistryCaches().BrokenClasses; });
  b.tree.SetCheckState(Find(b.tree, "错误的ActiveX信息"), TCheckState::Unchecked);
  b.Scan();
  EXPECT_TRUE(emptyAtFirstCategory);
  EXPECT_EQ(brokenSeen, (std::vector<std::string>{"oldfile"})) << "an earlier scan's, the ActiveX category unchecked";

  b.tree.SetCheckState(Find(b.tree, "错误的ActiveX信息"), TCheckState::Checked);
  b.Scan();
  EXPECT_TRUE(brokenSeen.empty()) << "the ActiveX category starts afresh";
  EXPECT_TRUE(RegistryCaches().BrokenShellClasses.empty());
}
