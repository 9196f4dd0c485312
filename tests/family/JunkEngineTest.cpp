// The junk engine through its COM interface, loaded from a private copy of the library so
// its settings file lands in the test's own folder.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "family/JunkEngineClient.h"

namespace {

const wchar_t kUserTemp[] = L"用户临时文件";

}  // namespace

TEST(JunkEngine, CategoriesAndFileTypesEnumerate) {
  TTempFolder dir;
  Engine engine(dir);
  ASSERT_TRUE(engine);
  INT32 count = 0;
  engine->GetCategoryCount(&count);
  std::vector<TRubbishItem> categories = engine.Categories();
  EXPECT_EQ(static_cast<size_t>(count), categories.size());
  EXPECT_GE(count, 7);
  std::set<std::wstring> names;
  for (TRubbishItem item : categories) {
    std::wstring name = engine.Name(item);
    EXPECT_FALSE(name.empty());
    names.insert(name);
    INT32 image = -1, recommended = 0, checked = 0;
    engine->GetItemImageIndex(item, &image);
    engine->GetItemRecommended(item, &recommended);
    engine->GetItemChecked(item, &checked);
    EXPECT_GE(image, 0);
    EXPECT_EQ(checked != 0, recommended != 0) << "defaults select exactly the recommended categories";
  }
  EXPECT_EQ(names.size(), categories.size()) << "names are unique";
  EXPECT_TRUE(names.count(kUserTemp));
  INT32 byTypeRecommended = -1;
  engine->GetItemRecommended(engine.CategoryNamed(L"按文件类型扫描"), &byTypeRecommended);
  EXPECT_EQ(byTypeRecommended, 0) << "the whole-disk sweep is never recommended";

  TRubbishItem root = 0, type = 0;
  engine->GetFileTypeRoot(&root);
  engine->GetFirstChild(root, &type);
  int types = 0;
  bool sawTmp = false;
  while (type != 0 && types < 1000) {
    std::wstring name = engine.Name(type);
    EXPECT_NE(name.find(L' '), std::wstring::npos) << "pattern, a blank, description";
    sawTmp |= name.rfind(L"*.tmp ", 0) == 0;
    BSTR group = nullptr;
    engine->GetItemGroupName(type, &group);
    EXPECT_GT(SysStringLen(group), 0u);
    SysFreeString(group);
    ++types;
    engine->GetNextItem(type, &type);
  }
  EXPECT_GE(types, 5);
  EXPECT_TRUE(sawTmp);
}

TEST(JunkEngine, ScanFindsExactlyTheFilesOfTheSelectedFolder) {
  TTempFolder dir;
  Engine engine(dir);
  ASSERT_TRUE(engine);
  TTempFolder tree;
  const std::wstring t = tree.Path();
  CreateDirectoryW((t + L"\\sub").c_str(), nullptr);
  CreateDirectoryW((t + L"\\sub\\deep").c_str(), nullptr);
  CreateDirectoryW((t + L"\\skip").c_str(), nullptr);
  CreateDirectoryW((t + L"\\Skipper").c_str(), nullptr);
  WriteFile(t + L"\\a.tmp", 10);
  WriteFile(t + L"\\sub\\b.txt", 20);
  WriteFile(t + L"\\sub\\deep\\c.log", 30);
  WriteFile(t + L"\\skip\\d.tmp", 40);
  WriteFile(t + L"\\Skipper\\e.tmp", 50);  // shares a prefix with the excluded folder only
  TempFolderRedirect redirect(t);
  TRubbishItem temp = engine.CategoryNamed(kUserTemp);
  engine.SelectOnly(temp);
  BSTR excluded = SysAllocString((t + L"\\SKIP\\|\"C:\\nowhere\"").c_str());
  engine->SetExcludedFolders(excluded);
  SysFreeString(excluded);
  BSTR back = nullptr;
  engine->GetExcludedFolders(&back);
  EXPECT_EQ(std::wstring(back, SysStringLen(back)), t + L"\\SKIP|C:\\nowhere");
  SysFreeString(back);

  engine->RunScan();
  std::set<std::wstring> expected = {t + L"\\a.tmp", t + L"\\sub\\b.txt", t + L"\\sub\\deep\\c.log",
                                     t + L"\\Skipper\\e.tmp"};
  EXPECT_EQ(engine.Files(temp), expected);
  INT32 count = 0;
  INT64 size = 0;
  engine->GetCategoryTotals(temp, &count, &size);
  EXPECT_EQ(count, 4);
  EXPECT_EQ(size, 10 + 20 + 30 + 50);
  // Nothing is deleted by a scan.
  for (const std::wstring& f : expected) EXPECT_NE(GetFileAttributesW(f.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(JunkEngine, AgeFilterKeepsRecentlyUsedFiles) {
  TTempFolder dir;
  Engine engine(dir);
  TTempFolder tree;
  WriteFile(tree.File(L"new.tmp"), 1);
  WriteFile(tree.File(L"yesterday.tmp"), 1, 1);
  WriteFile(tree.File(L"old.tmp"), 1, 3);
  TempFolderRedirect redirect(tree.Path());
  TRubbishItem temp = engine.CategoryNamed(kUserTemp);
  engine.SelectOnly(temp);
  engine->SetAgeFilter(2);
  engine->RunScan();
  EXPECT_EQ(engine.Files(temp), std::set<std::wstring>{tree.File(L"old.tmp")});
  engine->SetAgeFilter(0);
  engine->RunScan();
  EXPECT_EQ(engine.Files(temp).size(), 3u);
}

// The bench links C:\purvex-fixtures\reparse\tree\link to a folder outside the tree.
TEST(JunkEngine, NeverFollowsSymbolicLinks) {
  const std::wstring tree = L"C:\\purvex-fixtures\\reparse\\tree";
  DWORD attributes = GetFileAttributesW((tree + L"\\link").c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << "bench fixture missing";
  ASSERT_TRUE(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
  TTempFolder dir;
  Engine engine(dir);
  TempFolderRedirect redirect(tree);
  TRubbishItem temp = engine.CategoryNamed(kUserTemp);
  engine.SelectOnly(temp);
  engine->RunScan();
  EXPECT_EQ(engine.Files(temp), (std::set<std::wstring>{tree + L"\\own.tmp", tree + L"\\sub\\deep.tmp"}));
}

namespace {
struct ScanThread {
  IRubbishClean* api;
  DWORD returnedAt = 0;
  static DWORD WINAPI Run(LPVOID p) {
    auto* self = static_cast<ScanThread*>(p);
    CoInitialize(nullptr);
    self->api->RunScan();
    self->returnedAt = GetTickCount();
    CoUninitialize();
    return 0;
  }
};
}  // namespace

TEST(JunkEngine, StopEndsARunningScanQuicklyAndGettersStayConsistent) {
  TTempFolder dir;
  Engine engine(dir);
  TTempFolder tree;
  // Enough folders that the scan cannot finish before it is stopped.
  for (int d = 0; d < 60; ++d) {
    std::wstring folder = tree.File(L"d" + std::to_wstring(d));
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int f = 0; f < 100; ++f) WriteFile(folder + L"\\f" + std::to_wstring(f) + L".tmp", 1);
  }
  TempFolderRedirect redirect(tree.Path());
  TRubbishItem temp = engine.CategoryNamed(kUserTemp);
  engine.SelectOnly(temp);
  ScanThread scan{&*engine.operator->()};
  HANDLE thread = CreateThread(nullptr, 0, ScanThread::Run, &scan, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  // While it runs, a finding read by index stays the same finding.
  std::wstring first;
  for (const DWORD start = GetTickCount(); first.empty() && GetTickCount() - start < 10000;) {
    BSTR b = nullptr;
    INT64 size = 0;
    if (SUCCEEDED(engine->GetCategoryFile(temp, 0, &b, &size))) first.assign(b, SysStringLen(b));
    SysFreeString(b);
    if (first.empty()) Sleep(1);
  }
  ASSERT_FALSE(first.empty()) << "no finding appeared while scanning";
  EXPECT_EQ(engine->LoadSettings(), E_FAIL) << "settings are not reloaded under a running scan";
  TRubbishItem scanning = 0;
  engine->GetScanningCategory(&scanning);
  DWORD stopAt = GetTickCount();
  engine->StopScan();
  ASSERT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
  CloseHandle(thread);
  // It may have ended on its own just before the stop: then it returned "before" it.
  const DWORD late = scan.returnedAt > stopAt ? scan.returnedAt - stopAt : 0;
  EXPECT_LE(late, 250u) << "RunScan returned " << late << " ms after the stop";
  INT32 count = 0;
  INT64 size = 0;
  engine->GetCategoryTotals(temp, &count, &size);
  EXPECT_LT(count, 6000) << "the scan was stopped before the end";
  BSTR b = nullptr;
  engine->GetCategoryFile(temp, 0, &b, &size);
  EXPECT_EQ(std::wstring(b, SysStringLen(b)), first);
  SysFreeString(b);
  EXPECT_TRUE(scanning == temp || scanning == 0);
}

TEST(JunkEngine, SettingsSurviveAReloadAndCancelDropsChanges) {
  TTempFolder dir;
  TTempFolder tree;
  WriteFile(tree.File(L"new.tmp"), 1);
  WriteFile(tree.File(L"old.tmp"), 1, 3);
  TempFolderRedirect redirect(tree.Path());
  // Far longer than one read of a settings value: every excluded folder must come back.
  std::wstring excludedList = L"C:\\keep|D:\\also";
  for (int i = 0; i < 60; ++i) excludedList += L"|C:\\a rather long folder name for the list\\number " + std::to_wstring(i);
  TRubbishItem temp;
  {
    Engine engine(dir);
    temp = engine.CategoryNamed(kUserTemp);
    engine->SetItemChecked(temp, 0);
    BSTR excluded = SysAllocString(excludedList.c_str());
    engine->SetExcludedFolders(excluded);
    SysFreeString(excluded);
    engine->SaveSettings();
    engine->SetAgeFilter(2);  // the program's choice for this run
    engine->SetItemChecked(temp, -1);  // an unsaved change, as after Cancel
    engine->LoadSettings();
    INT32 checked = -1;
    engine->GetItemChecked(temp, &checked);
    EXPECT_EQ(checked, 0);
    engine.SelectOnly(temp);
    engine->RunScan();
    EXPECT_EQ(engine.Files(temp), std::set<std::wstring>{tree.File(L"old.tmp")}) << "a Cancel keeps the age filter";
  }
  Engine again(dir);
  INT32 checked = -1;
  again->GetItemChecked(temp, &checked);
  EXPECT_EQ(checked, 0);
  BSTR back = nullptr;
  again->GetExcludedFolders(&back);
  EXPECT_EQ(std::wstring(back, SysStringLen(back)), excludedList);
  SysFreeString(back);
  again.SelectOnly(temp);
  again->RunScan();
  EXPECT_EQ(again.Files(temp).size(), 2u) << "the age filter is not stored: a new run scans all files";
}

TEST(JunkEngine, FilesAClearFailedToDeleteAreNotFoundAgain) {
  TTempFolder dir;
  Engine engine(dir);
  TTempFolder tree;
  WriteFile(tree.File(L"locked.tmp"), 1);
  WriteFile(tree.File(L"free.tmp"), 1);
  TempFolderRedirect redirect(tree.Path());
  TRubbishItem temp = engine.CategoryNamed(kUserTemp);
  engine.SelectOnly(temp);
  engine->RunScan();
  ASSERT_EQ(engine.Files(temp).size(), 2u);
  std::wstring reported = tree.File(L"LOCKED.TMP");
  BSTR b = SysAllocString(reported.c_str());
  engine->ReportUndeletedFile(b);
  SysFreeString(b);
  engine->RunScan();
  EXPECT_EQ(engine.Files(temp), std::set<std::wstring>{tree.File(L"free.tmp")}) << "it goes at the next restart";
}

TEST(JunkEngine, ATemporaryFolderThatHoldsTheUsersFilesIsNotJunk) {
  TTempFolder dir;
  Engine engine(dir);
  TRubbishItem temp = engine.CategoryNamed(kUserTemp);
  engine.SelectOnly(temp);
  wchar_t profile[MAX_PATH] = {};
  ASSERT_TRUE(GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH));
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  const std::wstring profileParent = std::wstring(profile).substr(0, std::wstring(profile).rfind(L'\\'));
  std::vector<std::wstring> folders = {L"C:\\", profile, profileParent, windows};
  // Folders of the user's data that a TEMP may be set to: each holds a file of the test's.
  for (int csidl : {CSIDL_APPDATA, CSIDL_LOCAL_APPDATA, CSIDL_COMMON_APPDATA}) {
    wchar_t path[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, path, csidl, TRUE));
    folders.push_back(path);
  }
  std::vector<std::wstring> probes;
  for (size_t i = 4; i < folders.size(); ++i) {
    probes.push_back(folders[i] + L"\\purvex-user-file.tmp");
    WriteFile(probes.back(), 1);
  }
  for (const std::wstring& folder : folders) {
    TempFolderRedirect redirect(folder);
    engine->RunScan();
    EXPECT_TRUE(engine.Files(temp).empty()) << "TEMP=" << std::string(folder.begin(), folder.end());
  }
  for (const std::wstring& probe : probes) DeleteFileW(probe.c_str());
}

TEST(JunkEngine, UserFileTypesWithBlanksKeepTheirPieces) {
  TTempFolder dir;
  const std::wstring ini = dir.File(L"Marvolent8.ini");
  WritePrivateProfileStringW(L"UserFileTypes", L"my file*.x", L"草稿 备份|自定义", ini.c_str());
  Engine engine(dir);
  TRubbishItem root = 0, item = 0;
  engine->GetFileTypeRoot(&root);
  engine->GetFirstChild(root, &item);
  std::set<std::wstring> names;
  for (int i = 0; item != 0 && i < 100; ++i) {
    names.insert(engine.Name(item));
    engine->GetNextItem(item, &item);
  }
  EXPECT_EQ(names.count(L"\"my file*.x\" \"草稿 备份\""), 1u);
  EXPECT_EQ(names.count(L"*.tmp 临时文件"), 1u) << "pieces without blanks stay bare";
}

TEST(JunkEngine, AFileInTheFoldersOfTwoCategoriesIsReportedOnce) {
  TTempFolder dir;
  Engine engine(dir);
  ASSERT_TRUE(engine);
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  // The user's temporary folder inside the Windows one: both categories list it.
  const std::wstring t = std::wstring(windows) + L"\\Temp\\purvex-overlap";
  CreateDirectoryW(t.c_str(), nullptr);
  CreateDirectoryW((t + L"\\sub").c_str(), nullptr);
  WriteFile(t + L"\\a.tmp", 10);
  WriteFile(t + L"\\sub\\b.tmp", 20);
  TempFolderRedirect redirect(t);
  const TRubbishItem windowsTemp = engine.CategoryNamed(L"Windows临时文件"), user = engine.CategoryNamed(kUserTemp);
  engine.SelectOnly(windowsTemp);
  engine->SetItemChecked(user, -1);
  for (int scan = 0; scan < 2; ++scan) {  // the second scan starts from an empty record
    engine->RunScan();
    std::set<std::wstring> all = engine.Files(windowsTemp);
    EXPECT_TRUE(all.count(t + L"\\a.tmp") && all.count(t + L"\\sub\\b.tmp")) << "the first category that lists them";
    EXPECT_TRUE(engine.Files(user).empty()) << "nothing twice";
  }
  DeleteFileW((t + L"\\sub\\b.tmp").c_str());
  DeleteFileW((t + L"\\a.tmp").c_str());
  RemoveDirectoryW((t + L"\\sub").c_str());
  RemoveDirectoryW(t.c_str());
}
