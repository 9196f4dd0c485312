#include "traces/ScanFolderFiles.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include "helpers/Shortcut.h"
#include "helpers/TempFolder.h"
#include "system/ToolsShell.h"
#include "traces/TraceBench.h"
#include "system/WideText.h"

namespace {

int64_t SizeOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// A folder with plain files, a sub-folder, a shortcut to one of its files, a ".lnk" file
// that is no shortcut, and a file already scheduled for deletion.
struct TFolder {
  TTempFolder Tmp;
  std::string Dir = GbkFromWide(Tmp.Path());
  TFolder() {
    MakeFile(Dir + "\\a.txt", "12345");
    MakeFile(Dir + "\\报告.doc", "123");
    MakeFile(Dir + "\\gone.txt", "1");
    CreateDirectoryA((Dir + "\\sub").c_str(), nullptr);
    MakeFile(Dir + "\\sub\\inner.txt", "1");
    MakeFile(Dir + "\\broken.lnk", "not a shortcut");
    EXPECT_TRUE(MakeShortcut(Tmp.File(L"good.lnk"), Tmp.File(L"a.txt")));
  }
};

}  // namespace

TEST(ScanFolderFiles, AllMaskListsTheFilesDirectlyInTheFolderWithTheirSizes) {
  TFolder f;
  for (const std::string& given : {f.Dir, f.Dir + "\\"}) {
    TTraceBench b;
    b.Context.Ctx.PendingDeleteFiles.insert(f.Dir + "\\GONE.TXT");
    EXPECT_FALSE(ScanFolderFiles(b.Scan, given, "*.*"));
    EXPECT_EQ(b.Captions(), (std::vector<std::string>{f.Dir + "\\a.txt", f.Dir + "\\broken.lnk",
                                                       f.Dir + "\\good.lnk", f.Dir + "\\报告.doc"}))
        << given;
    EXPECT_EQ(b.Scan.Count, 4);
    EXPECT_EQ(b.Scan.Size, 5 + 3 + SizeOf(f.Dir + "\\broken.lnk") + SizeOf(f.Dir + "\\good.lnk"));
    for (const Column4TreeData& d : b.Findings()) {
      EXPECT_EQ(d.Kind, "文件");
      EXPECT_EQ(d.Caption, f.Dir + "\\" + d.Path);
      EXPECT_EQ(d.Name, "");
      EXPECT_EQ(d.Root, f.Dir) << "the folder, confirmed again before the file goes";
    }
  }
}

TEST(ScanFolderFiles, ShortcutMaskTakesResolvedShortcutsAndElsewhereNoBrokenOnes) {
  TFolder f;
  TTraceBench b;
  ScanFolderFiles(b.Scan, f.Dir, "*");
  ASSERT_EQ(b.Findings().size(), 1u);
  const Column4TreeData d = b.Findings()[0];
  EXPECT_EQ(d.Caption, f.Dir + "\\good.lnk");
  EXPECT_EQ(d.Path, "good.lnk");
  EXPECT_EQ(d.Kind, "LnkFile");
  EXPECT_EQ(b.Scan.Size, SizeOf(f.Dir + "\\good.lnk"));

  TTraceBench stopped;
  stopped.StopAfter = 1;
  EXPECT_TRUE(ScanFolderFiles(stopped.Scan, f.Dir, "*.*"));
  EXPECT_EQ(stopped.Entries, 1);
  EXPECT_EQ(stopped.Scan.Count, 1);

  TTraceBench missing;
  EXPECT_FALSE(ScanFolderFiles(missing.Scan, f.Dir + "\\no-such", "*.*"));
  EXPECT_FALSE(ScanFolderFiles(missing.Scan, "", "*.*"));
  EXPECT_EQ(missing.Scan.Count, 0);
}

TEST(ScanFolderFiles, InTheRecentDocumentsFolderABrokenShortcutIsATraceToo) {
  const std::string recent = GetSpecialFolder(CSIDL_RECENT);
  ASSERT_FALSE(recent.empty());
  char name[64];
  wsprintfA(name, "\\purvex-test-%lu.lnk", GetCurrentProcessId());
  const std::string broken = recent + name;
  MakeFile(broken, "not a shortcut");
  TTraceBench b;
  ScanFolderFiles(b.Scan, recent + "\\", "*");
  DeleteFileA(broken.c_str());
  const std::vector<std::string> captions = b.Captions();
  EXPECT_NE(std::find(captions.begin(), captions.end(), broken), captions.end());
  for (const Column4TreeData& d : b.Findings()) EXPECT_EQ(d.Kind, "LnkFile");
}
