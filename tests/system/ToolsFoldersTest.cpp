#include "system/ToolsFolders.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "helpers/TempFolder.h"
#include "helpers/UnixFolderLink.h"
#include "system/WideText.h"

namespace {

typedef std::vector<std::string> Dirs;

Dirs Sorted(Dirs dirs) {
  std::sort(dirs.begin(), dirs.end());
  return dirs;
}

void MakeDirs(const std::string& root, std::initializer_list<const char*> names) {
  for (const char* name : names) ASSERT_TRUE(CreateDirectoryA((root + "\\" + name).c_str(), nullptr)) << name;
}

void MakeFile(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  CloseHandle(h);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

TEST(ListSubDirs, OnlyPlainFoldersHiddenOnesAreLeftOut) {
  TTempFolder tmp;
  std::string root = GbkFromWide(tmp.Path());
  MakeDirs(root, {"a", "b", "hid", "a\\a1"});
  ASSERT_TRUE(SetFileAttributesA((root + "\\hid").c_str(), FILE_ATTRIBUTE_HIDDEN));
  MakeFile(root + "\\file.txt");

  Dirs list = {"stale entry"};
  ListSubDirs(root, list);
  EXPECT_EQ(Sorted(list), (Dirs{root + "\\a", root + "\\b"}));
  ListSubDirs(root + "\\", list);
  EXPECT_EQ(Sorted(list), (Dirs{root + "\\a", root + "\\b"}));
  ListSubDirs(root + "\\missing", list);
  EXPECT_TRUE(list.empty());
  list = {"stale entry"};
  ListSubDirs("", list);
  EXPECT_TRUE(list.empty());
}

TEST(ListSubDirsRecursive, AllDepthsHiddenIncludedDotNamesNot) {
  TTempFolder tmp;
  std::string root = GbkFromWide(tmp.Path());
  MakeDirs(root, {"a", "b", "hid", ".dot", "a\\a1", "a\\a1\\deep"});
  ASSERT_TRUE(SetFileAttributesA((root + "\\hid").c_str(), FILE_ATTRIBUTE_HIDDEN));
  MakeFile(root + "\\a\\file.txt");

  Dirs list = {"kept"};
  ListSubDirsRecursive(root + "\\\\", list);
  ASSERT_EQ(list.size(), 6u);
  EXPECT_EQ(list[0], "kept");  // appended to
  // the direct sub-folders first, in listing order, then theirs
  EXPECT_EQ(Sorted(Dirs(list.begin() + 1, list.begin() + 4)), (Dirs{root + "\\a", root + "\\b", root + "\\hid"}));
  EXPECT_EQ(list[4], root + "\\a\\a1");
  EXPECT_EQ(list[5], root + "\\a\\a1\\deep");

  Dirs none;
  ListSubDirsRecursive("", none);
  EXPECT_TRUE(none.empty());
}

// A link back to the scanned folder would make the listing go round until paths grow too
// long; links are neither listed nor entered.
TEST(ListSubDirsRecursive, LinksAreNeitherListedNorEntered) {
  TTempFolder tmp;
  std::string root = GbkFromWide(tmp.Path());
  MakeDirs(root, {"a", "a\\a1"});
  TUnixFolderLink loop(root, root + "\\a", "loop");
  if (!loop.Made()) GTEST_SKIP() << "no Unix symbolic link shown as a reparse point";

  Dirs list;
  ListSubDirsRecursive(root, list);
  EXPECT_EQ(Sorted(list), (Dirs{root + "\\a", root + "\\a\\a1"}));
  ListSubDirs(root + "\\a", list);
  EXPECT_EQ(list, (Dirs{root + "\\a\\a1"}));
}

TEST(DeleteFilesInDir, DeletesReadOnlyFilesAndLeavesFolders) {
  TTempFolder tmp;
  std::string root = GbkFromWide(tmp.Path());
  MakeDirs(root, {"sub"});
  MakeFile(root + "\\plain.txt");
  MakeFile(root + "\\readonly.txt");
  MakeFile(root + "\\sub\\keep.txt");
  ASSERT_TRUE(SetFileAttributesA((root + "\\readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY));

  DeleteFilesInDir(root + "\\sub\\keep.txt");  // not a folder: nothing happens
  EXPECT_TRUE(Exists(root + "\\sub\\keep.txt"));
  DeleteFilesInDir(root + "\\");
  EXPECT_FALSE(Exists(root + "\\plain.txt"));
  EXPECT_FALSE(Exists(root + "\\readonly.txt"));
  EXPECT_TRUE(Exists(root + "\\sub"));
  EXPECT_TRUE(Exists(root + "\\sub\\keep.txt"));
}
