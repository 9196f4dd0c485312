// The editors' INI lists: which keys become findings, in which order, and the key delete
// that keeps every other line of the file.
#include <gtest/gtest.h>
#include <windows.h>

#include <shlwapi.h>

#include <string>
#include <vector>

#include "helpers/TempFolder.h"
#include "helpers/TestContext.h"
#include "helpers/TraceScanBench.h"
#include "system/WideText.h"
#include "traces/IniKeyScans.h"
#include "traces/OtherFindings.h"

namespace {

using tracefiles::MakeDirs;
using tracefiles::SetText;
using tracefiles::Read;
using tracefiles::Write;

struct TEditorKeys {
  TEditorKeys() { Remove(); }
  ~TEditorKeys() { Remove(); }
  static void Remove() {
    SHDeleteKeyA(HKEY_CLASSES_ROOT, "Applications\\Uedit32.exe");
    SHDeleteKeyA(HKEY_CLASSES_ROOT, "CLSID\\{DFA0CC7F-D36B-47D1-8EF5-415C1DA53F57}");
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\EmSoft");
  }
};

const char kUserIni[] =
    "; written by the editor\r\n"
    "[Settings]\r\nTheme=dark\r\n"
    "[Recent File List]\r\nFile1=C:\\docs\\one.txt\r\nFile2=\r\nFile3=D:\\src\\three.cpp\r\n"
    "[Find History]\r\nFind1=needle\r\n"
    "[Find in File History]\r\nFind1=C:\\haystack\\\r\n";

}  // namespace

TEST(UltraEdit, BothCopiesTheirListsLastKeyFirstAndTheKeyDeleteKeepsTheRest) {
  TEditorKeys keys;
  TTestContext context(false);
  TTempFolder programs, appData;
  context.Ctx.ProgFilesDir = GbkFromWide(programs.Path());
  context.Ctx.AppDataDir = GbkFromWide(appData.Path());
  MakeDirs(context.Ctx.ProgFilesDir + "\\IDM Computer Solutions\\UltraEdit");
  const std::string program = context.Ctx.ProgFilesDir + "\\IDM Computer Solutions\\UltraEdit\\";
  Write(program + "Uedit32.ini", "[Recent File List]\r\nFile1=C:\\a\\first.txt\r\n[Find History]\r\nFind1=not read here\r\n");
  SetText(HKEY_CLASSES_ROOT, "Applications\\Uedit32.exe\\shell\\edit\\command", "",
          "%ProgramFiles%\\IDM Computer Solutions\\UltraEdit\\Uedit32.exe \"%1\"", REG_EXPAND_SZ);
  const std::string user = context.Ctx.AppDataDir + "\\IDMComp\\UltraEdit\\";
  MakeDirs(user);
  Write(user + "Uedit32.ini", kUserIni);

  TTraceScanBench b;
  ScanUltraEdit(b.scan);
  EXPECT_EQ(b.Captions(), (std::vector<std::string>{program + "Uedit32.ini:first.txt", user + "Uedit32.ini:three.cpp",
                                                   user + "Uedit32.ini:one.txt", user + "Uedit32.ini:" /* a folder: no file name */,
                                                   user + "Uedit32.ini:needle"}))
      << "program copy first; then recent files, find in files, find, each from its last key";
  EXPECT_EQ(b.scan.Count, 5);
  EXPECT_EQ(b.scan.Size, 0);
  const Column4TreeData three = b.item->FirstChild()->NextSibling()->Data;
  EXPECT_EQ(three.Name, "Recent File List|File3");
  EXPECT_EQ(three.Root, kIniKeyRoot);
  EXPECT_EQ(three.Kind, "other");

  ASSERT_TRUE(RewriteOtherFinding(three));
  const std::string after = Read(user + "Uedit32.ini");
  EXPECT_EQ(after.find("three.cpp"), std::string::npos) << after;
  for (const char* kept : {"; written by the editor", "Theme=dark", "File1=C:\\docs\\one.txt", "Find1=needle", "C:\\haystack\\"})
    EXPECT_NE(after.find(kept), std::string::npos) << kept << " lost: " << after;
  EXPECT_FALSE(PathFileExistsA((user + "Uedit32.ini.purvex-tmp").c_str()));
  EXPECT_TRUE(RewriteOtherFinding(three)) << "a key that is gone already is clean";
}

TEST(UltraEdit, ACommandOfAnotherTypeOrAMissingFileGivesOnlyTheUserCopy) {
  TEditorKeys keys;
  TTestContext context(false);
  TTempFolder appData;
  context.Ctx.AppDataDir = GbkFromWide(appData.Path());
  SetText(HKEY_CLASSES_ROOT, "Applications\\Uedit32.exe\\shell\\edit\\command", "", "C:\\nowhere\\Uedit32.exe");
  TTraceScanBench none;
  ScanUltraEdit(none.scan);
  EXPECT_EQ(none.scan.Count, 0);

  const std::string user = context.Ctx.AppDataDir + "\\IDMComp\\UltraEdit\\";
  MakeDirs(user);
  std::string binary(3000, '\0');
  for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>((i * 131 + 7) % 256);
  Write(user + "Uedit32.ini", binary);
  TTraceScanBench garbage;
  ScanUltraEdit(garbage.scan);
  for (const std::string& caption : garbage.Captions()) EXPECT_EQ(caption.rfind(user, 0), 0u) << caption;
  EXPECT_EQ(Read(user + "Uedit32.ini"), binary) << "reading changes nothing";
}

TEST(UltraEdit, AHeldFileIsNotRewrittenAndCountsAsNotCleaned) {
  TTempFolder dir;
  const std::string ini = GbkFromWide(dir.Path()) + "\\Uedit32.ini";
  Write(ini, kUserIni);
  HANDLE held = CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(CleanIniKeyFinding(Column4TreeData{ini + ":one.txt", ini, "Recent File List|File1", "other", kIniKeyRoot, -1}));
  CloseHandle(held);
  EXPECT_EQ(Read(ini), kUserIni);
  EXPECT_FALSE(PathFileExistsA((ini + ".purvex-tmp").c_str()));
}

// A file rewritten through a copy keeps its marks, read-only among them (before, the copy
// came back plain, or the replace of a read-only file failed).
TEST(UltraEdit, ARewrittenFileKeepsItsAttributes) {
  TTempFolder dir;
  const std::string ini = GbkFromWide(dir.Path()) + "\\Uedit32.ini";
  for (DWORD marks : {DWORD(FILE_ATTRIBUTE_HIDDEN), DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN)}) {
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    Write(ini, kUserIni);
    SetFileAttributesA(ini.c_str(), marks);
    EXPECT_TRUE(CleanIniKeyFinding(Column4TreeData{ini + ":one.txt", ini, "Recent File List|File1", "other", kIniKeyRoot, -1}))
        << marks;
    EXPECT_EQ(GetFileAttributesA(ini.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), marks);
    EXPECT_NE(Read(ini), kUserIni) << "rewritten";
  }
  SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(EmEditor, TheProgramFoldersIniThenBothRegistryLists) {
  TEditorKeys keys;
  TTestContext context(false);
  TTempFolder dir;
  const std::string folder = GbkFromWide(dir.Path()) + "\\";
  SetText(HKEY_CLASSES_ROOT, "CLSID\\{DFA0CC7F-D36B-47D1-8EF5-415C1DA53F57}\\InprocServer32", "", folder + "emeditor.dll");
  Write(folder + "eeCommon.ini", "[Recent File List]\r\nFile0=C:\\x\\a.txt\r\nFile1=C:\\x\\b.txt\r\n[Other]\r\nk=v\r\n");
  SetText(HKEY_CURRENT_USER, "Software\\EmSoft\\EmEditor v3\\Recent Folder List", "", "C:\\x");
  TTraceScanBench b;
  ScanEmEditor(b.scan);
  ASSERT_EQ(b.scan.Count, 3);
  EXPECT_EQ(b.Captions()[0], folder + "eeCommon.ini:b.txt");
  EXPECT_EQ(b.Captions()[1], folder + "eeCommon.ini:a.txt");
  EXPECT_EQ(b.item->FirstChild()->Data.Name, "Recent File List|File1");
  ASSERT_TRUE(RewriteOtherFinding(b.item->FirstChild()->Data));
  const std::string after = Read(folder + "eeCommon.ini");
  EXPECT_EQ(after.find("b.txt"), std::string::npos);
  EXPECT_NE(after.find("File0=C:\\x\\a.txt"), std::string::npos);
  EXPECT_NE(after.find("k=v"), std::string::npos);
}
