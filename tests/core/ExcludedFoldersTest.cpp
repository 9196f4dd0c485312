// The exclusions of the junk-scan options as the folder tree changes them.
#include <gtest/gtest.h>

#include "core/ExcludedFolders.h"

using namespace core;

namespace {

std::function<std::vector<std::string>()> Names(std::vector<std::string> names) {
  return [names] { return names; };
}

}  // namespace

TEST(TExcludedFolders, EngineTextInAndOut) {
  TExcludedFolders folders = TExcludedFolders::FromEngineText("  D:\\Games|C:\\Temp||c:\\temp\\|C:\\Temp\\Cache| ");
  EXPECT_EQ(folders.Paths(), (std::vector<std::string>{"C:\\Temp\\", "C:\\Temp\\Cache\\", "D:\\Games\\"}));
  EXPECT_EQ(folders.EngineText(), "C:\\Temp|D:\\Games") << "a folder inside an excluded one is not sent";
  EXPECT_EQ(TExcludedFolders::FromEngineText("").EngineText(), "");
}

TEST(TExcludedFolders, FolderStatesFromTheList) {
  TExcludedFolders folders = TExcludedFolders::FromEngineText("C:\\A\\B|C:\\X");
  EXPECT_EQ(folders.StateOf("C:\\X\\", Names({"Y"})), TFolderState::Unchecked);
  int listed = 0;
  EXPECT_EQ(folders.StateOf("D:\\", [&] { return ++listed, std::vector<std::string>{"A"}; }), TFolderState::Checked);
  EXPECT_EQ(listed, 0) << "a folder with nothing excluded inside is not listed";
  EXPECT_EQ(folders.StateOf("C:\\A\\", Names({"B", "C"})), TFolderState::Mixed) << "C is still scanned";
  EXPECT_EQ(folders.StateOf("C:\\A\\", Names({"B"})), TFolderState::Unchecked) << "every sub-folder excluded";
  EXPECT_EQ(folders.StateOf("c:\\a\\", Names({"b", "c"})), TFolderState::Mixed) << "letter case aside";
}

TEST(TExcludedFolders, UntickingAFolderAndItsDriveSendsOnlyTheDrive) {
  TExcludedFolders folders;
  folders.Unchecked("C:\\Windows\\");
  EXPECT_EQ(folders.EngineText(), "C:\\Windows");
  folders.Unchecked("C:\\");
  EXPECT_EQ(folders.EngineText(), "C:");
}

TEST(TExcludedFolders, RetickingAFolderUnderAnUntickedDriveExcludesItsUntickedSiblingsInstead) {
  TExcludedFolders folders = TExcludedFolders::FromEngineText("C:|C:\\Temp");
  // The drive shows unchecked; ticking C:\Data leaves C:\Temp and C:\Windows unticked.
  folders.Checked("C:\\Data\\", {"C:\\Temp\\", "C:\\Windows\\"}, {"C:\\"});
  EXPECT_EQ(folders.EngineText(), "C:\\Temp|C:\\Windows");
  // Ticking a folder drops everything inside it.
  folders.Unchecked("C:\\Data\\Old\\");
  folders.Checked("C:\\Data\\", {}, {});
  EXPECT_EQ(folders.EngineText(), "C:\\Temp|C:\\Windows");
}

TEST(SplitFileTypeName, BlanksSeparateAndQuotesKeepTogether) {
  EXPECT_EQ(SplitFileTypeName("*.tmp 临时文件"), (std::vector<std::string>{"*.tmp", "临时文件"}));
  EXPECT_EQ(SplitFileTypeName("\"*.old file\"  \"旧 文件\" extra"), (std::vector<std::string>{"*.old file", "旧 文件", "extra"}));
  EXPECT_EQ(SplitFileTypeName("*.bak").size(), 1u) << "no description";
  EXPECT_TRUE(SplitFileTypeName("   ").empty());
}
