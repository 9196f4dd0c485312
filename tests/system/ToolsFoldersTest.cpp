#include "system/ToolsFolders.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "helpers/TempFolder.h"
#include "ui/WideText.h"

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

// Starts a Unix program (Wine starts ELF files like Windows ones), named in Wine's Unix
// namespace since no drive of the bench's prefixes reaches /bin. Its handle cannot be
// waited for, so callers poll for the program's effect.
void StartUnix(std::string program, const std::string& arguments) {
  std::replace(program.begin(), program.end(), '/', '\\');
  std::string cmd = "\"\\\\?\\unix" + program + "\" " + arguments;
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

template <typename Done>
void WaitUntil(Done done) {
  for (DWORD start = GetTickCount(); !done() && GetTickCount() - start < 10000;) Sleep(20);
}

// A Unix symbolic link to a folder, which Wine shows as a folder with the reparse-point
// attribute: the stand-in for a junction (Wine's CreateSymbolicLinkW makes nothing).
class TUnixFolderLink {
 public:
  TUnixFolderLink(const std::string& target, const std::string& parent, const std::string& name)
      : path_(parent + "\\" + name) {
    typedef char*(CDECL * UnixNameFn)(LPCWSTR);
    auto unixName = reinterpret_cast<UnixNameFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    if (!unixName) return;
    std::string unixTarget = Take(unixName(WideFromGbk(target).c_str()));
    std::string unixParent = Take(unixName(WideFromGbk(parent).c_str()));
    if (unixTarget.empty() || unixParent.empty()) return;
    unixLink_ = unixParent + "/" + name;
    StartUnix("/bin/ln", "-s \"" + unixTarget + "\" \"" + unixLink_ + "\"");
    WaitUntil([this] { return Exists(path_); });
  }
  ~TUnixFolderLink() {
    if (unixLink_.empty()) return;
    StartUnix("/bin/rm", "-f \"" + unixLink_ + "\"");
    WaitUntil([this] { return !Exists(path_); });
  }
  // The link exists and shows as a reparse point.
  bool Made() const {
    DWORD attributes = GetFileAttributesA(path_.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

 private:
  static std::string Take(char* text) {
    std::string s = text ? text : "";
    if (text) HeapFree(GetProcessHeap(), 0, text);
    return s;
  }
  std::string path_;
  std::string unixLink_;
};

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
