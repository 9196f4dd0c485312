#include "items/CleanDriver.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/CleanStatistics.h"
#include "app/ItemHandlerTable.h"
#include "helpers/AtExit.h"
#include "helpers/RecordingDriverView.h"
#include "helpers/TreeFixtures.h"
#include <windows.h>

#include <vector>

#include "helpers/TempFolder.h"
#include "helpers/UnixFolderLink.h"
#include "items/ItemSummary.h"
#include "items/ItemTree.h"
#include "items/ItemCatalogue.h"
#include "items/ResultRows.h"
#include "junk/SysSweeperWrapper.h"
#include "settings/SettingsFolder.h"

namespace {



std::string MakeFile(const TTempFolder& dir, const wchar_t* name, size_t bytes) {
  std::wstring path = dir.File(name);
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  std::string data(bytes, 'x');
  DWORD written = 0;
  WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
  CloseHandle(h);
  return GbkFromWide(path);
}

TTreeNode* AddFile(TTreeModel& tree, TTreeNode* item, const std::string& path) {
  return AddResultNode(&tree, path, true, "", item, 0, "文件", "", path);
}

// A Windows 7 tree without the engine, nothing checked but what the test checks. The
// groups' platform calls that act on the whole machine (the bin, the clipboard, the
// extension keys, IE's stores and history) are recorded instead.
struct Bench {
  TSettingsFolder settings;
  TCleanWrapper noEngine{"purvex-no-such-engine.dll"};
  TTreeModel tree;
  TRunState state;
  TRecordingDriverView view;
  THandlerTable handlers;
  TInvalidFilesSlot invalidFiles;
  TScanDriver scan{tree, state, view, handlers};
  int emptied = 0, cleared = 0, extDeletes = 0;
  bool emptyWorks = true, clipboardWorks = true;
  std::vector<std::string> extKeys;
  std::function<TRemoveOutcome(int)> clearStore = ClearIEAutoComplete;  // the real one: Wine only stubs it
  TGroupStates groups;
  Bench() {
    TGroupCleanCalls calls;
    calls.Shell.EmptyRecycleBin = [this](HWND) { return ++emptied, emptyWorks; };
    calls.Shell.EmptyClipboard = [this](HWND) { return ++cleared, clipboardWorks; };
    calls.Shell.DeleteFileExtHistory = [this](const std::vector<std::string>& keys) {
      ++extDeletes;
      extKeys = keys;
    };
    calls.IE.ClearStore = [this](int store) { return clearStore(store); };
    calls.IE.CleanHistory = [] {};
    groups = RegisterItemHandlers(handlers, invalidFiles, calls);
    BuildItemTree(tree, Windows7(), noEngine, false, TReadItemChecked());
    SetAllChecked(tree, false);
  }
  // The item's removers of every registry finding replaced.
  void SetRegistryRemover(const char* item, const TFindingRemover& remover) {
    TItemHandler handler = *handlers.Find(item);
    handler.Cleaner.Removers[{true, ""}] = handler.Cleaner.Removers[{true, "x64"}] = remover;
    handlers.Register(item, handler);
  }
  // The clean's record goes to the settings file, as the window hands it over.
  TCleanPhases Phases() const {
    TCleanPhases phases;
    phases.RecordCleanTime = RecordCleanTime;
    phases.RecordCleanStatistics = RecordCleanStatistics;
    return phases;
  }
  TTreeNode* Item(const char* kind) {
    TTreeNode* item = Find(tree, kind);
    tree.SetCheckState(item, TCheckState::Checked);
    return item;
  }
  std::string Saved(const char* key) {
    char buf[64] = {};
    GetPrivateProfileStringA("TraceScanOption", key, "", buf, sizeof buf, settings.SettingsPath().c_str());
    return buf;
  }
};

}  // namespace

TEST(CleanDriver, MixedItemRemovesOnlyItsCheckedFindings) {
  Bench b;
  TTempFolder dir;
  TTreeNode* item = b.Item("Windows画图");
  std::string keep = MakeFile(dir, L"keep.txt", 7), drop = MakeFile(dir, L"drop.txt", 11);
  AddFile(b.tree, item, drop);
  b.tree.SetCheckState(AddFile(b.tree, item, keep), TCheckState::Unchecked);
  ASSERT_TRUE(IsMixed(item->CheckState()));
  TCleanDriver clean(b.tree, b.state, b.view, b.scan, b.Phases());
  clean.CleanItems(false);
  EXPECT_EQ(GetFileAttributesA(drop.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesA(keep.c_str()), INVALID_FILE_ATTRIBUTES) << "an unchecked finding stays";
  EXPECT_EQ(item->ChildCount(), 0u) << "the other findings leave the tree too";
  EXPECT_EQ(item->Data.Caption, std::string("Windows画图") + kSuffixCleaned);
  EXPECT_TRUE(IsChecked(item->CheckState()));
  EXPECT_EQ(clean.CleanCount(), 1);
  EXPECT_EQ(clean.CleanedSize(), 11);
  EXPECT_EQ(b.Saved("PreviousCleanCount"), "1");
  EXPECT_EQ(b.Saved("PreviousCleanSize"), "11");
}

namespace {
// The system's list of files to delete at restart, put back as it was when the test ends.
class TRestartList {
 public:
  TRestartList() {
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager", 0, KEY_ALL_ACCESS,
                  &session_);
    had_ = Read(before_);
  }
  ~TRestartList() {
    if (!session_) return;
    if (had_)
      RegSetValueExA(session_, kValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(before_.data()),
                     static_cast<DWORD>(before_.size()));
    else
      RegDeleteValueA(session_, kValue);
    RegCloseKey(session_);
  }
  bool Open() const { return session_ != nullptr; }
  // The list's text (NUL-separated); false when there is none.
  bool Read(std::string& text) const {
    DWORD size = 0, type = 0;
    text.clear();
    if (!session_ || RegQueryValueExA(session_, kValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    text.resize(size);
    return size == 0 ||
           RegQueryValueExA(session_, kValue, nullptr, &type, reinterpret_cast<BYTE*>(&text[0]), &size) == ERROR_SUCCESS;
  }
  bool Names(const std::string& path) const {
    std::string text;
    return Read(text) && text.find(path.substr(2)) != std::string::npos;  // stored as \??\C:\...
  }

 private:
  static constexpr const char* kValue = "PendingFileRenameOperations";
  HKEY session_ = nullptr;
  bool had_ = false;
  std::string before_;
};
}  // namespace

// A folder finding that is a link goes as a link: before this rule the files of the folder
// it pointed to were deleted.
TEST(CleanDriver, AFolderFindingTakesItsFilesButALinkOnlyItself) {
  Bench b;
  TTempFolder dir, outside;
  const std::string root = GbkFromWide(dir.Path());
  ASSERT_TRUE(CreateDirectoryA((root + "\\plain").c_str(), nullptr));
  MakeFile(dir, L"plain\\a.tmp", 3);
  const std::string precious = MakeFile(outside, L"precious.doc", 5);
  TUnixFolderLink link(GbkFromWide(outside.Path()), root, "link");
  ASSERT_TRUE(link.Made());
  TTreeNode* item = b.Item("Windows画图");
  for (const char* name : {"plain", "link", "vanished"})
    AddResultNode(&b.tree, root + "\\" + name, true, "", item, 0, "目录", "", root + "\\" + name);
  TCleanDriver clean(b.tree, b.state, b.view, b.scan, b.Phases());
  clean.CleanItems(false);
  EXPECT_EQ(GetFileAttributesA((root + "\\plain").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesA(precious.c_str()), INVALID_FILE_ATTRIBUTES) << "the link's target keeps its files";
  // The vanished folder is gone, the plain one went; the link counts only if it went.
  const bool linkGone = GetFileAttributesA((root + "\\link").c_str()) == INVALID_FILE_ATTRIBUTES;
  EXPECT_EQ(clean.CleanCount(), linkGone ? 3 : 2);
}

TEST(CleanDriver, LockedFileIsCountedWithItsSizeAndGoesAtRestart) {
  Bench b;
  TTempFolder dir;
  TTreeNode* item = b.Item("Windows写字板");
  std::string locked = MakeFile(dir, L"locked.tmp", 100);
  TAtExit forgotten([&locked] { AppContext().PendingDeleteFiles.erase(locked); });
  std::string vanished = MakeFile(dir, L"vanished.tmp", 50);
  AddFile(b.tree, item, locked);
  AddFile(b.tree, item, vanished);
  DeleteFileA(vanished.c_str());  // removed between the scan and the clean
  TRestartList restartList;
  ASSERT_TRUE(restartList.Open());
  HANDLE hold = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(hold, INVALID_HANDLE_VALUE);
  std::vector<std::string> reported;
  TCleanPhases phases = b.Phases();
  phases.Services.ReportUndeletedFile = [&](const std::string& p) { reported.push_back(p); };
  TCleanDriver clean(b.tree, b.state, b.view, b.scan, phases);
  clean.CleanItems(false);
  CloseHandle(hold);
  EXPECT_EQ(clean.CleanCount(), 2);
  EXPECT_EQ(clean.CleanedSize(), 100) << "the vanished file counts without a size";
  EXPECT_EQ(reported, std::vector<std::string>{locked});
  EXPECT_EQ(AppContext().PendingDeleteFiles.count(locked), 1u);
  EXPECT_TRUE(restartList.Names(locked)) << "scheduled for deletion at restart";
}

TEST(CleanDriver, ManyFilesOfOneFolderCountTheSizesTheyHadWhenTheyWent) {
  Bench b;
  TTempFolder dir;
  TTreeNode* item = b.Item("Windows写字板");
  std::vector<std::string> plain;
  for (int i = 1; i <= 9; ++i) plain.push_back(MakeFile(dir, (L"f" + std::to_wstring(i) + L".tmp").c_str(), i));
  for (const std::string& f : plain) AddFile(b.tree, item, f);
  const std::string locked = MakeFile(dir, L"locked.tmp", 100), vanished = MakeFile(dir, L"vanished.tmp", 50),
                    readOnly = MakeFile(dir, L"ro.tmp", 5), kept = MakeFile(dir, L"kept.tmp", 70);
  TAtExit forgotten([&locked] { AppContext().PendingDeleteFiles.erase(locked); });
  for (const std::string& f : {locked, vanished, readOnly}) AddFile(b.tree, item, f);
  b.tree.SetCheckState(AddFile(b.tree, item, kept), TCheckState::Unchecked);
  SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  DeleteFileA(vanished.c_str());
  // Grown after the scan: the clean counts what it deletes.
  HANDLE grow = CreateFileA(plain[0].c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  DWORD done = 0;
  WriteFile(grow, "1234", 4, &done, nullptr);
  CloseHandle(grow);
  TRestartList restartList;
  ASSERT_TRUE(restartList.Open());
  HANDLE hold = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(hold, INVALID_HANDLE_VALUE);
  TCleanDriver clean(b.tree, b.state, b.view, b.scan, b.Phases());
  clean.CleanItems(false);
  CloseHandle(hold);
  EXPECT_EQ(clean.CleanCount(), 12);
  EXPECT_EQ(clean.CleanedSize(), (45 + 4) + 100 + 5) << "the vanished file counts without a size";
  for (const std::string& f : plain) EXPECT_EQ(GetFileAttributesA(f.c_str()), INVALID_FILE_ATTRIBUTES) << f;
  EXPECT_EQ(GetFileAttributesA(readOnly.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesA(kept.c_str()), INVALID_FILE_ATTRIBUTES) << "an unchecked finding stays";
  EXPECT_TRUE(restartList.Names(locked));
}

TEST(CleanDriver, AReadOnlyFileGoesAndALockedOneKeepsItsOtherMarks) {
  Bench b;
  TTempFolder dir;
  TTreeNode* item = b.Item("Windows画图");
  const std::string readOnly = MakeFile(dir, L"ro.tmp", 5), locked = MakeFile(dir, L"hidden.tmp", 5);
  SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  AddFile(b.tree, item, readOnly);
  AddFile(b.tree, item, locked);
  TRestartList restartList;  // the locked one is scheduled for the restart
  HANDLE hold = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(hold, INVALID_HANDLE_VALUE);
  TCleanDriver clean(b.tree, b.state, b.view, b.scan, b.Phases());
  clean.CleanItems(false);
  CloseHandle(hold);
  EXPECT_EQ(GetFileAttributesA(readOnly.c_str()), INVALID_FILE_ATTRIBUTES) << "deleted on the second try";
  const DWORD marks = GetFileAttributesA(locked.c_str());
  ASSERT_NE(marks, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(marks & FILE_ATTRIBUTE_HIDDEN) << "a file that stays keeps its hidden mark";
  AppContext().PendingDeleteFiles.erase(locked);
  SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(CleanDriver, OneClickCleanShowsTheItemAsScannedInTheStatusBar) {
  Bench b;
  TTempFolder dir;
  AddFile(b.tree, b.Item("Windows画图"), MakeFile(dir, L"a.txt", 3));
  b.state.OneClick = true;
  TCleanDriver clean(b.tree, b.state, b.view, b.scan, b.Phases());
  clean.CleanItems(true);
  const auto& texts = b.view.StatusTexts;
  EXPECT_NE(std::find(texts.begin(), texts.end(), "正在扫描Windows画图"), texts.end());
}

TEST(CleanDriver, RecycleBinAndClipboardActOnlyWhenFullyChecked) {
  Bench b;
  TTreeNode* bin = b.Item("清空回收站");
  AddResultNode(&b.tree, "回收站中的数据", true, "", bin, 0, "", "", "");
  b.tree.SetCheckState(AddResultNode(&b.tree, "x", true, "", bin, 0, "", "", ""), TCheckState::Unchecked);
  SetItemSuffix(&b.tree, bin, "(2个项目)");
  TTreeNode* clip = b.Item("剪贴板内容");
  AddResultNode(&b.tree, "剪贴板内容", true, "", clip, 0, "", "", "");
  b.groups.RecycleBin->Count = 2;
  int& emptied = b.emptied;
  int& cleared = b.cleared;
  bool& emptyWorks = b.emptyWorks;
  bool& clipboardWorks = b.clipboardWorks;
  TCleanDriver clean(b.tree, b.state, b.view, b.scan, b.Phases());
  clean.CleanItems(false);
  EXPECT_EQ(emptied, 0) << "a mixed recycle-bin item does not empty the bin";
  EXPECT_EQ(bin->Data.Caption, "清空回收站(2个项目)");
  EXPECT_EQ(cleared, 1);
  EXPECT_EQ(clip->ChildCount(), 0u);
  EXPECT_EQ(clip->Data.Caption, "剪贴板内容");

  b.tree.SetCheckState(bin, TCheckState::Unchecked);
  b.groups.RecycleBin->Count = 5;
  b.groups.RecycleBin->Size = 500;
  clean.CleanItems(false);
  EXPECT_EQ(b.groups.RecycleBin->Count, 0) << "an unchecked bin does not reach the statistics";
  EXPECT_EQ(clean.CleanedSize(), 0);

  // A checked bin: its files count when the shell empties it, and not when it refuses.
  for (bool works : {true, false}) {
    AddResultNode(&b.tree, "回收站中的数据", true, "", bin, 0, "", "", "");
    b.tree.SetCheckState(bin, TCheckState::Checked);
    b.groups.RecycleBin->Count = 3;
    b.groups.RecycleBin->Size = 300;
    emptyWorks = works;
    clean.CleanItems(false);
    EXPECT_EQ(clean.CleanCount(), works ? 3 : 0);
    EXPECT_EQ(clean.CleanedSize(), works ? 300 : 0);
    EXPECT_EQ(b.Saved("PreviousCleanCount"), works ? "3" : "0");
  }

  // Checked, but the scan showed nothing there (or never got there): left alone.
  b.tree.SetCheckState(bin, TCheckState::Checked);
  b.tree.SetCheckState(clip, TCheckState::Checked);
  const int emptiedBefore = emptied, clearedBefore = cleared;
  clean.CleanItems(false);
  EXPECT_EQ(emptied, emptiedBefore) << "a bin not shown is not emptied";
  EXPECT_EQ(cleared, clearedBefore);

  // A clipboard that cannot be opened is not counted as cleaned.
  b.tree.SetCheckState(bin, TCheckState::Unchecked);
  AddResultNode(&b.tree, "剪贴板内容", true, "", clip, 0, "", "", "");
  clipboardWorks = false;
  clean.CleanItems(false);
  EXPECT_EQ(cleared, clearedBefore + 1);
  EXPECT_EQ(clean.CleanCount(), 0);
}

TEST(CleanDriver, WhatNoPartRemovesYetIsNotCountedAsCleaned) {
  // Internet Explorer's stores and the database, application and event-log removals are
  // plugged in by their own parts; without them nothing is cleared, so nothing counts.
  Bench b;
  TTreeNode* forms = b.Item("Internet Explorer 自动保存的表单(清理时有效)");
  b.Item("Internet Explorer 自动保存的密码(清理时有效)");
  TTreeNode* paint = b.Item("Windows画图");
  AddResultNode(&b.tree, "C:\\places.sqlite", true, "", paint, 0, "FireFox", "moz_places", "");
  AddResultNode(&b.tree, "C:\\app.ini", true, "", paint, 0, "other", "tag", "C:\\app.ini");
  AddResultNode(&b.tree, "Application", true, "", paint, 0, "EventLog", "Application", "");
  TCleanDriver clean(b.tree, b.state, b.view, b.scan, b.Phases());
  clean.CleanItems(false);
  EXPECT_EQ(clean.CleanCount(), 0);
  EXPECT_FALSE(b.groups.IE->FormsCleared) << "nothing cleared the forms";
  EXPECT_FALSE(b.groups.IE->PasswordsCleared);

  std::vector<int> stores;
  b.clearStore = [&](int store) {
    stores.push_back(store);
    return TRemoveOutcome::NoResult();
  };
  TCleanDriver withStores(b.tree, b.state, b.view, b.scan, b.Phases());
  withStores.CleanItems(false);
  EXPECT_EQ(stores, (std::vector<int>{1, 2}));
  EXPECT_EQ(withStores.CleanCount(), 0) << "the browser's clearing reports nothing: it is not counted";
  EXPECT_TRUE(b.groups.IE->FormsCleared);
  EXPECT_EQ(forms->Data.Caption, std::string("Internet Explorer 自动保存的表单(清理时有效)") + kSuffixCleaned);
}

TEST(CleanDriver, RegistryFindingsAndTheExplorerQuestion) {
  Bench b;
  TTreeNode* tray = b.Item("通知区域图标历史记录(重启后生效)");
  const char* trayKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify";
  AddRegistryFinding(&b.tree, "icons", trayKey, false, tray, "HKEY_CURRENT_USER", 0, "", "", "IconStreams");
  AddRegistryFinding(&b.tree, "past", trayKey, false, tray, "HKEY_CURRENT_USER", 0, "", "", "PastIconsStream");
  TTreeNode* fonts = b.Item("无效的字体");
  AddRegistryFinding(&b.tree, "gone", "Software\\X", false, fonts, "HKEY_LOCAL_MACHINE", 0, "", "", "v");
  std::vector<std::string> deleted;
  auto record = [&deleted](TRemoval& removal) {
    for (const Column4TreeData* f : removal.Findings) {
      deleted.push_back(f->Root.str() + "\\" + f->Path + ":" + f->Name);
      removal.Outcomes.push_back(TRemoveOutcome::Of(f->Path != "Software\\X"));  // this one fails
    }
  };
  b.SetRegistryRemover("通知区域图标历史记录(重启后生效)", [record](TRemoval& removal) {
    record(removal);
    MarkExplorerRestart(removal);
  });
  b.SetRegistryRemover("无效的字体", record);
  TCleanPhases phases = b.Phases();
  int restarts = 0;
  phases.RestartExplorer = [&] { ++restarts; };
  b.view.Answer = true;
  TCleanDriver clean(b.tree, b.state, b.view, b.scan, phases);
  clean.CleanItems(false);
  EXPECT_EQ(deleted.size(), 3u);
  EXPECT_EQ(b.view.Questions, 1) << "asked once for the item";
  EXPECT_NE(b.view.LastQuestion.find("Explorer"), std::string::npos);
  EXPECT_EQ(restarts, 1);
  EXPECT_EQ(tray->Data.Caption, std::string("通知区域图标历史记录(重启后生效)") + kSuffixCleanedAfterRestart);
  EXPECT_EQ(clean.CleanCount(), 2) << "the failed removal is taken off the count";
}

TEST(CleanDriver, WithoutAWholeBackupTheRegistryGroupIsKeptAndTheRestCleaned) {
  Bench b;
  TTreeNode* tray = b.Item("通知区域图标历史记录(重启后生效)");
  AddRegistryFinding(&b.tree, "icons", "Software\\T", false, tray, "HKEY_CURRENT_USER", 0, "", "", "IconStreams");
  TTreeNode* fonts = b.Item("无效的字体");
  TTreeNode* font = AddRegistryFinding(&b.tree, "f", "Software\\F", false, fonts, "HKEY_LOCAL_MACHINE", 0, "", "", "a");
  TTreeNode* run = b.Item("无效的启动项目");
  AddRegistryFinding(&b.tree, "r1", "Software\\R", false, run, "HKEY_LOCAL_MACHINE", 0, "", "", "b");
  TTreeNode* unchecked = AddRegistryFinding(&b.tree, "r2", "Software\\R", false, run, "HKEY_LOCAL_MACHINE", 0, "", "", "c");
  b.tree.SetCheckState(unchecked, TCheckState::Unchecked);
  std::vector<std::string> deleted;
  auto record = [&deleted](TRemoval& removal) {
    for (const Column4TreeData* f : removal.Findings) {
      deleted.push_back(f->Path);
      removal.Outcomes.push_back(TRemoveOutcome::Gone());
    }
  };
  for (const char* item : {"通知区域图标历史记录(重启后生效)", "无效的字体", "无效的启动项目"}) b.SetRegistryRemover(item, record);
  // The backup answers for the registry group's rows.
  bool saves = false;
  int backups = 0;
  TCleanPhases phases = b.Phases();
  phases.BackupBeforeClean = [&](const std::vector<const TTreeNode*>& rows) {
    ++backups;
    TBackupGate gate;
    for (const TTreeNode* row : rows)
      if (row->Parent()->Parent()->Data.Kind == kRegistryGroupCaption) gate.Covered.push_back(row);
    gate.Saved = saves;
    return gate;
  };
  TCleanDriver clean(b.tree, b.state, b.view, b.scan, phases);
  clean.CleanItems(false);
  EXPECT_EQ(backups, 1);
  EXPECT_EQ(deleted, std::vector<std::string>{"Software\\T"}) << "only the finding outside the registry group";
  EXPECT_EQ(clean.CleanCount(), 1) << "the registry group's checked findings count as not cleaned";
  ASSERT_EQ(b.view.Notices.size(), 1u) << "told once";
  EXPECT_NE(b.view.Notices[0].find("注册表"), std::string::npos);
  EXPECT_EQ(fonts->ChildCount(), 1u) << "the findings stay";
  EXPECT_EQ(run->ChildCount(), 2u);
  EXPECT_EQ(font->CheckState(), TCheckState::Checked) << "and keep their checks";
  EXPECT_EQ(fonts->Data.Caption, std::string("无效的字体")) << "not marked cleaned";

  // With the backup saved, the same findings go.
  b.view.Notices.clear();
  saves = true;
  TCleanDriver saved(b.tree, b.state, b.view, b.scan, phases);
  deleted.clear();
  saved.CleanItems(false);
  EXPECT_EQ(deleted, (std::vector<std::string>{"Software\\R", "Software\\F"})) << "in tree order";
  EXPECT_TRUE(b.view.Notices.empty());
}

TEST(CleanDriver, ExtensionHistoryNeedsTheClassItemAndOneClickEndsEarlyOnlyWithNothingFound) {
  Bench b;
  TTreeNode* ext = b.Item("文件扩展名历史记录");
  int& extDeletes = b.extDeletes;
  std::vector<std::string>& extKeys = b.extKeys;
  TCleanDriver clean(b.tree, b.state, b.view, b.scan, b.Phases());
  clean.CleanItems(false);
  EXPECT_EQ(extDeletes, 0);
  b.Item("错误的类信息");
  clean.CleanItems(false);
  EXPECT_EQ(extDeletes, 1);
  EXPECT_EQ(b.Saved("PreviousCleanCount"), "0") << "a clean with nothing found is still recorded";

  const std::string exts = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";
  AddRegistryFinding(&b.tree, "HKEY_CURRENT_USER\\" + exts + ".a", exts + ".a", false, ext, "HKEY_CURRENT_USER", 0, "",
                     "", "");
  TTreeNode* kept = AddRegistryFinding(&b.tree, "HKEY_CURRENT_USER\\" + exts + ".b", exts + ".b", false, ext,
                                       "HKEY_CURRENT_USER", 0, "", "", "");
  b.tree.SetCheckState(kept, TCheckState::Unchecked);
  clean.CleanItems(false);
  EXPECT_EQ(extKeys, std::vector<std::string>{exts + ".a"}) << "the end-of-clean pass may touch only checked findings";

  // A later one-click run of the same program run: its scan's findings are cleaned, and
  // only a scan that found nothing ends early with the empty finish.
  TTempFolder dir;
  const std::string found = MakeFile(dir, L"again.txt", 3);
  AddFile(b.tree, b.Item("Windows画图"), found);
  clean.CleanItems(true);
  EXPECT_EQ(GetFileAttributesA(found.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(b.view.Steps, (std::vector<int>{7, 9, 10, 11}));
  EXPECT_EQ(b.Saved("PreviousCleanCount"), "1");
  b.view.Steps.clear();
  b.state.Totals.Count = 9;
  clean.CleanItems(true);
  EXPECT_EQ(b.view.Steps, std::vector<int>{12});
  EXPECT_EQ(b.state.Totals.Count, 0);
  EXPECT_EQ(b.Saved("PreviousCleanCount"), "1") << "the empty finish records nothing";
  b.view.Steps.clear();
  clean.CleanItems(false);
  EXPECT_TRUE(b.view.Steps.empty()) << "the advanced page's clean after a one-click run reports no steps";
}

// Only what a remover says is gone is counted, with the bytes it says it freed: a failure
// or an action that reports nothing is not, nor a finding its remover gave no answer for;
// a finding that no group removes stays where it was, checked.
TEST(CleanDriver, TheCountAndSizeComeFromTheOutcomesAndAFindingNoGroupRemovesStays) {
  Bench b;
  TTreeNode* item = b.Item("Windows画图");
  const TRemoveOutcome kOutcomes[] = {TRemoveOutcome::Gone(40), TRemoveOutcome::WasGone(),
                                      TRemoveOutcome::Fail(ERROR_ACCESS_DENIED), TRemoveOutcome::NoResult()};
  for (const char* name : {"removed", "gone", "failed", "unreported", "unanswered"})
    AddResultNode(&b.tree, name, true, "", item, 0, "test-kind", name, "");
  TTreeNode* unknown = AddResultNode(&b.tree, "no-such-kind", true, "", item, 0, "no-such-kind", "", "");
  TItemHandler handler = *b.handlers.Find("Windows画图");
  std::vector<std::string> given;
  handler.Cleaner.Removers[{false, "test-kind"}] = [&](TRemoval& removal) {
    for (const Column4TreeData* f : removal.Findings) given.push_back(f->Name);
    removal.Outcomes.assign(std::begin(kOutcomes), std::end(kOutcomes));
  };
  b.handlers.Register("Windows画图", handler);
  TCleanDriver clean(b.tree, b.state, b.view, b.scan, b.Phases());
  clean.CleanItems(false);
  EXPECT_EQ(given, (std::vector<std::string>{"removed", "gone", "failed", "unreported", "unanswered"}))
      << "one removal, in tree order";
  EXPECT_EQ(clean.CleanCount(), 2);
  EXPECT_EQ(clean.CleanedSize(), 40);
  EXPECT_EQ(b.Saved("PreviousCleanCount"), "2");
  ASSERT_EQ(item->ChildCount(), 1u) << "only the finding no group removes stays";
  EXPECT_EQ(item->FirstChild(), unknown);
  EXPECT_TRUE(IsChecked(unknown->CheckState()));
  EXPECT_EQ(item->Data.Caption, "Windows画图") << "an item that kept a finding is not shown as cleaned";
}

// The first one-click run of a program run with nothing found is a clean like any other:
// its steps, its record in the settings (before, it ended at once without either).
TEST(CleanDriver, TheFirstOneClickRunWithNothingFoundIsRecorded) {
  Bench b;
  TCleanDriver clean(b.tree, b.state, b.view, b.scan, b.Phases());
  clean.CleanItems(true);
  EXPECT_EQ(b.view.Steps, (std::vector<int>{7, 9, 10, 11}));
  EXPECT_EQ(b.Saved("PreviousCleanCount"), "0") << "its clean is recorded";
  EXPECT_TRUE(b.state.CleanedOnce);
}
