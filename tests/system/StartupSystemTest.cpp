// Start-up pieces that need Windows: the administrator test and the refusal texts.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "app/Startup.h"
#include "helpers/StartupTexts.h"
#include "system/WideText.h"

TEST(IsUserAdmin, TheBenchUserIsAnAdministrator) { EXPECT_TRUE(IsUserAdmin()); }

namespace {
// A TOKEN_GROUPS list of count world SIDs with the Administrators SID at position at.
std::vector<BYTE> GroupList(DWORD count, DWORD at) {
  static SID_IDENTIFIER_AUTHORITY world = {SECURITY_WORLD_SID_AUTHORITY};
  static SID_IDENTIFIER_AUTHORITY nt = {SECURITY_NT_AUTHORITY};
  static PSID everyone = nullptr, admins = nullptr, users = nullptr;
  if (!everyone) {
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &admins);
    AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS, 0, 0, 0, 0, 0, 0, &users);
  }
  std::vector<BYTE> buf(sizeof(TOKEN_GROUPS) + count * sizeof(SID_AND_ATTRIBUTES));
  auto* groups = reinterpret_cast<TOKEN_GROUPS*>(buf.data());
  groups->GroupCount = count;
  for (DWORD i = 0; i < count; ++i) {
    groups->Groups[i].Sid = i == at ? admins : (i % 2 ? users : everyone);
    groups->Groups[i].Attributes = SE_GROUP_ENABLED;
  }
  return buf;
}
}  // namespace

TEST(GroupsHoldAdministrators, FindsTheGroupAnywhereInLongLists) {
  for (DWORD at : {0u, 1u, 39u, 199u}) {
    std::vector<BYTE> list = GroupList(200, at);
    EXPECT_TRUE(GroupsHoldAdministrators(reinterpret_cast<TOKEN_GROUPS*>(list.data()))) << at;
  }
  std::vector<BYTE> without = GroupList(50, 1000);
  EXPECT_FALSE(GroupsHoldAdministrators(reinterpret_cast<TOKEN_GROUPS*>(without.data())));
  std::vector<BYTE> empty = GroupList(0, 0);
  EXPECT_FALSE(GroupsHoldAdministrators(reinterpret_cast<TOKEN_GROUPS*>(empty.data())));
}

TEST(StartupRefusalText, EachRefusalHasItsMessage) {
  using core::StartupRefusal;
  EXPECT_EQ(WideFromGbk(StartupRefusalText(StartupRefusal::UnknownOS, "")), PURVEX_TEXT_M1);
  EXPECT_EQ(WideFromGbk(StartupRefusalText(StartupRefusal::TooOld, "")), PURVEX_TEXT_M2);
  EXPECT_EQ(WideFromGbk(StartupRefusalText(StartupRefusal::NotAdmin, "XP")),
            L"说明：Windows XP 下，只有系统管理员身份的用户才能使用本软件。");
  EXPECT_EQ(WideFromGbk(StartupRefusalText(StartupRefusal::NotAdmin, "Vista")),
            L"说明：Windows Vista 下，只有系统管理员身份的用户才能使用本软件。");
  EXPECT_EQ(StartupRefusalText(StartupRefusal::None, "XP"), "");
}
