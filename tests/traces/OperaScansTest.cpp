// Opera in folders and keys of the test: installation folders from the registry, the
// profile folders named after them, history files, caches and the saved session.
#include <gtest/gtest.h>
#include <windows.h>

#include <shlwapi.h>

#include <set>
#include <string>

#include "helpers/TempFolder.h"
#include "helpers/TraceScanBench.h"
#include "helpers/TestContext.h"
#include "system/WideText.h"
#include "traces/OperaScans.h"
#include "traces/OtherFindings.h"

namespace {

using tracefiles::Write;
using tracefiles::Read;
using tracefiles::MakeDirs;

void SetString(HKEY root, const std::string& key, const char* name, const std::string& text) {
  HKEY h;
  RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
  RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(text.size() + 1));
  RegCloseKey(h);
}

struct TOperaKeys {
  TOperaKeys() { Remove(); }
  ~TOperaKeys() { Remove(); }
  static void Remove() {
    SHDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\Opera SoftWare");
    SHDeleteKeyA(HKEY_CLASSES_ROOT, "Opera.HTML");
  }
};

// Two installation folders (one named Opera) and a folder without opera.exe.
struct TOperaInstall {
  TTempFolder dir;
  std::string root = GbkFromWide(dir.Path());
  std::string first = root + "\\Opera", second = root + "\\Opera10", empty = root + "\\NotOpera";
  TOperaKeys keys;
  TOperaInstall() {
    for (const std::string& f : {first, second, empty}) MakeDirs(f);
    Write(first + "\\opera.exe", "MZ");
    Write(second + "\\opera.exe", "MZ");
    SetString(HKEY_CURRENT_USER, "SOFTWARE\\Opera SoftWare", "Last Directory3", empty);
    SetString(HKEY_CURRENT_USER, "SOFTWARE\\Opera SoftWare", "Last Directory", first);
    SetString(HKEY_CURRENT_USER, "SOFTWARE\\Opera SoftWare", "Last CommandLine v2", second + "\\opera.exe -newpage");
    SetString(HKEY_CLASSES_ROOT, "Opera.HTML\\shell\\open\\command", "", "\"" + first + "\\Opera.exe\" \"%1\"");
  }
};

struct TScanBench : TTraceScanBench {
  std::set<std::string> Captions() const {
    std::set<std::string> out;
    for (const TTreeNode* f = item->FirstChild(); f; f = f->NextSibling()) out.insert(f->Data.Caption);
    return out;
  }
};

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

}  // namespace

TEST(FindOperaFolders, FoldersThatHoldOperaEachOnceInLowerCase) {
  TOperaInstall opera;
  std::vector<std::string> list;
  FindOperaFolders(list);
  EXPECT_EQ(list, (std::vector<std::string>{Lower(opera.first) + "\\", Lower(opera.second) + "\\"}));
  EXPECT_EQ(OperaProfileName(list[0]), "opera");
  EXPECT_EQ(OperaProfileName("c:\\"), "");
  EXPECT_EQ(OperaProfileName("d:\\apps\\opera 9\\"), "opera 9");
}

TEST(ScanOperaHistory, HistoryFilesAndSessionsWithMoreThanOneWindow) {
  TTestContext context(false);
  TOperaInstall opera;
  TTempFolder roaming;
  context.Ctx.AppDataDir = GbkFromWide(roaming.Path());
  const std::string profile = context.Ctx.AppDataDir + "\\Opera\\opera";
  MakeDirs(profile + "\\sessions");
  MakeDirs(profile + "\\profile\\sessions");
  MakeDirs(opera.second + "\\sessions");
  Write(profile + "\\global_history.dat", "12345");
  Write(profile + "\\profile\\typed_history.xml", "<typed/>");
  Write(profile + "\\sessions\\autosave.win", "Opera Preferences version 2.1\r\n[session]\r\nwindow count=3\r\n");
  // The second window's section is there, bare: that is a session too.
  Write(profile + "\\profile\\sessions\\autosave.win", "[session]\r\nwindow count=1\r\n[2History URL]\r\n");
  Write(opera.second + "\\sessions\\autosave.win", "[session]\r\nwindow count=1\r\n[1]\r\nx=1\r\n");
  Write(opera.second + "\\vlink4.dat", "1");
  TScanBench b;
  ScanOperaHistory(b.scan);
  EXPECT_EQ(b.Captions(), (std::set<std::string>{profile + "\\global_history.dat", profile + "\\profile\\typed_history.xml",
                                                 profile + "\\sessions\\autosave.win",
                                                 profile + "\\profile\\sessions\\autosave.win",
                                                 Lower(opera.second) + "\\vlink4.dat"}));
  EXPECT_EQ(b.scan.Size, 5 + 8 + 1) << "sessions count without size";
  for (const TTreeNode* f = b.item->FirstChild(); f; f = f->NextSibling()) {
    if (f->Data.Kind == "other") {
      EXPECT_EQ(f->Data.Name, "OperaINI");
    }
  }
}

TEST(CleanOperaSession, KeepsTheFirstWindowAndEverythingElse) {
  TTempFolder dir;
  const std::string path = GbkFromWide(dir.Path()) + "\\autosave.win";
  Write(path, "Opera Preferences version 2.1\r\n; Do not edit\r\n\r\n[session]\r\nwindow count=3\r\nrun=1\r\n"
              "[1]\r\ntitle=one\r\n[1history url]\r\n0=http://one.invalid/\r\n[2]\r\ntitle=two\r\n"
              "[2history url]\r\n0=http://two.invalid/\r\n[3]\r\ntitle=three\r\n[3history title]\r\n0=t\r\n");
  Column4TreeData finding{path, "autosave.win", "OperaINI", "other", "", -1};
  ASSERT_TRUE(RewriteOtherFinding(finding));
  const std::string after = Read(path);
  EXPECT_NE(after.find("Opera Preferences version 2.1"), std::string::npos) << after;
  EXPECT_NE(after.find("window count=1"), std::string::npos) << after;
  EXPECT_NE(after.find("run=1"), std::string::npos) << after;
  EXPECT_NE(after.find("[1history url]"), std::string::npos) << after;
  for (const char* gone : {"[2]", "[2history url]", "[3]", "[3history title]", "two.invalid"})
    EXPECT_EQ(after.find(gone), std::string::npos) << gone << " in " << after;
  EXPECT_EQ(GetFileAttributesA((path + ".purvex-tmp").c_str()), INVALID_FILE_ATTRIBUTES);

  // Held open without sharing: not rewritten, not touched, reported.
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(CleanOperaSession(path));
  CloseHandle(held);
  EXPECT_EQ(Read(path), after);
  Column4TreeData unknown{path, "x", "NoSuchApp", "other", "", -1};
  EXPECT_FALSE(RewriteOtherFinding(unknown)) << "an unknown rewrite is not a clean";

  // A window count no file can hold (two billion sections to erase before): the file's
  // own sections bound the work.
  Write(path, "[session]\r\nwindow count=2147483647\r\n[1]\r\ntitle=one\r\n[2]\r\ntitle=two\r\n");
  ASSERT_TRUE(CleanOperaSession(path));
  EXPECT_EQ(Read(path).find("[2]"), std::string::npos);
  EXPECT_NE(Read(path).find("[1]"), std::string::npos);
}

TEST(ScanOperaCaches, EveryCacheFolderTreeOnce) {
  TTestContext context(false);
  // The local profile folders are the prefix's own: none may be there for this test.
  char local[MAX_PATH] = {};
  GetEnvironmentVariableA("LOCALAPPDATA", local, MAX_PATH);
  RemoveTree(WideFromGbk(std::string(local) + "\\Opera"));
  TOperaInstall opera;
  TTempFolder roaming;
  context.Ctx.AppDataDir = GbkFromWide(roaming.Path());
  const std::string cache = context.Ctx.AppDataDir + "\\Opera\\opera10\\cache4\\sub";
  MakeDirs(cache);
  Write(cache + "\\opr00001.tmp", "123");
  MakeDirs(opera.first + "\\temporary_downloads");
  Write(opera.first + "\\temporary_downloads\\part.zip", "12");
  TScanBench b;
  ScanOperaCaches(b.scan);
  EXPECT_EQ(b.Captions(), (std::set<std::string>{cache + "\\opr00001.tmp",
                                                 Lower(opera.first) + "\\temporary_downloads\\part.zip"}));
  EXPECT_EQ(b.scan.Size, 5);
}
