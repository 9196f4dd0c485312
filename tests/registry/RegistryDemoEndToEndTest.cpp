// The demo seeder's invalid registry entries in the test prefix: a scan of the registry
// group finds them in every category and changes nothing; a clean removes exactly the
// checked findings and leaves every other key and value of both views as it was.
#include <gtest/gtest.h>

#include <set>

#include "core/GbkText.h"
#include "core/RegistryViewRules.h"
#include "helpers/PrefixSnapshot.h"
#include "helpers/ProcessHelpers.h"
#include "helpers/RegistrySecurity.h"
#include "helpers/RegistryTree.h"
#include "helpers/TempFolder.h"
#include "helpers/TestContext.h"
#include "helpers/RemoverCoverage.h"
#include "items/CleanDriver.h"
#include "registry/RegBackup.h"
#include "registry/RegistryCategories.h"
#include "registry/RegistryDelete.h"
#include "registry/RegistryScanBench.h"
#include "registry/RegistryTestKey.h"
#include "system/FolderValues.h"
#include "system/WideText.h"

namespace {

bool RunSeeder(const wchar_t* mode) {
  TChild seeder = StartChild(L"\"" + ModuleDir() + L"\\demo_seeder.exe\" " + mode);
  return seeder.WaitExit(30000) && seeder.ExitCode() == 0;
}

bool IsDemo(const Column4TreeData& d) { return core::LowerGbk(d.Caption).find("purvexdemo") != std::string::npos; }

// Where Wine saves the key of a finding: the classes root is the machine's "Classes", and
// the default view of 64-bit Windows lies under "Wow6432Node" (for the classes root in
// either of the two places Wine may keep it).
std::vector<std::string> EntriesOf(const TSnapshot& before, const Column4TreeData& d, bool wow64) {
  const bool classes = d.Root == "HKEY_CLASSES_ROOT";
  const std::string root = classes ? "HKLM" : d.Root;
  std::string path = core::MapToWow32Path(d.Root, d.Path, d.Kind == "x64", wow64);
  std::vector<std::string> entries = EntriesOfFinding(before, root, classes ? "Software\\Classes\\" + path : path, d.Name);
  if (entries.empty() && classes && path != d.Path)
    entries = EntriesOfFinding(before, root, "Software\\Wow6432Node\\Classes\\" + d.Path, d.Name);
  return entries;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\n";
  return out;
}


const char kUninstallDemo[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\PurvexDemo";
const char kAppPathDemo[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\PurvexDemo.exe";
const char kSharedDlls[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";

void SetValue(HKEY root, const std::string& path, const wchar_t* name, DWORD type, const std::string& bytes) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) return;
  RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
}

}  // namespace

// The demo's entries with what a real registry also holds: a key's default value beside
// the entries of a checked list, strings with line breaks and zeros inside in a key that
// goes whole, and a registry link below another such key (no backup can carry it, so that
// finding stays). A restore after the clean gives back the registry as it was.
TEST(RegistryDemo, EveryCategoryFindsTheSeededEntriesAndACleanRemovesExactlyTheCheckedAndTheRestoreBringsThemBack) {
  TTestContext context;
  FillFolderValues(context.Ctx);
  const TTempFolder backups;
  context.Ctx.RegBakDir = GbkFromWide(backups.File(L"RegBak"));
  context.Ctx.RegRestoreDir = GbkFromWide(backups.File(L"RegRestore"));
  ASSERT_TRUE(RunSeeder(L"/registry"));
  TRegistryTestKey linkTarget(HKEY_CURRENT_USER, "demo-link-target");
  struct TRemove {
    ~TRemove() {
      RemoveRegistryTree(HKEY_LOCAL_MACHINE, std::string(kAppPathDemo) + "\\PurvexLink", true);
      HKEY shared;
      if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedDlls, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, &shared) == ERROR_SUCCESS) {
        RegDeleteValueW(shared, L"");
        RegCloseKey(shared);
      }
      RunSeeder(L"/remove-registry");
    }
  } removeAfterwards;
  const std::string nul(2, '\0');
  auto utf16 = [](const wchar_t* text) { return std::string(reinterpret_cast<const char*>(text), wcslen(text) * 2); };
  SetValue(HKEY_LOCAL_MACHINE, kSharedDlls, L"", REG_SZ, utf16(L"C:\\windows") + nul);
  SetValue(HKEY_LOCAL_MACHINE, kUninstallDemo, L"PurvexLines", REG_SZ, utf16(L"one\r\n[two]\n") + nul);
  SetValue(HKEY_LOCAL_MACHINE, kUninstallDemo, L"PurvexZeros", REG_SZ, utf16(L"a") + nul + utf16(L"b") + nul);
  linkTarget.SetText("", false, "t", "1");
  ASSERT_TRUE(MakeLink(HKEY_LOCAL_MACHINE, std::string(kAppPathDemo) + "\\PurvexLink",
                       CurrentUserKeyName(linkTarget.Path()), KEY_WOW64_64KEY));

  const TSnapshot before = SnapshotRegistry();
  ASSERT_GT(before.size(), 10000u) << "the whole registry of the prefix";
  TRegistryScanBench b;
  b.Scan();
  EXPECT_EQ(Lines(Differences(before, SnapshotRegistry())), "") << "a scan changes nothing";
  EXPECT_EQ(FindingsWithoutRemover(b.tree, b.handlers), std::vector<std::string>()) << "every category's findings";

  int32_t demoFindings = 0;
  for (TTreeNode* category = b.registryGroup->FirstChild(); category; category = category->NextSibling()) {
    int32_t demo = 0;
    for (TTreeNode* f = category->FirstChild(); f; f = f->NextSibling()) {
      EXPECT_FALSE(f->Data.Path == kSharedDlls && f->Data.Name.empty()) << "the default value is no whole-key finding";
      if (IsDemo(f->Data)) {
        ++demo;
        continue;
      }
      // What the prefix itself holds stays: it is not this test's to remove.
      b.tree.SetCheckState(f, TCheckState::Unchecked);
    }
    EXPECT_GE(demo, 1) << Utf8FromGbk(category->Data.Kind) << " finds the seeded entry";
    demoFindings += demo;
  }

  // Keep one seeded entry too. The key with a link below it stays, checked, for want of a
  // backup that could give it back.
  std::set<std::string> removed;
  TTreeNode* linked = nullptr;
  for (TTreeNode* category = b.registryGroup->FirstChild(); category; category = category->NextSibling())
    for (TTreeNode* f = category->FirstChild(); f; f = f->NextSibling()) {
      if (f->Data.Name == "PurvexDemo") b.tree.SetCheckState(f, TCheckState::Unchecked);
      if (f->CheckState() != TCheckState::Checked) continue;
      if (f->Data.Path == kAppPathDemo) {
        linked = f;
        continue;
      }
      const std::vector<std::string> entries = EntriesOf(before, f->Data, context.Ctx.IsWow64());
      EXPECT_FALSE(entries.empty()) << "a finding of nothing: " << Utf8FromGbk(f->Data.Caption);
      for (const std::string& e : entries) removed.insert("- " + e);
    }
  ASSERT_FALSE(removed.empty());

  ASSERT_NE(linked, nullptr) << "the program path's demo key is found";

  TScanDriver scan(b.tree, b.state, b.view, b.handlers, TScanPhases());
  TCleanPhases phases;
  phases.BackupBeforeClean = [&b](const std::vector<const TTreeNode*>& rows) {
    return BackupBeforeClean(rows, b.registryGroup);
  };
  TCleanDriver clean(b.tree, b.state, b.view, scan, phases);
  clean.CleanItems(false);
  EXPECT_EQ(clean.CleanCount(), demoFindings - 2);
  EXPECT_EQ(Lines(Differences(before, SnapshotRegistry())), Lines(std::vector<std::string>(removed.begin(), removed.end())))
      << "the clean removes the checked findings, in their views, and nothing else";
  EXPECT_EQ(linked->Parent()->FirstChild(), linked) << "the finding with the link stays";
  EXPECT_TRUE(IsChecked(linked->CheckState()));

  EXPECT_EQ(RestoreNewestBackup(), TRestoreResult::Restored);
  EXPECT_EQ(Lines(Differences(before, SnapshotRegistry())), "")
      << "the restore gives back every key and value, byte for byte, and nothing else";
}
