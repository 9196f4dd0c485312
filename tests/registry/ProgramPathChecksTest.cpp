#include <gtest/gtest.h>

#include "core/GbkText.h"
#include "registry/CheckBench.h"
#include "registry/RegistryChecks.h"

namespace {

const std::string kPolicy = "SYSTEM\\CurrentControlSet\\Services\\SharedAccess\\Parameters\\FirewallPolicy\\";
const std::string kList = kPolicy + "StandardProfile\\AuthorizedApplications\\List";
const std::string kRules = kPolicy + "FirewallRules";
const std::string kMui = "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache";
const std::string kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kRunOnce = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const std::string kAppPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
const std::string kFonts = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

std::string Prefix(const TCheckBench& b) { return b.Wow64() ? "64位分支:" : ""; }

}  // namespace

TEST(CheckFirewallApps, ProgramsOfTheExceptionListAndOfTheRulesThatAreGone) {
  TCheckBench b;
  const bool n = b.Wow64();
  const std::string gone = b.Missing("gone.exe"), here = b.File("here.exe");
  b.seed.Text(HKEY_LOCAL_MACHINE, kList, n, gone, gone + ":*:Enabled:x");
  b.seed.Text(HKEY_LOCAL_MACHINE, kList, n, here, here + ":*:Enabled:x");
  b.seed.Text(HKEY_LOCAL_MACHINE, kRules, n, b.Tag() + "R1", "v2.10|Action=Allow|App=" + gone + "|Name=x|");
  b.seed.Text(HKEY_LOCAL_MACHINE, kRules, n, b.Tag() + "R2", "v2.10|App=SYSTEM|Name=x|");
  b.seed.Text(HKEY_LOCAL_MACHINE, kRules, n, b.Tag() + "R3", "v2.10|Name='a|b'|App=\"" + gone + "\"|");
  b.seed.Text(HKEY_LOCAL_MACHINE, kRules, n, b.Tag() + "R4", "v2.10|App=" + here + "|");
  b.seed.Text(HKEY_LOCAL_MACHINE, kRules, n, b.Tag() + "R5", "v2.10|Action=Block|Name=" + gone + "|");
  b.seed.Text(HKEY_LOCAL_MACHINE, kRules, n, b.Tag() + "R6", "v2.10|App=notepad.exe|");
  const std::string machine = Prefix(b) + "HKEY_LOCAL_MACHINE\\";
  const std::string lowerGone = core::LowerGbk(gone);
  EXPECT_EQ(Captions(b.RunNative(CheckFirewallApps)),
            TCaptions({machine + kList + "\\" + gone, machine + kRules + "\\" + b.Tag() + "R1:" + lowerGone,
                       machine + kRules + "\\" + b.Tag() + "R3:" + lowerGone}));
  // Rules came with Vista.
  b.context.Ctx.OSInfo->MajorVersion = 5;
  EXPECT_EQ(b.RunNative(CheckFirewallApps).size(), 1u);
}

TEST(CheckMuiCache, ProgramPathsWithADriveThatAreGone) {
  TCheckBench b;
  const std::string gone = b.Missing("gone.exe");
  const BYTE bytes[] = {1};
  b.seed.Text(HKEY_CURRENT_USER, kMui, false, gone, "Gone");
  b.seed.Text(HKEY_CURRENT_USER, kMui, false, "@" + b.Missing("gone.dll") + ",-1", "Gone", REG_EXPAND_SZ);
  b.seed.Text(HKEY_CURRENT_USER, kMui, false, "@" + b.Tag() + "shell32.dll,-1", "Bare");
  b.seed.Value(HKEY_CURRENT_USER, kMui, false, b.Missing("binary.exe"), REG_BINARY, bytes, 1);
  b.seed.Text(HKEY_CURRENT_USER, kMui, false, b.File("here.exe"), "Here");
  const std::string user = Prefix(b) + "HKEY_CURRENT_USER\\" + kMui + "\\";
  EXPECT_EQ(Captions(b.RunNative(CheckMuiCache)),
            TCaptions({user + "@" + b.Missing("gone.dll") + ",-1", user + gone}));
}

TEST(CheckRunEntries, StringEntriesWhoseProgramWithADriveIsGoneUnderBothRoots) {
  TCheckBench b;
  const bool n = b.Wow64();
  const std::string t = b.Tag(), gone = b.Missing("gone.exe");
  b.seed.Text(HKEY_LOCAL_MACHINE, kRun, n, t + "A", "\"" + gone + "\" /background");
  b.seed.Text(HKEY_LOCAL_MACHINE, kRun, n, t + "B", gone, REG_EXPAND_SZ);
  b.seed.Text(HKEY_LOCAL_MACHINE, kRun, n, t + "C", t + "tool.exe /x");
  b.seed.Text(HKEY_LOCAL_MACHINE, kRun, n, t + "D", "rundll32.exe " + b.Missing("gone.dll") + ",Start");
  b.seed.Text(HKEY_LOCAL_MACHINE, kRun, n, t + "E", "R:\\" + t + "\\tool.exe");
  b.seed.Text(HKEY_LOCAL_MACHINE, kRun, n, t + "F", " " + b.File("here.exe") + " ");
  b.seed.Text(HKEY_CURRENT_USER, kRunOnce, n, t + "G", gone);
  const std::string p = Prefix(b);
  EXPECT_EQ(Captions(b.RunNative(CheckRunEntries)),
            TCaptions({p + "HKEY_LOCAL_MACHINE\\" + kRun + "\\" + t + "A", p + "HKEY_LOCAL_MACHINE\\" + kRun + "\\" + t + "D",
                       p + "HKEY_CURRENT_USER\\" + kRunOnce + "\\" + t + "G"}));
  const std::vector<Column4TreeData> found = b.RunNative(CheckRunEntries);
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[2].Root, "HKEY_CURRENT_USER");
  EXPECT_EQ(found[2].Path, kRunOnce);
  EXPECT_EQ(found[2].Name, t + "G");
}

TEST(CheckAppPaths, ApplicationKeysWhoseStringPathIsGone) {
  TCheckBench b;
  const bool n = b.Wow64();
  const std::string t = b.Tag();
  b.seed.Text(HKEY_LOCAL_MACHINE, kAppPaths + t + "gone.exe", n, "", b.Missing("gone.exe"));
  b.seed.Text(HKEY_LOCAL_MACHINE, kAppPaths + t + "here.exe", n, "", b.File("here.exe"));
  b.seed.Text(HKEY_LOCAL_MACHINE, kAppPaths + t + "expand.exe", n, "", b.Missing("gone.exe"), REG_EXPAND_SZ);
  b.seed.Text(HKEY_LOCAL_MACHINE, kAppPaths + t + "nodefault.exe", n, "Path", b.Folder());
  const std::vector<Column4TreeData> found = b.RunNative(CheckAppPaths);
  ASSERT_EQ(Captions(found), TCaptions({Prefix(b) + "HKEY_LOCAL_MACHINE\\" + kAppPaths + t + "gone.exe"}));
  EXPECT_EQ(found[0].Name, "");
  EXPECT_EQ(found[0].Path, kAppPaths + t + "gone.exe");
}

TEST(CheckFonts, FontFilesFoundNeitherInTheFontsFolderNorWhereTheyAreNamed) {
  TCheckBench b;
  const bool n = b.Wow64();
  const std::string t = b.Tag();
  b.seed.Text(HKEY_LOCAL_MACHINE, kFonts, n, t + " Gone", t + "gone.ttf");
  b.seed.Text(HKEY_LOCAL_MACHINE, kFonts, n, t + " Here", b.File("here.ttf"));
  b.seed.Text(HKEY_LOCAL_MACHINE, kFonts, n, t + " Wine", "tahoma.ttf");
  b.seed.Dword(HKEY_LOCAL_MACHINE, kFonts, n, t + " Dword", 1);
  EXPECT_EQ(Captions(b.RunNative(CheckFonts)), TCaptions({Prefix(b) + "HKEY_LOCAL_MACHINE\\" + kFonts + "\\" + t + " Gone"}));
}
