#include "core/PathText.h"

#include <gtest/gtest.h>

using namespace core;
typedef std::vector<std::string> Dirs;

TEST(SplitPathList, SplitsAtSemicolonsOutsideQuotes) {
  EXPECT_EQ(SplitPathList(";;C:\\a;;\"C:\\b;c\";\"\";C:\\软件;"), (Dirs{"C:\\a", "C:\\b;c", "C:\\软件"}));
  EXPECT_EQ(SplitPathList(""), Dirs{});
  EXPECT_EQ(SplitPathList("\"unclosed;still one"), (Dirs{"unclosed;still one"}));
}

// "\x95\x5c" is one character whose trail byte looks like a backslash.
TEST(PathText, RulesStepOverDoubleByteCharacters) {
  EXPECT_EQ(IncludeTrailingBackslash("C:\\\x95\x5c"), "C:\\\x95\x5c\\");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\a\\"), "C:\\a\\");
  EXPECT_EQ(IncludeTrailingBackslash(""), "");
  EXPECT_EQ(ExcludeTrailingBackslash("C:\\\x95\x5c"), "C:\\\x95\x5c");
  EXPECT_EQ(CollapseDoubleBackslashes("C:\\\\a\\\\\\\x95\x5c\\x"), "C:\\a\\\x95\x5c\\x");
  EXPECT_EQ(CollapseDoubleBackslashes("\\\\\\server\\\\s"), "\\\\server\\s");
  EXPECT_EQ(ExtractFileDir("C:\\a\\b.exe"), "C:\\a\\");
  EXPECT_EQ(ExtractFileDir("C:b.exe"), "C:");
  EXPECT_EQ(ExtractFileName("C:\\\x95\x5c\\\x95\x5c.txt"), "\x95\x5c.txt");
  EXPECT_EQ(ExtractFileName("plain.ini"), "plain.ini");
  EXPECT_TRUE(HasFileExtension("C:\\a\\name."));
  EXPECT_FALSE(HasFileExtension("C:\\a.b\\notepad"));
  EXPECT_TRUE(HasWildcard("C:\\a\\*.txt"));
  EXPECT_FALSE(HasWildcard("C:\\a\\b.txt"));
}

// Only a path that names its drive and root is one to walk or delete in.
TEST(PathText, FullPathsNameTheirDriveAndRoot) {
  const struct {
    const char* Path;
    bool Full;
  } kPaths[] = {{"C:\\Recent", true}, {"z:\\", true}, {"\\\\server\\share", true}, {"\\Recent", false},
                {"", false},          {"C:", false},  {"C:Recent", false},        {"Hotfix\\a", false},
                {"1:\\x", false},     {"\\\\", false}, {"%USERPROFILE%\\AppData", false}};
  for (const auto& p : kPaths) EXPECT_EQ(core::IsFullPath(p.Path), p.Full) << p.Path;
}

// The folders between a walk's root and a file, each checked again before the file goes.
TEST(PathText, FoldersFromBaseAreTheRootAndEachFolderBelowIt) {
  const struct {
    const char* Base;
    const char* Path;
    Dirs Folders;
  } kCases[] = {
      {"C:\\Temp", "c:\\temp\\a\\\x95\x5c\\f.tmp", {"C:\\Temp", "c:\\temp\\a", "c:\\temp\\a\\\x95\x5c"}},
      {"C:\\Temp\\", "C:\\Temp\\f.tmp", {"C:\\Temp\\"}},
      {"C:\\", "C:\\a\\f", {"C:\\", "C:\\a"}},
      {"C:\\Temp", "C:\\Temporary\\f.tmp", {}},
      {"C:\\Temp", "C:\\Temp", {}},
      {"", "C:\\Temp\\f", {}},
      {"\\Temp", "\\Temp\\f", {}},
  };
  for (const auto& c : kCases) EXPECT_EQ(FoldersFromBase(c.Base, c.Path), c.Folders) << c.Base << " " << c.Path;
}
