#include "core/ExePathRules.h"

#include <gtest/gtest.h>

using namespace core;

TEST(ExtractExePath, CommandLinesGiveTheirExecutable) {
  const struct {
    const char* commandLine;
    const char* expected;
  } cases[] = {
      // quoted path with blanks, then a switch
      {"\"C:\\Program Files\\My App\\app.exe\" -k", "C:\\Program Files\\My App\\app.exe"},
      {"\"\"C:\\x\\y.exe\"\" 1", "C:\\x\\y.exe"},
      // unquoted path with blanks, then a switch
      {"C:\\Program Files\\My App\\app.exe -k", "C:\\Program Files\\My App\\app.exe"},
      // module with an icon index
      {"C:\\Windows\\system32\\shell32.dll,-21", "C:\\Windows\\system32\\shell32.dll"},
      {"C:\\a\\b.ico ,0", "C:\\a\\b.ico"},
      // rundll32 and its arguments
      {"rundll32.exe shell32.dll,Control_RunDLL", "rundll32.exe"},
      {"C:\\x\\tool.com %1", "C:\\x\\tool.com"},
      // doubled backslashes anywhere
      {"C:\\\\Windows\\\\\\system32\\\\notepad.exe", "C:\\Windows\\system32\\notepad.exe"},
      // a quote inside the line: removed, and everything from the next one on
      {"C:\\\"Program Files\"\\x.exe", "C:\\Program Files"},
      // no extension before the blank: nothing to cut
      {"notepad /p", "notepad /p"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ExtractExePath(c.commandLine), c.expected) << c.commandLine;
}

// A " -" in a folder name comes before the extension; the switch after "run.com" is still
// found, so the command names the file that really must exist.
TEST(ExtractExePath, SeparatorInsideAFolderNameDoesNotHideTheSwitch) {
  EXPECT_EQ(ExtractExePath("C:\\My -Tools\\run.com -x"), "C:\\My -Tools\\run.com");
  EXPECT_EQ(ExtractExePath("C:\\a,b\\lib.dll,2"), "C:\\a,b\\lib.dll");
  EXPECT_EQ(ExtractExePath("C:\\My -Tools\\run.com"), "C:\\My -Tools\\run.com");
}

TEST(ExtractExePath, KeepsNetworkPathsAndDoubleByteCharacters) {
  EXPECT_EQ(ExtractExePath("\\\\server\\\\share\\app.exe /x"), "\\\\server\\share\\app.exe");
  // "\x95\x5c" ends in a byte that looks like a backslash: no collapse with the next one.
  EXPECT_EQ(ExtractExePath("C:\\\x95\x5c\\a.exe"), "C:\\\x95\x5c\\a.exe");
  EXPECT_EQ(ExtractExePath("C:\\软件\\程序.exe -q"), "C:\\软件\\程序.exe");
}

namespace {
TPathVariableFolders Folders() {
  TPathVariableFolders f;
  f.ProgFilesDir = "C:\\Program Files (x86)";
  f.ProgFiles64Dir = "C:\\Program Files";
  f.CommonFilesDir = "C:\\Program Files (x86)\\Common Files";
  f.CommonFiles64Dir = "C:\\Program Files\\Common Files";
  f.WindowsDir = "C:\\Windows";
  return f;
}
}  // namespace

TEST(ExpandPathVariables, ResourceReferenceGivesTheModule) {
  for (const char* ref : {"@%SystemRoot%\\system32\\x.dll,-123", "@%SYSTEMROOT%\\system32\\x.dll,-123",
                          "@%systemroot%\\system32\\x.dll,-123"})
    EXPECT_EQ(ExpandPathVariables(ref, false, Folders()), "C:\\Windows\\system32\\x.dll") << ref;
}

TEST(ExpandPathVariables, OnlyTheLeadingVariableIsReplaced) {
  TPathVariableFolders f = Folders();
  EXPECT_EQ(ExpandPathVariables("%ProgramFiles%\\a\\b.exe /x", false, f), "C:\\Program Files (x86)\\a\\b.exe");
  EXPECT_EQ(ExpandPathVariables("%PROGRAMFILES%\\a\\b.exe", true, f), "C:\\Program Files\\a\\b.exe");
  EXPECT_EQ(ExpandPathVariables("%CommonProgramFiles%\\c.dll", true, f), "C:\\Program Files\\Common Files\\c.dll");
  EXPECT_EQ(ExpandPathVariables("%WinDir%\\regedit.exe", false, f), "C:\\Windows\\regedit.exe");
  // after any other character, or any other variable: left alone
  // (the quotes go only afterwards, with the command line)
  EXPECT_EQ(ExpandPathVariables("\"%ProgramFiles%\\a.exe\"", false, f), "%ProgramFiles%\\a.exe");
  EXPECT_EQ(ExpandPathVariables("x%ProgramFiles%\\a.exe", false, f), "x%ProgramFiles%\\a.exe");
  EXPECT_EQ(ExpandPathVariables("C:\\%windir%\\a.exe", false, f), "C:\\%windir%\\a.exe");
  EXPECT_EQ(ExpandPathVariables("@", false, f), "");
}

TEST(LocalServerPath, LowerCasedAndCutBeforeTheAutomationSwitch) {
  EXPECT_EQ(LocalServerPath("  C:\\Apps\\Server.EXE /Automation "), "c:\\apps\\server.exe");
  EXPECT_EQ(LocalServerPath("C:\\Apps\\Server.exe -Embedding"), "c:\\apps\\server.exe -embedding");
}
