// The demo seeder's traces in the test prefix, found and cleaned by the shell-history
// items: each finds what the seeder left for the Windows version it runs on, a scan
// changes nothing in the registry or the profile folders, and a clean removes exactly the
// checked findings and nothing else.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <set>
#include <shlobj.h>
#include <shlwapi.h>

#include "helpers/AtExit.h"
#include "helpers/Clipboard.h"
#include "helpers/PrefixSnapshot.h"
#include "helpers/ProcessHelpers.h"
#include "helpers/RecordingDriverView.h"
#include "helpers/TempFolder.h"
#include "helpers/TreeFixtures.h"
#include "helpers/UnixFolderLink.h"
#include "items/CleanDriver.h"
#include "items/ItemSummary.h"
#include "items/ItemTree.h"
#include "junk/SysSweeperWrapper.h"
#include "registry/RegistryCaches.h"
#include "registry/RegistryCategories.h"
#include "registry/RegistryDelete.h"
#include "settings/SettingsFolder.h"
#include "system/FolderValues.h"
#include "system/ToolsShell.h"
#include "helpers/SqliteFixture.h"
#include "helpers/TraceScanBench.h"
#include "helpers/RemoverCoverage.h"
#include "traces/AppFileScans.h"
#include "traces/AppHistoryItems.h"
#include "traces/BrowserItems.h"
#include "traces/FileExtHistory.h"
#include "traces/IniKeyScans.h"
#include "traces/OtherFindings.h"
#include "traces/PlayerScans.h"
#include "traces/PlaylistScans.h"
#include "traces/ShellHistoryItems.h"
#include "traces/ShellHistoryScans.h"
#include "system/WideText.h"

namespace {

#define EXPLORER "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"

const char kRunItem[] = "运行(开始菜单中，重启后生效)";
const char kRecentItem[] = "最近打开的文件";
const char kJumpListItem[] = "Windows 7 跳转列表（用户锁定项目也会删除，请慎用）";
const char kTrayItem[] = "通知区域图标历史记录(重启后生效)";

// The items of this suite: every item whose handler the shell history registers.
const char* const kShellItems[] = {
    kRunItem, "最近运行的程序历史记录", "文件打开与保存历史记录", "窗口位置与大小历史记录", "查找计算机",
    kRecentItem, kJumpListItem, "文件扩展名历史记录", "最近打开的程序历史记录", kTrayItem, "清空回收站",
    "Windows搜索历史", "网络驱动器映射历史", "剪贴板内容", "Windows画图", "Windows写字板",
};

// What the seeder writes (for every Windows version), removed again after each test.
const char* const kSeededKeys[] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StreamMRU",
    "Software\\Microsoft\\Search Assistant",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\WordWheelQuery",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Map Network Drive MRU",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TypedPaths",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify",
    "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\TrayNotify",
};

std::string RecentFolder() { return GetSpecialFolder(CSIDL_RECENT); }
std::string JumpListFolder(const char* kind) {
  return GetSpecialFolder(CSIDL_APPDATA) + "\\Microsoft\\Windows\\Recent\\" + kind + "Destinations";
}

void RemoveDemoTraces() {
  for (const char* key : kSeededKeys) SHDeleteKeyA(HKEY_CURRENT_USER, key);
  StartChild(L"\"" + ModuleDir() + L"\\demo_seeder.exe\" /remove-registry").WaitExit(30000);
  StartChild(L"\"" + ModuleDir() + L"\\demo_seeder.exe\" /remove-browsers").WaitExit(30000);
  StartChild(L"\"" + ModuleDir() + L"\\demo_seeder.exe\" /remove-applications").WaitExit(30000);
  for (const std::string& file :
       {std::string("C:\\users\\Public\\Documents\\报告.txt"), RecentFolder() + "\\报告.txt.lnk",
        RecentFolder() + "\\已删除.doc.lnk", JumpListFolder("Automatic") + "\\1b4dd67f29cb1962.automaticDestinations-ms",
        JumpListFolder("Custom") + "\\1b4dd67f29cb1962.automaticDestinations-ms"})
    DeleteFileA(file.c_str());
  EmptyRecycleBin(nullptr);
  if (OpenClipboardWithin(3000)) {
    EmptyClipboard();
    CloseClipboard();
  }
}

int64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::set<std::string> Captions(const TTreeNode* item) {
  std::set<std::string> out;
  for (const TTreeNode* f = item->FirstChild(); f; f = f->NextSibling()) out.insert(f->Data.Caption);
  return out;
}

// The seeded prefix under one Windows version: a settings folder of the test's own, the
// item tree of that version with every item checked, and both drivers as the window wires
// them.
class TSeededDemo {
 public:
  // applications: the application and media-player items are wired up too.
  TSeededDemo(int major, int minor, int productType = 1, bool applications = false) {
    RemoveDemoTraces();
    TChild seeder = StartChild(L"\"" + ModuleDir() + L"\\demo_seeder.exe\"");
    seeded_ = seeder.WaitExit(30000) && seeder.ExitCode() == 0;
    // The seeder's clipboard text does not always outlive its process under Wine.
    seeded_ = SetClipboardText("demo") && seeded_;

    TAppContext& ctx = AppContext();
    const std::string settingsDir = ctx.ProgramDir;
    FillFolderValues(ctx);
    ctx.ProgramDir = settingsDir;
    TOrvOSInfoData os;
    os.VersionKnown = true;
    os.Major = major;
    os.Minor = minor;
    os.ProductType = productType;
    os.IsWow64 = TOrvOSInfo::Create()->IsWow64;
    ctx.OSInfo.reset(new TOrvOSInfo(os));
    system_.MajorVersion = major;
    system_.MinorVersion = minor;
    system_.OSName = ctx.OSInfo->OSName;
    system_.IsWow64 = os.IsWow64;

    registryGroup_ = BuildItemTree(tree, system_, noEngine_, false, TReadItemChecked()).RegistryGroupNode;
    SetAllChecked(tree, true);
    RegisterRegistryCategories(handlers_);
    RegisterShellHistoryHandlers(handlers_);
    if (applications) {
      RegisterAppHistoryHandlers(handlers_, invalidFiles_);
      RegisterAppFileHandlers(handlers_, invalidFiles_);
      RegisterIniKeyHandlers(handlers_);
      RegisterPlayerHandlers(handlers_);
      RegisterPlaylistHandlers(handlers_);
    }
    TScanPhases scanPhases;
    scanPhases.ClearRegistryScanLists = ClearRegistryScanLists;
    scan.reset(new TScanDriver(tree, state, view, handlers_, scanPhases));
    // Every group removes what it found, as the window has them do.
    clean.reset(new TCleanDriver(tree, state, view, *scan, TCleanPhases()));
  }
  ~TSeededDemo() { RemoveDemoTraces(); }

  bool Seeded() const { return seeded_; }
  TTreeNode* RegistryGroup() const { return registryGroup_; }
  const THandlerTable& Handlers() const { return handlers_; }
  TTreeNode* Item(const char* caption) { return Find(tree, caption); }
  // The whole system drive; the test's own settings folder is left out.
  TSnapshot Files() const {
    return SnapshotFiles(L"C:", {WideFromGbk(settings_.Dir().substr(0, settings_.Dir().size() - 1))});
  }

  TTreeModel tree;
  TRunState state;
  TRecordingDriverView view;
  std::unique_ptr<TScanDriver> scan;
  std::unique_ptr<TCleanDriver> clean;

 private:
  TSettingsFolder settings_;
  TCleanWrapper noEngine_{"purvex-no-such-engine.dll"};
  TCatalogueSystem system_;
  THandlerTable handlers_;
  TInvalidFilesSlot invalidFiles_;
  bool seeded_ = false;
  TTreeNode* registryGroup_ = nullptr;
};

// "- entry" for every registry entry and file that the checked findings of the shell
// items name: what a clean must remove, and all it may change.
struct TExpectedRemovals {
  std::vector<std::string> Registry, Files;
};

TExpectedRemovals CheckedFindings(TSeededDemo& demo, const TSnapshot& registryBefore) {
  std::set<std::string> registry, files;
  for (const char* caption : kShellItems) {
    TTreeNode* item = demo.Item(caption);
    if (!item) continue;
    for (TTreeNode* f = item->FirstChild(); f; f = f->NextSibling()) {
      if (f->CheckState() != TCheckState::Checked) continue;
      const Column4TreeData& d = f->Data;
      if (d.Kind == "文件" || d.Kind == "LnkFile") {
        files.insert("- " + Utf8FromGbk(d.Caption));
      } else if (d.Kind.empty() && !d.Root.empty()) {
        auto entries = EntriesOfFinding(registryBefore, d.Root, d.Path, d.Name);
        EXPECT_FALSE(entries.empty()) << "a finding of nothing: " << Utf8FromGbk(d.Caption);
        for (const std::string& e : entries) registry.insert("- " + e);
      }
    }
  }
  return {std::vector<std::string>(registry.begin(), registry.end()), std::vector<std::string>(files.begin(), files.end())};
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\n";
  return out;
}

}  // namespace

TEST(SeededDemo, Windows7FindsEachTraceScanChangesNothingAndCleanRemovesExactlyTheChecked) {
  TSeededDemo demo(6, 1);
  ASSERT_TRUE(demo.Seeded());
  for (const char* item : kShellItems) ASSERT_NE(demo.Item(item), nullptr) << Utf8FromGbk(item);
  const TSnapshot registryBefore = SnapshotRegistry();
  const TSnapshot filesBefore = demo.Files();
  ASSERT_GT(registryBefore.size(), 10000u) << "the whole registry of the prefix";
  ASSERT_GT(filesBefore.size(), 20u);

  demo.scan->ScanItems(false);
  EXPECT_EQ(FindingsWithoutRemover(demo.tree, demo.Handlers()), std::vector<std::string>())
      << "every finding of every scan has its remover";
  EXPECT_EQ(Lines(Differences(registryBefore, SnapshotRegistry())), "") << "a scan of everything changes nothing";
  EXPECT_EQ(Lines(Differences(filesBefore, demo.Files())), "");

  // What the seeder left for Windows 7, item by item.
  EXPECT_EQ(Captions(demo.Item(kRunItem)),
            (std::set<std::string>{EXPLORER "RunMRU\\a:notepad\\1", EXPLORER "RunMRU\\b:cmd\\1",
                                   EXPLORER "RunMRU\\c:regedit\\1", EXPLORER "RunMRU\\MRUList:cba"}));
  EXPECT_EQ(demo.Item(kRunItem)->Data.Caption, std::string(kRunItem) + "(4个项目)");
  EXPECT_EQ(Captions(demo.Item("最近运行的程序历史记录")),
            (std::set<std::string>{EXPLORER "ComDlg32\\LastVisitedPidlMRU\\0:notepad.exe",
                                   EXPLORER "ComDlg32\\LastVisitedPidlMRU\\1:wordpad.exe"}));
  EXPECT_EQ(Captions(demo.Item("文件打开与保存历史记录")),
            (std::set<std::string>{EXPLORER "ComDlg32\\OpenSavePidlMRU\\txt\\0", EXPLORER "ComDlg32\\OpenSavePidlMRU\\*\\0"}))
      << "the pidl lists' binary data is no text";
  EXPECT_EQ(demo.Item("窗口位置与大小历史记录")->ChildCount(), 2u);
  EXPECT_EQ(Captions(demo.Item("查找计算机")),
            std::set<std::string>{"HKEY_CURRENT_USER\\Software\\Microsoft\\Search Assistant\\ACMru\\5647\\OFFICE-PC"});
  EXPECT_EQ(Captions(demo.Item("Windows搜索历史")),
            (std::set<std::string>{EXPLORER "WordWheelQuery\\0:年终总结", EXPLORER "WordWheelQuery\\1:发票"}));
  EXPECT_EQ(Captions(demo.Item("文件扩展名历史记录")), std::set<std::string>{EXPLORER "FileExts\\.purvexdemo"})
      << "neither the extension with a program in its list nor one Windows knows";
  EXPECT_EQ(Captions(demo.Item("网络驱动器映射历史")),
            (std::set<std::string>{EXPLORER "Map Network Drive MRU\\a:\\\\fileserver\\share",
                                   EXPLORER "Map Network Drive MRU\\MRUList:a"}));
  EXPECT_EQ(demo.Item("最近打开的程序历史记录")->ChildCount(), 2u) << "the missing program and the session counter";
  EXPECT_EQ(Captions(demo.Item(kTrayItem)),
            (std::set<std::string>{
                "HKEY_CURRENT_USER\\Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                "TrayNotify\\IconStreams",
                "HKEY_CURRENT_USER\\Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                "TrayNotify\\PastIconsStream"}));
  EXPECT_EQ(Captions(demo.Item("Windows画图")),
            std::set<std::string>{"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\"
                                  "Recent File List\\File1:C:\\users\\Public\\画图.bmp"});
  EXPECT_EQ(demo.Item("Windows写字板")->ChildCount(), 1u);
  EXPECT_EQ(Captions(demo.Item("剪贴板内容")), std::set<std::string>{"剪贴板内容"});
  EXPECT_EQ(Captions(demo.Item("清空回收站")), std::set<std::string>{"回收站中的数据"});
  EXPECT_EQ(demo.Item("清空回收站")->Data.Caption, std::string("清空回收站") + FormatSummary(2, "文件", 2 * 4096))
      << "the two files the seeder deleted";
  const std::string jumpAuto = JumpListFolder("Automatic") + "\\1b4dd67f29cb1962.automaticDestinations-ms";
  const std::string jumpCustom = JumpListFolder("Custom") + "\\1b4dd67f29cb1962.automaticDestinations-ms";
  EXPECT_EQ(Captions(demo.Item(kJumpListItem)), (std::set<std::string>{jumpAuto, jumpCustom}));
  EXPECT_EQ(demo.Item(kJumpListItem)->Data.Caption, std::string(kJumpListItem) + FormatSummary(2, "文件", 1024));

  // Recent documents: both shortcuts (the one whose document is gone too), the list with
  // its extension sub-key and the typed paths, under a summary of their own.
  const std::string kept = RecentFolder() + "\\报告.txt.lnk", gone = RecentFolder() + "\\已删除.doc.lnk";
  TTreeNode* recent = demo.Item(kRecentItem);
  EXPECT_EQ(Captions(recent), (std::set<std::string>{kept, gone, EXPLORER "RecentDocs\\0:报告.txt",
                                                     EXPLORER "RecentDocs\\.txt\\0:报告.txt",
                                                     EXPLORER "TypedPaths\\url1:C:\\users\\Public"}));
  ASSERT_GT(FileSize(kept), 0);
  EXPECT_EQ(recent->Data.Caption,
            std::string(kRecentItem) + FormatFileRegistrySummary(2, 3, FileSize(kept) + FileSize(gone)));

  int64_t findings = 0;
  for (const char* item : kShellItems) findings += demo.Item(item)->ChildCount();
  // The registry categories report what the prefix holds; they are tested on their own,
  // and here their findings stay (the category of class information stays checked, for
  // the extension history waits for its clean).
  int64_t registryFindings = 0;
  for (TTreeNode* category = demo.RegistryGroup()->FirstChild(); category; category = category->NextSibling())
    for (TTreeNode* f = category->FirstChild(); f; f = f->NextSibling(), ++registryFindings)
      demo.tree.SetCheckState(f, TCheckState::Unchecked);
  EXPECT_EQ(demo.state.Totals.Count, findings + 1 + registryFindings)
      << "the recycle bin's one finding counts its two files";

  // Keep one Run entry and one shortcut: the clean must leave them alone.
  for (TTreeNode* f = demo.Item(kRunItem)->FirstChild(); f; f = f->NextSibling())
    if (f->Data.Name == "b") demo.tree.SetCheckState(f, TCheckState::Unchecked);
  for (TTreeNode* f = recent->FirstChild(); f; f = f->NextSibling())
    if (f->Data.Caption == kept) demo.tree.SetCheckState(f, TCheckState::Unchecked);
  const TExpectedRemovals expected = CheckedFindings(demo, registryBefore);
  demo.clean->CleanItems(false);

  EXPECT_EQ(Lines(Differences(registryBefore, SnapshotRegistry())), Lines(expected.Registry))
      << "the clean removes the checked registry findings and changes nothing else";
  EXPECT_EQ(Lines(Differences(filesBefore, demo.Files())), Lines(expected.Files));
  // The checked findings but the recycle bin's, and the bin's two files.
  EXPECT_EQ(demo.clean->CleanCount(), (findings - 2 - 1) + 2);
  EXPECT_EQ(demo.Item(kRunItem)->Data.Caption, std::string(kRunItem) + "(清理完成)");
  EXPECT_EQ(demo.Item(kTrayItem)->Data.Caption, std::string(kTrayItem) + "(清理完成，重启后生效)");
  EXPECT_EQ(demo.view.Questions, 1) << "the Explorer restart question, answered no";

  demo.scan->ScanItems(false);
  for (const char* item : kShellItems) {
    const uint32_t left = std::string(item) == kRunItem || std::string(item) == kRecentItem ? 1u : 0u;
    EXPECT_EQ(demo.Item(item)->ChildCount(), left) << Utf8FromGbk(item) << " after the clean";
  }
  EXPECT_EQ(Captions(recent), std::set<std::string>{kept});
}

// The same seeded data under older Windows: the items read the lists of those versions.
TEST(SeededDemo, OlderWindowsReadTheirOwnLists) {
  {
    TSeededDemo xp(5, 1);
    ASSERT_TRUE(xp.Seeded());
    for (const char* item : {"最近运行的程序历史记录", "文件打开与保存历史记录", "Windows搜索历史", kTrayItem, kRecentItem})
      ASSERT_NE(xp.Item(item), nullptr) << Utf8FromGbk(item);
    EXPECT_EQ(xp.Item(kJumpListItem), nullptr) << "no jump lists before Windows 7";
    const TSnapshot before = SnapshotRegistry();
    ASSERT_GT(before.size(), 10000u);
    xp.scan->ScanItems(false);
    EXPECT_EQ(Lines(Differences(before, SnapshotRegistry())), "");
    EXPECT_EQ(Captions(xp.Item("最近运行的程序历史记录")),
              std::set<std::string>{EXPLORER "ComDlg32\\LastVisitedMRU\\a:notepad.exe"});
    EXPECT_EQ(Captions(xp.Item("文件打开与保存历史记录")),
              std::set<std::string>{EXPLORER "ComDlg32\\OpenSaveMRU\\txt\\a:C:\\users\\Public\\报告.txt"});
    EXPECT_EQ(Captions(xp.Item("Windows搜索历史")), std::set<std::string>{"年终总结"})
        << "the search assistant's list shows the words alone";
    EXPECT_EQ(Captions(xp.Item(kTrayItem)),
              (std::set<std::string>{EXPLORER "TrayNotify\\IconStreams", EXPLORER "TrayNotify\\PastIconsStream"}));
    const std::string recent = xp.Item(kRecentItem)->Data.Caption;
    EXPECT_NE(recent.find("2项注册表"), std::string::npos) << "no typed paths before Vista: " << Utf8FromGbk(recent);
  }
  {
    TSeededDemo vista(6, 0);
    ASSERT_TRUE(vista.Seeded());
    for (const char* item : {"最近运行的程序历史记录", "Windows搜索历史", kRecentItem})
      ASSERT_NE(vista.Item(item), nullptr) << Utf8FromGbk(item);
    EXPECT_EQ(vista.Item(kJumpListItem), nullptr) << "no jump lists on Vista";
    vista.scan->ScanItems(false);
    EXPECT_EQ(vista.Item("最近运行的程序历史记录")->ChildCount(), 2u);
    EXPECT_EQ(vista.Item("Windows搜索历史")->ChildCount(), 2u) << "the search words of the Explorer box";
    EXPECT_NE(vista.Item(kRecentItem)->Data.Caption.find("3项注册表"), std::string::npos);
  }
  {
    TSeededDemo windows2000(5, 0);
    ASSERT_TRUE(windows2000.Seeded());
    ASSERT_NE(windows2000.Item("最近运行的程序历史记录"), nullptr);
    EXPECT_EQ(windows2000.Item(kTrayItem), nullptr) << "Windows 2000 keeps no icon history";
    windows2000.scan->ScanItems(false);
    EXPECT_EQ(windows2000.Item("最近运行的程序历史记录")->ChildCount(), 1u);
  }
}

// The applications and players of the seeded demo: each item finds what the seeder left,
// the clean removes or rewrites all of it, and the rewritten files keep what is not
// history.
TEST(SeededDemo, ApplicationsAndPlayersFindTheirTracesAndTheCleanKeepsTheirSettings) {
  const std::pair<const char*, uint32_t> kFindings[] = {
      {"WinRAR压缩软件", 1}, {"7ZIP（压缩/解压缩工具）历史记录", 2}, {"微软 Word", 1}, {"微软 Excel", 1},
      {"WinZip压缩软件", 1}, {"WPS文字历史记录", 1}, {"WinImage打开文件的历史记录", 1}, {"GetRight 历史记录", 1},
      {"EditPlus编辑软件", 2}, {"Acrobat Reader阅读器", 2}, {"UltraEdit编辑软件", 3}, {"EmEditor 历史记录", 2},
      {"Windows媒体播放器", 1}, {"RealPlayer/RealOne播放器", 1}, {"KMPlayer播放器", 1},
      // Storm reads the classic player's list too, then its own playlist and the shared history.
      {"暴风影音", 3}, {"Media Player Classic 历史记录", 1}, {"酷狗", 3}, {"QQ影音", 1}, {"迅雷看看播放器", 1},
      {"QQLive 历史记录", 1},
  };
  TSeededDemo demo(6, 1, 1, true);
  ASSERT_TRUE(demo.Seeded());
  // Traps a real profile can hold, none of them the user's to lose: a link inside a folder
  // an item walks (to a folder of photos), and indented play lists of a second player folder
  // that hold only line breaks.
  const std::string roaming = GetSpecialFolder(CSIDL_APPDATA), common = GetSpecialFolder(CSIDL_COMMON_APPDATA);
  const std::string photos = "C:\\users\\Public\\PurvexPhotos", xmp = "C:\\users\\Public\\Thunder Network\\XMP";
  TAtExit removeTraps([&] { RemoveTree(WideFromGbk(photos)); RemoveTree(WideFromGbk("C:\\users\\Public\\Thunder Network")); });
  tracefiles::MakeDirs(photos);
  tracefiles::Write(photos + "\\photo.jpg", "jpeg");
  TUnixFolderLink album(photos, roaming + "\\Tencent\\QQLive\\0123456789abcdef0123456789abcdef\\xml", "album");
  ASSERT_TRUE(album.Made());
  tracefiles::MakeDirs(xmp);
  tracefiles::Write(xmp + "\\XmpPlaylists.xml", "<?xml version=\"1.0\"?>\r\n<lists>\r\n  <list name=\"Default\" path=\"" + xmp +
                                                 "\\default.xpl\"/>\r\n</lists>\r\n");
  tracefiles::Write(xmp + "\\default.xpl", "<?xml version=\"1.0\"?>\r\n<playlist>\r\n\t\r\n</playlist>\r\n");
  const std::wstring trapFolders[] = {WideFromGbk(photos), WideFromGbk(xmp)};
  std::vector<TSnapshot> trapsBefore;
  for (const std::wstring& folder : trapFolders) trapsBefore.push_back(SnapshotFiles(folder));
  SetAllChecked(demo.tree, false);
  for (const auto& [caption, count] : kFindings) {
    ASSERT_NE(demo.Item(caption), nullptr) << Utf8FromGbk(caption);
    demo.tree.SetCheckState(demo.Item(caption), TCheckState::Checked);
  }
  demo.scan->ScanItems(false);
  uint32_t total = 0;
  for (const auto& [caption, count] : kFindings) {
    std::string found;
    for (const std::string& finding : Captions(demo.Item(caption))) found += "\n  " + Utf8FromGbk(finding);
    EXPECT_EQ(demo.Item(caption)->ChildCount(), count) << Utf8FromGbk(caption) << found;
    total += demo.Item(caption)->ChildCount();
  }
  EXPECT_EQ(demo.Item("Acrobat Reader阅读器")->Data.Caption, std::string("Acrobat Reader阅读器") + FormatFileRegistrySummary(1, 1, 2048));

  demo.clean->CleanItems(false);
  EXPECT_EQ(demo.clean->CleanCount(), total) << "every finding removed or rewritten";
  demo.scan->ScanItems(false);
  for (const auto& [caption, count] : kFindings) EXPECT_EQ(demo.Item(caption)->ChildCount(), 0u) << Utf8FromGbk(caption) << " after the clean";

  for (size_t i = 0; i < trapsBefore.size(); ++i)
    EXPECT_EQ(Lines(Differences(trapsBefore[i], SnapshotFiles(trapFolders[i]))), "") << "a trap was touched";
  const std::string ultraEdit = tracefiles::Read(roaming + "\\IDMComp\\UltraEdit\\Uedit32.ini");
  EXPECT_NE(ultraEdit.find("Theme=1"), std::string::npos) << ultraEdit;
  EXPECT_EQ(ultraEdit.find("style.css"), std::string::npos) << ultraEdit;
  EXPECT_NE(tracefiles::Read("C:\\Program Files\\EmEditor\\eeCommon.ini").find("Wrap=1"), std::string::npos);
  const std::string storm = tracefiles::Read(common + "\\Storm\\config.xml");
  EXPECT_NE(storm.find("skin"), std::string::npos) << storm;
  EXPECT_NE(storm.find("localplayhist"), std::string::npos) << "the list stays, empty: " << storm;
  EXPECT_NE(tracefiles::Read("C:\\Program Files\\KuGoo\\kugoo.xml").find("Volume=\"60\""), std::string::npos);
  EXPECT_EQ(sqlfixture::Number("C:\\Program Files\\KuGoo\\KGLibrary.db", "select count(*) from PlayLists"), 0);
  EXPECT_EQ(sqlfixture::Integrity("C:\\Program Files\\KuGoo\\KGLibrary.db"), "ok");

  // An empty special folder names no folder: the players' files of the current drive's
  // root are not theirs.
  const std::string decoy = "C:\\Tencent";
  TAtExit removeDecoy([&] { RemoveTree(WideFromGbk(decoy)); });
  tracefiles::MakeDirs(decoy + "\\QQLive\\0123456789abcdef0123456789abcdef\\xml");
  tracefiles::Write(decoy + "\\QQLive\\0123456789abcdef0123456789abcdef\\xml\\h.xml", "<history><video/></history>");
  tracefiles::MakeDirs(decoy + "\\QQPlayer");
  tracefiles::Write(decoy + "\\QQPlayer\\default.qpl", "<playlist><item file=\"C:\\a.mkv\"/></playlist>");
  const TSnapshot decoyBefore = SnapshotFiles(WideFromGbk(decoy));
  wchar_t current[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, current);
  SetCurrentDirectoryW(L"C:\\");
  AppContext().AppDataDir.clear();
  demo.scan->ScanItems(false);
  demo.clean->CleanItems(false);
  SetCurrentDirectoryW(current);
  for (const char* caption : {"QQLive 历史记录", "QQ影音"}) EXPECT_EQ(demo.Item(caption)->ChildCount(), 0u) << Utf8FromGbk(caption);
  EXPECT_EQ(Lines(Differences(decoyBefore, SnapshotFiles(WideFromGbk(decoy)))), "");
}
