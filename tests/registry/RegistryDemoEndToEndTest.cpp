// The demo seeder's invalid registry entries in the test prefix: a scan of the registry
// group finds them in every category and changes nothing; a clean removes exactly the
// checked findings and leaves every other key and value of both views as it was.
#include <gtest/gtest.h>

#include <set>

#include "core/GbkText.h"
#include "core/RegistryViewRules.h"
#include "helpers/PrefixSnapshot.h"
#include "helpers/ProcessHelpers.h"
#include "helpers/TestContext.h"
#include "helpers/RemoverCoverage.h"
#include "items/CleanDriver.h"
#include "registry/RegistryCategories.h"
#include "registry/RegistryDelete.h"
#include "registry/RegistryScanBench.h"
#include "system/FolderValues.h"

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

}  // namespace

TEST(RegistryDemo, EveryCategoryFindsTheSeededEntriesAndACleanRemovesExactlyTheChecked) {
  TTestContext context;
  FillFolderValues(context.Ctx);
  ASSERT_TRUE(RunSeeder(L"/registry"));
  struct TRemove {
    ~TRemove() { RunSeeder(L"/remove-registry"); }
  } removeAfterwards;

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

  // Keep one seeded entry too.
  std::set<std::string> removed;
  for (TTreeNode* category = b.registryGroup->FirstChild(); category; category = category->NextSibling())
    for (TTreeNode* f = category->FirstChild(); f; f = f->NextSibling()) {
      if (f->Data.Name == "PurvexDemo") b.tree.SetCheckState(f, TCheckState::Unchecked);
      if (f->CheckState() != TCheckState::Checked) continue;
      const std::vector<std::string> entries = EntriesOf(before, f->Data, context.Ctx.IsWow64());
      EXPECT_FALSE(entries.empty()) << "a finding of nothing: " << Utf8FromGbk(f->Data.Caption);
      for (const std::string& e : entries) removed.insert("- " + e);
    }
  ASSERT_FALSE(removed.empty());

  TScanDriver scan(b.tree, b.state, b.view, b.handlers, TScanPhases());
  TCleanDriver clean(b.tree, b.state, b.view, scan, TCleanPhases());
  clean.CleanItems(false);
  EXPECT_EQ(clean.CleanCount(), demoFindings - 1);
  EXPECT_EQ(Lines(Differences(before, SnapshotRegistry())), Lines(std::vector<std::string>(removed.begin(), removed.end())))
      << "the clean removes the checked findings, in their views, and nothing else";
}
