#include <gtest/gtest.h>

#include <algorithm>

#include "registry/CheckBench.h"
#include "registry/RegistryChecks.h"
#include "system/ToolsShell.h"

namespace {

const std::string kStartMenu2 = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu2";

// Folders of the test's own in the user's Programs folder, removed afterwards.
class TProgramsFolders {
 public:
  explicit TProgramsFolders(const std::string& top) : root_(GetSpecialFolder(2) + "\\" + top) {
    CreateDirectoryA(root_.c_str(), nullptr);
    CreateDirectoryA((root_ + "\\Puzzles").c_str(), nullptr);
  }
  ~TProgramsFolders() {
    RemoveDirectoryA((root_ + "\\Puzzles").c_str());
    RemoveDirectoryA(root_.c_str());
  }

 private:
  std::string root_;
};

TCaptions Sorted(TCaptions captions) {
  std::sort(captions.begin(), captions.end());
  return captions;
}

}  // namespace

TEST(ListStartMenuFolders, TopFoldersBareDeeperOnesFromABackslashNoRepeats) {
  TCheckBench b;
  const std::string games = b.Tag() + "Games";
  TProgramsFolders folders(games);
  std::vector<std::string> list;
  ListStartMenuFolders(GetSpecialFolder(2), "", list);
  ListStartMenuFolders(GetSpecialFolder(2), "", list);  // the same folder again adds nothing
  EXPECT_EQ(std::count(list.begin(), list.end(), games), 1);
  EXPECT_EQ(std::count(list.begin(), list.end(), "\\" + games + "\\Puzzles"), 1);
}

TEST(CheckStartMenuOrder, KeysOfFoldersThatAreGoneInBothRunsWithLocalisedNamesTranslated) {
  TCheckBench b;
  const std::string games = b.Tag() + "Games";
  TProgramsFolders folders(games);
  const std::string base = kStartMenu2 + "\\" + b.Tag() + "Programs";
  for (const std::string& key : {games + "\\Puzzles", games + "\\Gone", std::string("menu\\Deeper"),
                                 std::string("附件\\通讯\\超级终端"), std::string("管理工具")})
    b.seed.Key(HKEY_CURRENT_USER, base + "\\" + key, false);

  const std::string user = "HKEY_CURRENT_USER\\" + base;
  // "管理工具" is the "Administrative Tools" folder of all users; the HyperTerminal key is
  // kept; "menu" at the top is not looked at, its sub-key is.
  TCaptions expected = {user + "\\" + games + "\\Gone", user + "\\附件", user + "\\附件\\通讯", user + "\\menu\\Deeper"};
  if (b.Wow64()) {
    // The user's keys are one in both views: the second run reports them again.
    const TCaptions first = expected;
    for (const std::string& caption : first) expected.push_back("64位分支:" + caption);
  }
  const std::vector<Column4TreeData> found = b.RunBoth(CheckStartMenuOrder);
  EXPECT_EQ(Sorted(Captions(found)), Sorted(expected));
  for (const Column4TreeData& d : found) {
    EXPECT_EQ(d.Root, "HKEY_CURRENT_USER");
    EXPECT_EQ(d.Name, "");
    EXPECT_EQ("HKEY_CURRENT_USER\\" + d.Path, d.Caption.substr(d.Kind.empty() ? 0 : std::string("64位分支:").size()));
  }
}
