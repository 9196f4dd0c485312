// The text rules of the registry checks: menu-order names, firewall rules, uninstall
// commands.
#include <gtest/gtest.h>

#include "core/FirewallRuleText.h"
#include "core/MenuOrderRules.h"
#include "core/UninstallRules.h"

using namespace core;

TEST(MenuOrderRules, LocalisedFolderNamesBecomeTheEnglishOnes) {
  EXPECT_EQ(TranslateMenuOrderEntry("附件"), "Accessories");
  EXPECT_EQ(TranslateMenuOrderEntry("\\附件\\游戏\\启动"), "\\Accessories\\Games\\Startup");
  EXPECT_EQ(TranslateMenuOrderEntry("\\附件\\系统工具"), "\\Accessories\\System Tools");
  EXPECT_EQ(TranslateMenuOrderEntry("\\附件\\轻松访问"), "\\Accessories\\Accessibility");
  // "系统工具" and "轻松访问" only below the accessories.
  EXPECT_EQ(TranslateMenuOrderEntry("\\系统工具"), "\\系统工具");
  EXPECT_EQ(TranslateMenuOrderEntry("管理工具 维护 方案和升级"), "Administrative Tools Maintenance Extras and Upgrades");
  EXPECT_EQ(TranslateMenuOrderEntry("Games"), "Games");
  EXPECT_TRUE(IsKeptMenuOrderEntry("\\Accessories\\Communications\\HyperTerminal"));
  EXPECT_TRUE(IsKeptMenuOrderEntry("\\附件\\通讯\\超级终端"));
  EXPECT_FALSE(IsKeptMenuOrderEntry("\\accessories\\communications\\hyperterminal"));
}

TEST(FirewallRuleText, TheProgramIsTheFirstAppPieceWithQuotedBarsKept) {
  EXPECT_EQ(FirewallRuleApp("v2.10|Action=Allow|App=C:\\A\\B.exe|Name=x|"), "c:\\a\\b.exe");
  EXPECT_EQ(FirewallRuleApp("v2.10|Name='a|App=x'|App=\"C:\\p|q.exe\"|"), "\"c:\\p|q.exe\"");
  EXPECT_EQ(FirewallRuleApp("Name=x\r\nApp=C:\\y.exe"), "c:\\y.exe");
  EXPECT_EQ(FirewallRuleApp("v2.10|Action=Block|"), "");
  EXPECT_EQ(FirewallRuleApp("App=C:\\1.exe|App=C:\\2.exe"), "c:\\1.exe");
  EXPECT_EQ(FirewallRuleApp(""), "");
  // An open quote ends at the line's end.
  EXPECT_EQ(SplitFirewallRule("a='b|c\nApp=d||"), (std::vector<std::string>{"a='b|c", "App=d"}));
  EXPECT_EQ(WithoutQuotes("\"c:\\x'y.exe\""), "c:\\xy.exe");
  // A trail byte 0x7C of a double-byte character is no bar.
  EXPECT_EQ(SplitFirewallRule("App=C:\\\x81\x7C.exe|x").size(), 2u);
}

TEST(UninstallRules, TargetsOfRundllAndInstallerCommands) {
  bool invalid = false;
  EXPECT_EQ(UninstallCommandTarget("C:\\App\\Uninst.exe /S", "C:\\App\\Uninst.exe", &invalid), "c:\\app\\uninst.exe");
  EXPECT_FALSE(invalid);
  EXPECT_EQ(UninstallCommandTarget("rundll32 C:\\x.dll,Remove", "rundll32 C:\\x.dll", &invalid), "C:\\x.dll,Remove");
  EXPECT_EQ(UninstallCommandTarget("C:\\W\\rundll32.exe C:\\y.dll,Go", "C:\\W\\rundll32.exe", &invalid), "C:\\y.dll,Go");
  EXPECT_FALSE(invalid);
  UninstallCommandTarget("C:\\W\\rundll32.exe", "C:\\W\\rundll32.exe", &invalid);
  EXPECT_TRUE(invalid) << "rundll32 alone removes nothing";
  std::string rest;
  EXPECT_TRUE(TextAfterDashFQuote("C:\\u.exe -f\"C:\\App\\a.exe\"", rest));
  EXPECT_EQ(rest, "C:\\App\\a.exe\"");
  EXPECT_FALSE(TextAfterDashFQuote("C:\\u.exe -f C:\\a", rest));

  std::string icon;
  EXPECT_FALSE(UninstallIconCommand("RunDll32 C:\\x\\ctor.dll,Run", "C:\\Windows", icon));
  ASSERT_TRUE(UninstallIconCommand("RunDll32 C:\\X\\a.dll,Run", "C:\\Windows", icon));
  EXPECT_EQ(icon, "c:\\x\\a.dll,run");
  ASSERT_TRUE(UninstallIconCommand("C:\\WINDOWS\\uninst.exe -fC:\\App\\deisl1.isu", "C:\\Windows", icon));
  EXPECT_EQ(icon, "c:\\app\\deisl1.isu");
}
