// The invalid-file finder on folders of the test: broken shortcuts on 32-bit Windows only,
// targets on removable drives and folders containing "rav" left alone, attributes, the
// masked leftovers scans and the tree of picture thumbnails.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "helpers/Shortcut.h"
#include "helpers/TempFolder.h"
#include "helpers/TraceScanBench.h"
#include "helpers/UnixFolderLink.h"
#include "helpers/TestContext.h"
#include "system/WideText.h"
#include "traces/InvalidFiles.h"

namespace {

using tracefiles::Write;

struct TScanBench : TTraceScanBench {
  std::set<std::string> Names() const {
    std::set<std::string> out;
    for (const TTreeNode* f = item->FirstChild(); f; f = f->NextSibling()) out.insert(f->Data.Path);
    return out;
  }
};

// A folder with shortcuts to a file that exists, to one that is gone (plain, in capitals,
// hidden, system), to a removable drive, and one in a folder named Travel. Present too:
// targets in a folder whose name code page 936 cannot write, with a comma after an
// extension (a path, not a command line), and on a drive letter that is not there now.
struct TShortcutFolder {
  TTempFolder dir;
  std::string root = GbkFromWide(dir.Path());
  std::string travel = root + "\\Travel";
  TShortcutFolder() {
    CreateDirectoryA(travel.c_str(), nullptr);
    Write(root + "\\here.txt", "x");
    MakeShortcut(WideFromGbk(root + "\\kept.lnk"), WideFromGbk(root + "\\here.txt"));
    MakeShortcut(WideFromGbk(root + "\\gone.lnk"), WideFromGbk(root + "\\gone.txt"));
    MakeShortcut(WideFromGbk(root + "\\GONE2.LNK"), WideFromGbk(root + "\\gone2.txt"));
    MakeShortcut(WideFromGbk(root + "\\hidden.lnk"), WideFromGbk(root + "\\gone3.txt"));
    SetFileAttributesA((root + "\\hidden.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN);
    MakeShortcut(WideFromGbk(root + "\\system.lnk"), WideFromGbk(root + "\\gone4.txt"));
    SetFileAttributesA((root + "\\system.lnk").c_str(), FILE_ATTRIBUTE_SYSTEM);
    MakeShortcut(WideFromGbk(root + "\\usb.lnk"), WideFromGbk("R:\\gone\\file.txt"));
    MakeShortcut(WideFromGbk(travel + "\\trip.lnk"), WideFromGbk(root + "\\gone5.txt"));
    const std::wstring thai = dir.Path() + L"\\\x0E01";
    CreateDirectoryW(thai.c_str(), nullptr);
    CloseHandle(CreateFileW((thai + L"\\x.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    MakeShortcut(WideFromGbk(root + "\\thai.lnk"), thai + L"\\x.txt");
    Write(root + "\\notes.txt,old", "x");
    MakeShortcut(WideFromGbk(root + "\\comma.lnk"), WideFromGbk(root + "\\notes.txt,old"));
    MakeShortcut(WideFromGbk(root + "\\unplugged.lnk"), L"Q:\\gone.txt");
  }
  ~TShortcutFolder() {
    for (const char* name : {"\\hidden.lnk", "\\system.lnk"})
      SetFileAttributesA((root + name).c_str(), FILE_ATTRIBUTE_NORMAL);
  }
};

TInvalidFilesSlot ConfiguredFinder() {
  TInvalidFilesSlot slot;
  slot.Create();
  return slot;
}

}  // namespace

TEST(TFindInvalidFiles, BrokenShortcutsOn32BitWindowsOnly) {
  TShortcutFolder f;
  {
    TTestContext context(false);
    TInvalidFilesSlot slot = ConfiguredFinder();
    slot.Finder->RootFolders = {f.root, f.travel};
    slot.Finder->CheckShortcuts = true;
    TScanBench b;
    slot.Finder->ScanShortcuts(b.scan);
    EXPECT_EQ(b.Names(), (std::set<std::string>{"gone.lnk", "GONE2.LNK", "hidden.lnk"}));
    EXPECT_EQ(b.totals.Count, 3) << "counted into the scan totals by the finder";
    EXPECT_TRUE(slot.Finder->ExcludedFolderParts.empty()) << "the lists are cleared afterwards";
  }
  TTestContext wow64(true);
  TInvalidFilesSlot slot = ConfiguredFinder();
  slot.Finder->RootFolders = {f.root};
  slot.Finder->CheckShortcuts = true;
  TScanBench b;
  slot.Finder->ScanShortcuts(b.scan);
  EXPECT_TRUE(b.Names().empty()) << "64-bit Windows: never";
}

TEST(TFindInvalidFiles, MaskedScansTakeEveryFileAndTheTreeEveryDepth) {
  TTestContext context(false);
  TTempFolder dir;
  const std::string root = GbkFromWide(dir.Path());
  CreateDirectoryA((root + "\\sub").c_str(), nullptr);
  Write(root + "\\a.log", "12");
  Write(root + "\\b.txt", "1");
  Write(root + "\\desktop.ini", "1");
  Write(root + "\\sub\\c.log", "123");
  Write(root + "\\sub\\d.jpg", "1234");
  SetFileAttributesA((root + "\\sub\\d.jpg").c_str(), FILE_ATTRIBUTE_SYSTEM);
  TInvalidFilesSlot slot = ConfiguredFinder();
  TScanBench masked;
  slot.Finder->ScanFolder(masked.scan, root, "*.log", true);
  EXPECT_EQ(masked.Names(), std::set<std::string>{"a.log"}) << "no sub-folders";
  TScanBench tree;
  slot.Finder->ExcludedNameParts = {"DESKTOP.INI"};
  slot.Finder->ScanTree(tree.scan, root);
  EXPECT_EQ(tree.Names(), (std::set<std::string>{"a.log", "b.txt", "c.log", "d.jpg"}))
      << "every depth, system files too, excluded names in any case left out";
  EXPECT_EQ(tree.scan.Size, 2 + 1 + 3 + 4);
  slot.Stop();
  TScanBench stopped;
  slot.Finder->ScanTree(stopped.scan, root);
  EXPECT_TRUE(stopped.Names().empty());
}

// A link in the tree, or a tree that is itself a link, is not walked: it may lead to the
// user's photos (before, the thumbnails walk entered every link).
TEST(TFindInvalidFiles, TheTreeWalkNeitherEntersNorStartsAtALink) {
  TTestContext context(false);
  TTempFolder dir, outside, elsewhere;
  const std::string root = GbkFromWide(dir.Path()), photos = GbkFromWide(outside.Path());
  Write(root + "\\thumb.jpg", "1");
  Write(photos + "\\photo.jpg", "12");
  TUnixFolderLink inside(photos, root, "link");
  TUnixFolderLink asRoot(photos, GbkFromWide(elsewhere.Path()), "thumbnails");
  ASSERT_TRUE(inside.Made() && asRoot.Made());
  TInvalidFilesSlot slot = ConfiguredFinder();
  TScanBench tree;
  slot.Finder->ScanTree(tree.scan, root);
  EXPECT_EQ(tree.Names(), std::set<std::string>{"thumb.jpg"});
  TScanBench linked;
  slot.Finder->ScanTree(linked.scan, GbkFromWide(elsewhere.Path()) + "\\thumbnails\\");
  EXPECT_TRUE(linked.Names().empty());
}
