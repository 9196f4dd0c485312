#include "traces/ScanFolderTree.h"

#include <gtest/gtest.h>

#include "helpers/TempFolder.h"
#include "traces/TraceBench.h"
#include "system/WideText.h"

namespace {

// An Internet cache in small: files at three depths, the cache's own bookkeeping files in
// other letter cases, a name in Chinese, and a file already scheduled for deletion.
struct TCache {
  TTempFolder Tmp;
  std::string Dir = GbkFromWide(Tmp.Path());
  TCache() {
    CreateDirectoryA((Dir + "\\Content.IE5").c_str(), nullptr);
    CreateDirectoryA((Dir + "\\Content.IE5\\AB12").c_str(), nullptr);
    MakeFile(Dir + "\\a.htm", "1234");
    MakeFile(Dir + "\\INDEX.DAT", "123");
    MakeFile(Dir + "\\Desktop.ini", "12");
    MakeFile(Dir + "\\Content.IE5\\index.dat", "1");
    MakeFile(Dir + "\\Content.IE5\\gone.gif", "1");
    MakeFile(Dir + "\\Content.IE5\\AB12\\b.gif", "12345678");
    MakeFile(Dir + "\\Content.IE5\\AB12\\图片.jpg", "12");
  }
};

const std::string kReparseTree = "C:\\purvex-fixtures\\reparse\\tree";

}  // namespace

TEST(ScanFolderTree, EveryFileAtEveryDepthButTheExcludedNamesInAnyCase) {
  TCache c;
  TTraceBench b;
  b.Context.Ctx.PendingDeleteFiles.insert(c.Dir + "\\Content.IE5\\gone.gif");
  EXPECT_FALSE(ScanFolderTree(b.Scan, c.Dir + "\\", {"index.dat", "desktop.ini"}));
  EXPECT_EQ(b.Captions(), (std::vector<std::string>{c.Dir + "\\Content.IE5\\AB12\\b.gif",
                                                     c.Dir + "\\Content.IE5\\AB12\\图片.jpg",
                                                     c.Dir + "\\a.htm"}));
  EXPECT_EQ(b.Scan.Count, 3);
  EXPECT_EQ(b.Scan.Size, 4 + 8 + 2);
  EXPECT_EQ(b.Entries, 9) << "a pause after each of the 7 files and 2 folders";
  for (const Column4TreeData& d : b.Findings()) {
    EXPECT_EQ(d.Kind, "文件");
    EXPECT_EQ(d.Caption.substr(d.Caption.size() - d.Path.size() - 1), "\\" + d.Path);
    EXPECT_EQ(d.Name, "");
    EXPECT_EQ(d.Root, c.Dir) << "the walk's root, confirmed again before the file goes";
    EXPECT_EQ(d.ImageIndex, -1);
  }

  TTraceBench all;
  ScanFolderTree(all.Scan, c.Dir);
  EXPECT_EQ(all.Scan.Count, 7) << "without a list nothing is left out";
  EXPECT_EQ(all.Scan.Size, 4 + 3 + 2 + 1 + 1 + 8 + 2);
}

TEST(ScanFolderTree, StopRequestEndsEveryLevelAtTheNextEntry) {
  TCache c;
  for (int stopAfter : {1, 2, 4}) {
    TTraceBench b;
    b.StopAfter = stopAfter;
    EXPECT_TRUE(ScanFolderTree(b.Scan, c.Dir));
    EXPECT_EQ(b.Entries, stopAfter) << "no entry after the stop request";
    EXPECT_LE(b.Scan.Count, stopAfter);
    EXPECT_EQ(static_cast<int>(b.Scan.Item->ChildCount()), b.Scan.Count) << "findings before the stop remain";
  }
}

TEST(ScanFolderTree, LinksToFoldersOutsideTheTreeAreNotEntered) {
  DWORD link = GetFileAttributesA((kReparseTree + "\\link").c_str());
  if (link == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "the bench fixture is not there";
  ASSERT_TRUE(link & FILE_ATTRIBUTE_REPARSE_POINT);
  ASSERT_TRUE(link & FILE_ATTRIBUTE_DIRECTORY);
  TTraceBench b;
  EXPECT_FALSE(ScanFolderTree(b.Scan, kReparseTree));
  EXPECT_EQ(b.Captions(), (std::vector<std::string>{kReparseTree + "\\own.tmp", kReparseTree + "\\sub\\deep.tmp"}));
}

TEST(ScanFolderTree, AnEmptyFolderTextIsNotTheCurrentFolder) {
  TCache c;
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(c.Dir.c_str()));
  TTraceBench b;
  ScanFolderTree(b.Scan, "");
  SetCurrentDirectoryA(previous);
  EXPECT_EQ(b.Scan.Count, 0);
}
