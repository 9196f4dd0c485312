// A delete that the registry refuses is no clean, and a registry link below a finding is
// removed as a link: the keys it points to stay whole. A finding that is a link stays.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "helpers/RegistrySecurity.h"
#include "helpers/TestContext.h"
#include "registry/RegistryDelete.h"
#include "registry/RegistryTestKey.h"


// Before this rule a value below a key that refused to open for writing counted as removed.
TEST(DeleteRegistryFinding, AKeyThatRefusesIsNotCleaned) {
  TTestContext context;
  TRegistryTestKey key(HKEY_CURRENT_USER, "refuses");
  key.SetText("locked", false, "v", "1");
  key.Set("locked\\child", false);
  TReadOnlyKey locked(HKEY_CURRENT_USER, key.Path("locked"));
  ASSERT_TRUE(locked.Ok());
  HKEY probe;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key.Path("locked").c_str(), 0, KEY_SET_VALUE, &probe), ERROR_ACCESS_DENIED)
      << "this registry does not enforce key security";

  EXPECT_FALSE(DeleteRegistryFinding("HKEY_CURRENT_USER", key.Path("locked"), "", "v"));
  EXPECT_FALSE(DeleteRegistryFinding("HKEY_CURRENT_USER", key.Path("locked"), "", "@D_e_f_a_u_l_t"));
  EXPECT_EQ(key.Value("locked", false, "v"), std::string("1", 2));
  // Wine does not check the right to delete a key itself: there the whole-key refusal
  // cannot be made, and the finding is simply removed.
  key.Set("probe", false);
  TReadOnlyKey probeLocked(HKEY_CURRENT_USER, key.Path("probe"));
  const bool deleteChecked = RegDeleteKeyExA(HKEY_CURRENT_USER, key.Path("probe").c_str(), KEY_WOW64_32KEY, 0) ==
                             ERROR_ACCESS_DENIED;
  EXPECT_EQ(DeleteRegistryFinding("HKEY_CURRENT_USER", key.Path("locked"), "", ""), !deleteChecked) << "whole key";
  EXPECT_EQ(key.Exists("locked", false), deleteChecked);
  // Gone is gone, whatever the key above would allow.
  EXPECT_TRUE(DeleteRegistryFinding("HKEY_CURRENT_USER", key.Path("locked\\missing"), "", "v"));
}

// Before this rule the sub-keys of the link's target were deleted with the finding.
TEST(DeleteRegistryFinding, ALinkBelowTheKeyGoesAsALinkAndItsTargetStays) {
  TTestContext context;
  TRegistryTestKey target(HKEY_CURRENT_USER, "link-target");
  target.SetText("", false, "kept", "1");
  target.SetText("a\\b", false, "deep", "2");
  target.Set("c", false);
  TRegistryTestKey finding(HKEY_CURRENT_USER, "link-finding");
  finding.SetText("own", false, "x", "3");
  ASSERT_TRUE(MakeLink(HKEY_CURRENT_USER, finding.Path("link"), CurrentUserKeyName(target.Path())))
      << "this registry cannot make links";
  ASSERT_TRUE(finding.Exists("link\\a\\b", false)) << "the link does not lead to its target";

  EXPECT_TRUE(DeleteRegistryFinding("HKEY_CURRENT_USER", finding.Path(), "", ""));
  EXPECT_FALSE(finding.Exists("", false));
  EXPECT_EQ(target.Value("", false, "kept"), std::string("1", 2));
  EXPECT_EQ(target.Value("a\\b", false, "deep"), std::string("2", 2));
  EXPECT_TRUE(target.Exists("c", false));

  // A finding that is itself a link (as the keys both views share are in some systems):
  // neither the link nor its target goes, and the finding is not cleaned.
  ASSERT_TRUE(MakeLink(HKEY_CURRENT_USER, finding.Path(), CurrentUserKeyName(target.Path())));
  EXPECT_FALSE(DeleteRegistryFinding("HKEY_CURRENT_USER", finding.Path(), "", ""));
  EXPECT_TRUE(target.Exists("a\\b", false));
  EXPECT_TRUE(target.Exists("c", false));
  HKEY link;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, finding.Path().c_str(), REG_OPTION_OPEN_LINK, KEY_READ, &link),
            ERROR_SUCCESS);
  RegCloseKey(link);
}
