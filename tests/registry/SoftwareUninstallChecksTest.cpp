#include <gtest/gtest.h>

#include <algorithm>

#include "registry/CheckBench.h"
#include "registry/RegistryChecks.h"
#include "registry/UninstallEntries.h"

namespace {

const std::string kMachine = "HKEY_LOCAL_MACHINE\\";
const std::string kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::string kArpCache = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\";
const std::string kProducts = "SOFTWARE\\Classes\\Installer\\Products\\";
const std::string kUserData = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\";

TCaptions Sorted(TCaptions captions) {
  std::sort(captions.begin(), captions.end());
  return captions;
}

// An uninstall entry in the default view with a display name and a command.
void Entry(TCheckBench& b, const std::string& path, const std::string& name, const std::string& command) {
  if (!name.empty()) b.seed.Text(HKEY_LOCAL_MACHINE, path, false, "DisplayName", name);
  b.seed.Text(HKEY_LOCAL_MACHINE, path, false, "UninstallString", command);
}

}  // namespace

TEST(CheckSoftwareKeys, EmptyVendorKeysOfTheMachineInEachViewAndOfTheUserOnce) {
  TCheckBench b;
  const std::string t = b.Tag();
  for (bool native : {false, true}) {
    b.seed.Key(HKEY_LOCAL_MACHINE, "Software\\" + t + "Empty", native);
    b.seed.Text(HKEY_LOCAL_MACHINE, "Software\\" + t + "Full", native, "v", "1");
    b.seed.Text(HKEY_LOCAL_MACHINE, "Software\\" + t + "CASE", native, "v", "1");
  }
  b.seed.Key(HKEY_CURRENT_USER, "Software\\" + t + "UserEmpty", false);
  b.seed.Key(HKEY_CURRENT_USER, "Software\\" + t + "Case", false);  // a vendor only in another letter case
  b.seed.Key(HKEY_CURRENT_USER, "Software\\" + t + "Full", false);  // named like a machine vendor

  TCaptions expected = {kMachine + "Software\\" + t + "Empty"};
  if (b.Wow64()) expected.push_back("64位分支:" + kMachine + "Software\\" + t + "Empty");
  const std::string user = std::string(b.Wow64() ? "64位分支:" : "") + "HKEY_CURRENT_USER\\Software\\" + t;
  expected.push_back(user + "Case");
  expected.push_back(user + "UserEmpty");
  EXPECT_EQ(Sorted(Captions(b.RunBoth(CheckSoftwareKeys))), Sorted(expected));
}

TEST(CheckSoftwareKeys, KeptEmptyVendorNamesAreNeverReported) {
  TCheckBench b;
  b.seed.Key(HKEY_LOCAL_MACHINE, "Software\\Secure", false);
  b.seed.Key(HKEY_LOCAL_MACHINE, "Software\\Secure", true);
  b.seed.Key(HKEY_CURRENT_USER, "Software\\Secure", false);    // a machine vendor by that name exists
  b.seed.Key(HKEY_CURRENT_USER, "Software\\cnetseek", false);
  EXPECT_TRUE(b.Run(CheckSoftwareKeys, false, "\\Secure").empty());
  EXPECT_TRUE(b.Run(CheckSoftwareKeys, b.Wow64(), "\\Secure").empty());
  EXPECT_TRUE(b.Run(CheckSoftwareKeys, b.Wow64(), "cnetseek").empty());
}

TEST(CheckSoftwareKeys, CacheEntriesWithoutAValidUninstallEntryInAnyLetterCase) {
  TCheckBench b;
  const std::string t = b.Tag();
  const std::string program = b.File("app.exe");
  Entry(b, kUninstall + t + "a", "A", "\"" + program + "\" /remove");
  // A command alone is not judged here; a command and its icon both gone are.
  Entry(b, kUninstall + t + "c", "C", b.Missing("gone.exe") + " /remove");
  b.seed.Text(HKEY_LOCAL_MACHINE, kUninstall + t + "c", false, "DisplayIcon", b.Missing("gone.exe") + ",0");
  Entry(b, kUninstall + t + "d", "D", b.Missing("gone.exe") + " /remove");
  for (const char* cached : {"A", "B", "C", "D"}) b.seed.Key(HKEY_LOCAL_MACHINE, kArpCache + t + cached, false);
  const std::vector<Column4TreeData> found = b.Run(CheckSoftwareKeys, false);
  EXPECT_EQ(Captions(found), TCaptions({kMachine + kArpCache + t + "B", kMachine + kArpCache + t + "C"}));
}

TEST(IsUninstallTargetPresent, IconsAndCommandsThatPointToFiles) {
  TCheckBench b;
  const std::string program = b.File("app.exe"), gone = b.Missing("gone.exe");
  EXPECT_TRUE(IsUninstallTargetPresent("", gone));
  EXPECT_TRUE(IsUninstallTargetPresent(gone, program + ",0"));
  EXPECT_TRUE(IsUninstallTargetPresent(gone, "%SystemRoot%\\system32\\" + b.Tag() + "\\..\\notepad.exe"));
  EXPECT_TRUE(IsUninstallTargetPresent(gone, "C:\\a\\\\b.ico"));
  EXPECT_TRUE(IsUninstallTargetPresent(gone, "C:\\x\\SetupAPI.dll,2"));
  EXPECT_FALSE(IsUninstallTargetPresent(gone, b.Missing("gone.ico")));
  EXPECT_TRUE(IsUninstallTargetPresent(program, b.Missing("gone.ico")));
  EXPECT_TRUE(IsUninstallTargetPresent("MsiExec.exe /X{1}", ""));
  EXPECT_FALSE(IsUninstallTargetPresent("setup.exe -f\"" + gone, ""));
  EXPECT_TRUE(IsUninstallTargetPresent("setup.exe -f\"" + program, ""));
  EXPECT_TRUE(IsUninstallTargetPresent(gone, ""));
}

TEST(CheckUninstallers, EntriesWhoseProgramIsGoneWithTheirInstallerProducts) {
  TCheckBench b;
  const std::string t = b.Tag();
  const std::string program = b.File("app.exe"), gone = b.Missing("gone.exe");
  Entry(b, kUninstall + t + "Valid", t + " Valid", "\"" + program + "\" /uninstall");
  Entry(b, kUninstall + t + "Gone", t + " Gone", gone + " /uninstall");
  b.seed.Key(HKEY_LOCAL_MACHINE, kUninstall + t + "Husk", false);
  Entry(b, kUninstall + t + "Msi", t + " Msi", "MsiExec.exe /X{" + t + "}");
  Entry(b, kUninstall + t + "MsiUnknown", t + " Unknown", "MsiExec.exe /X{" + t + "}");
  Entry(b, kUninstall + t + "MsiAcronis", t + " ACRONIS", "MsiExec.exe /X{" + t + "}");
  Entry(b, kUninstall + t + "Rundll", t + " Rundll", "C:\\windows\\system32\\rundll32.exe");
  Entry(b, kUninstall + t + "Removable", t + " Removable", "R:\\" + t + "\\setup.exe");
  Entry(b, kUninstall + t + "Office", t + " Office 2007 Part", gone);
  // Products: one behind the "Msi" entry, one of Office, and one that only "UserData" lists.
  const std::string sid = t + "SID";
  for (const char* product : {"PK1", "PK2", "PK3", "PK4"})
    b.seed.Key(HKEY_LOCAL_MACHINE, kUserData + sid + "\\Products\\" + t + product, false);
  auto product = [&](const char* key, const std::string& name) {
    b.seed.Text(HKEY_LOCAL_MACHINE, kProducts + t + key, false, "ProductName", name);
    b.seed.Text(HKEY_LOCAL_MACHINE, kProducts + t + key, false, "ProductIcon", b.Missing("gone.ico"));
  };
  product("PK1", t + " Msi");
  product("PK2", t + " Office 2007 Part");
  product("PK3", t + " ACRONIS");
  product("PK4", t + " Orphan");
  Entry(b, kUserData + sid + "\\Products\\" + t + "PK4\\InstallProperties", t + " Orphan", gone);

  const TCaptions expected = {kMachine + kUninstall + t + "Gone",
                              kMachine + kUninstall + t + "Husk",
                              kMachine + kUninstall + t + "Msi",
                              kMachine + kProducts + t + "PK1",
                              kMachine + kUserData + sid + "\\Products\\" + t + "PK1",
                              kMachine + kUninstall + t + "Office",
                              kMachine + kUninstall + t + "Rundll",
                              kMachine + kUserData + sid + "\\Products\\" + t + "PK4"};
  EXPECT_EQ(Sorted(Captions(b.Run(CheckUninstallers, false))), Sorted(expected));
}
