#include "items/FileRemover.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "helpers/TempFolder.h"
#include "helpers/TestContext.h"
#include "helpers/UnixFolderLink.h"
#include "system/FileDelete.h"
#include "system/WideText.h"

namespace {

void MakeDir(const std::string& path) { ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path; }
void MakeFile(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  CloseHandle(h);
}
bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TRemoveOutcome RemoveOne(const std::string& path, const std::string& walkRoot, bool folder) {
  Column4TreeData finding;
  finding.Caption = path;
  finding.Root = walkRoot;
  TCleanServices services;
  TRemoval removal{services, nullptr, {&finding}, {}};
  (folder ? RemoveFolderFindings : RemoveFileFindings)(removal);
  return removal.Outcomes.at(0);
}

}  // namespace

// A folder between a walk's root and a finding, swapped for a link after the scan, would
// lead the delete into the folder it points to (photos, say): the finding stays, uncleaned.
// Windows 2000 and XP delete by path after the same check; Vista and later through the
// handle of the checked file.
TEST(FileRemover, AFindingWhoseWayNowPassesALinkStaysAndItsLookAlikeSurvives) {
  const struct {
    int Major;
    const char* Swapped;  // the folder (below the walk root) replaced by a link; "" none
    bool Folder;          // a folder finding rather than a file
  } kCases[] = {{6, "", false},      {6, "a", false},      {6, "a\\b", false}, {6, "", true},
                {6, "a", true},      {5, "", false},       {5, "a", false},    {5, "a", true},
                {6, ".", false}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::to_string(c.Major) + " " + c.Swapped + (c.Folder ? " folder" : " file"));
    TTestContext context(c.Major, 1, false);
    TTempFolder temp, photos;
    const std::string top = GbkFromWide(temp.Path()), root = top + "\\root", elsewhere = GbkFromWide(photos.Path());
    MakeDir(root);
    MakeDir(root + "\\a");
    MakeDir(root + "\\a\\b");
    const std::string finding = root + "\\a\\b\\" + (c.Folder ? "cache" : "f.jpg");
    // The look-alike the link leads to, under the same names.
    MakeDir(elsewhere + "\\a");
    MakeDir(elsewhere + "\\a\\b");
    if (c.Folder) {
      MakeDir(finding);
      MakeFile(finding + "\\x.tmp");
      MakeDir(elsewhere + "\\a\\b\\cache");
      MakeFile(elsewhere + "\\a\\b\\cache\\x.tmp");
    } else {
      MakeFile(finding);
      MakeFile(elsewhere + "\\a\\b\\f.jpg");
    }
    const std::string lookAlike = elsewhere + finding.substr(root.size()) + (c.Folder ? "\\x.tmp" : "");
    std::string swapped = std::string(c.Swapped) == "." ? root : root + "\\" + c.Swapped;
    std::string target = std::string(c.Swapped) == "." ? elsewhere : elsewhere + "\\" + c.Swapped;
    std::unique_ptr<TUnixFolderLink> link;
    if (*c.Swapped) {
      const std::string moved = top + "\\moved";
      ASSERT_TRUE(MoveFileA(swapped.c_str(), moved.c_str()));
      const size_t slash = swapped.rfind('\\');
      link.reset(new TUnixFolderLink(target, swapped.substr(0, slash), swapped.substr(slash + 1)));
      ASSERT_TRUE(link->Made());
    }
    const TRemoveOutcome outcome = RemoveOne(finding, root, c.Folder);
    if (*c.Swapped) {
      EXPECT_EQ(outcome.Result, TRemoveResult::Failed);
      EXPECT_EQ(outcome.Error, kErrorFolderNowLink);
      EXPECT_TRUE(Exists(lookAlike)) << "the file the link leads to stays";
    } else {
      EXPECT_EQ(outcome.Result, TRemoveResult::Removed);
      EXPECT_FALSE(Exists(finding));
      EXPECT_TRUE(Exists(lookAlike));
    }
    link.reset();  // before the temporary folders go, so their removal never follows it
  }
}
