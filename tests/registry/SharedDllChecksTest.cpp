#include <gtest/gtest.h>

#include "registry/CheckBench.h"
#include "registry/RegistryChecks.h"

namespace {

const char kSharedDlls[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
const char kFolders[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";
const char kHelp[] = "Software\\Microsoft\\Windows\\Help";
const std::string kMachine = "HKEY_LOCAL_MACHINE\\";

}  // namespace

TEST(CheckSharedDlls, ZeroCountsAndMissingFilesOfEitherCountTypeInBothViews) {
  TCheckBench b;
  const BYTE bytes[] = {1, 2};
  // Names sort in the order written (Wine lists values sorted): a text that is no number
  // takes the count of the entry before it.
  b.seed.Dword(HKEY_LOCAL_MACHINE, kSharedDlls, false, b.File("a.dll"), 0);
  b.seed.Text(HKEY_LOCAL_MACHINE, kSharedDlls, false, b.File("b.dll"), "many");
  b.seed.Value(HKEY_LOCAL_MACHINE, kSharedDlls, false, b.Missing("c.dll"), REG_BINARY, bytes, 2);
  b.seed.Text(HKEY_LOCAL_MACHINE, kSharedDlls, false, b.File("d.dll"), "3");
  b.seed.Text(HKEY_LOCAL_MACHINE, kSharedDlls, false, b.File("e.dll"), "x");
  b.seed.Text(HKEY_LOCAL_MACHINE, kSharedDlls, false, b.Missing("f.dll"), "2");
  b.seed.Dword(HKEY_LOCAL_MACHINE, kSharedDlls, true, b.Missing("g.dll"), 1);
  b.seed.Dword(HKEY_LOCAL_MACHINE, kSharedDlls, true, b.File("h.dll"), 5);

  const std::vector<Column4TreeData> found = b.RunBoth(CheckSharedDlls);
  TCaptions expected;
  for (const char* name : {"a.dll", "b.dll", "f.dll"}) expected.push_back(kMachine + kSharedDlls + "\\" + b.Missing(name));
  // On 32-bit Windows the seeds of both views are one key: g.dll is an entry of it.
  expected.push_back((b.Wow64() ? "64位分支:" : "") + kMachine + kSharedDlls + "\\" + b.Missing("g.dll"));
  EXPECT_EQ(Captions(found), expected);
  ASSERT_FALSE(found.empty());
  EXPECT_EQ(found[0].Path, kSharedDlls);
  EXPECT_EQ(found[0].Name, b.Missing("a.dll"));
  EXPECT_EQ(found[0].Root, "HKEY_LOCAL_MACHINE");
  EXPECT_EQ(found[0].Kind, "");
  EXPECT_EQ(found.back().Kind, b.Wow64() ? "x64" : "");
}

TEST(CheckSharedDlls, TargetsThatCannotBeDecidedMissingAreLeftAlone) {
  TCheckBench b;
  b.seed.Dword(HKEY_LOCAL_MACHINE, kSharedDlls, false, "\\\\" + b.Tag() + "-server\\share\\x.dll", 1);
  b.seed.Dword(HKEY_LOCAL_MACHINE, kSharedDlls, false, b.Folder() + "\\" + std::string(300, 'a') + ".dll", 1);
  b.seed.Dword(HKEY_LOCAL_MACHINE, kSharedDlls, false, b.Folder() + "\\?" + ".dll", 1);
  ASSERT_EQ(GetDriveTypeA("R:\\"), UINT(DRIVE_REMOVABLE)) << "the prefix maps R: as a removable disk";
  ASSERT_EQ(GetDriveTypeA("N:\\"), UINT(DRIVE_REMOTE)) << "the prefix maps N: as a network share";
  b.seed.Dword(HKEY_LOCAL_MACHINE, kSharedDlls, false, "R:\\" + b.Tag() + "\\x.dll", 1);
  b.seed.Dword(HKEY_LOCAL_MACHINE, kSharedDlls, false, "N:\\" + b.Tag() + "\\x.dll", 1);
  // A drive letter that does not exist holds nothing: that entry is reported.
  b.seed.Dword(HKEY_LOCAL_MACHINE, kSharedDlls, false, "Q:\\" + b.Tag() + "\\x.dll", 1);
  EXPECT_EQ(Captions(b.Run(CheckSharedDlls, false)), TCaptions({kMachine + kSharedDlls + "\\Q:\\" + b.Tag() + "\\x.dll"}));
}

TEST(CheckInstallerFolders, MissingFoldersOutsideWindowsWithAColonBeforeTheName) {
  TCheckBench b;
  const std::string gone = b.Missing("gone\\");
  b.seed.Text(HKEY_LOCAL_MACHINE, kFolders, false, gone, "");
  b.seed.Text(HKEY_LOCAL_MACHINE, kFolders, false, b.Folder() + "\\", "", REG_EXPAND_SZ);
  b.seed.Dword(HKEY_LOCAL_MACHINE, kFolders, false, b.Missing("dword\\"), 1);
  b.seed.Text(HKEY_LOCAL_MACHINE, kFolders, false, b.context.Ctx.WindowsDir + "\\" + b.Tag() + "\\", "");
  EXPECT_EQ(Captions(b.Run(CheckInstallerFolders, false)), TCaptions({kMachine + kFolders + ":" + gone}));
  const std::vector<Column4TreeData> found = b.Run(CheckInstallerFolders, false);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].Name, gone);
  EXPECT_EQ(found[0].Path, kFolders);
}

TEST(CheckHelpFiles, FilesMissingFromTheirFolderOnDrivesCToZAndEmptyFolders) {
  TCheckBench b;
  const std::string folder = b.Folder();
  b.File(b.Tag() + "-here.hlp");
  b.seed.Text(HKEY_LOCAL_MACHINE, kHelp, false, b.Tag() + "-here.hlp", folder);
  b.seed.Text(HKEY_LOCAL_MACHINE, kHelp, false, b.Tag() + "-gone.hlp", folder + "\\");
  b.seed.Text(HKEY_LOCAL_MACHINE, kHelp, false, b.Tag() + "-floppy.hlp", "A:\\help");
  b.seed.Text(HKEY_LOCAL_MACHINE, kHelp, false, b.Tag() + "-empty.hlp", "");
  b.seed.Text(HKEY_LOCAL_MACHINE, kHelp, false, b.Tag() + "-short.hlp", "C:");
  b.seed.Dword(HKEY_LOCAL_MACHINE, kHelp, false, b.Tag() + "-dword.hlp", 7);  // reads as an empty folder
  const std::string help = kMachine + kHelp + "\\" + b.Tag();
  EXPECT_EQ(Captions(b.Run(CheckHelpFiles, false)), TCaptions({help + "-dword.hlp", help + "-empty.hlp", help + "-gone.hlp"}));
}

// A key's default value is no entry of these lists: listed under the empty name, it would
// become a finding of the whole key, and the clean would take every entry with it.
TEST(NamedValueChecks, TheDefaultValueIsNeverAFindingOfTheWholeKey) {
  TCheckBench b;
  const struct {
    void (*Check)(TRegistryRun&);
    std::string Key;
  } kLists[] = {
      {CheckSharedDlls, kSharedDlls},
      {CheckInstallerFolders, kFolders},
      {CheckHelpFiles, kHelp},
      {CheckFirewallApps,
       "SYSTEM\\CurrentControlSet\\Services\\SharedAccess\\Parameters\\FirewallPolicy\\StandardProfile\\"
       "AuthorizedApplications\\List"},
  };
  for (const auto& list : kLists) {
    // A default value that fails every rule (an existing folder is no file), beside an
    // entry that is reported (a file that is not there, in the folder of the help files).
    b.seed.Text(HKEY_LOCAL_MACHINE, list.Key, false, "", b.Folder());
    b.seed.Text(HKEY_LOCAL_MACHINE, list.Key, false, b.Missing("gone\\x.dll"), b.Folder());
    const std::vector<Column4TreeData> found = b.Run(list.Check, false);
    EXPECT_FALSE(found.empty()) << list.Key;
    for (const Column4TreeData& f : found) EXPECT_FALSE(f.Name.empty()) << list.Key << ": " << f.Caption;
  }
}
