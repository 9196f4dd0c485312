// Purvex.exe from outside: its resources, the history mode, the single instance and the
// start-up gate under the Windows versions Wine can pretend to be.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "SavedSelection.h"
#include "helpers/AtExit.h"
#include "helpers/ProcessHelpers.h"
#include "helpers/ProgramCopy.h"
#include "helpers/StartupTexts.h"
#include "helpers/TempFolder.h"
#include "res/resource.h"
#include "system/WideText.h"

namespace {

const wchar_t kMainClass[] = L"TFormPurvex";
const wchar_t kDialogClass[] = L"#32770";
const DWORD kStartMs = 20000;

std::wstring Quoted(const std::wstring& s) { return L"\"" + s + L"\""; }

struct Library {
  HMODULE h;
  explicit Library(const std::wstring& path) : h(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~Library() {
    if (h) FreeLibrary(h);
  }
};

std::wstring ResourceString(HMODULE module, UINT id) {
  const wchar_t* text = nullptr;
  int n = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
  return n > 0 ? std::wstring(text, n) : std::wstring();
}

// Closes the main window of a running instance and expects a clean exit.
void CloseMainWindow(TChild& child) {
  HWND form = FindProcessWindow(child.Pid, kMainClass);
  ASSERT_NE(form, nullptr);
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_TRUE(child.WaitExit(kStartMs));
  EXPECT_EQ(child.ExitCode(), 0u);
}

// A copy of the program under its own name, so Wine's per-program settings for it
// touch no other test.
class ProgramCopy {
 public:
  ProgramCopy(const TTempFolder& dir, const std::wstring& name, const wchar_t* wineVersion)
      : path_(dir.File(name)), key_(L"Software\\Wine\\AppDefaults\\" + name) {
    copied_ = CopyFileW(PurvexExe().c_str(), path_.c_str(), FALSE) != FALSE;
    if (wineVersion) {
      HKEY h;
      if (RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) ==
          ERROR_SUCCESS) {
        RegSetValueExW(h, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(wineVersion),
                       static_cast<DWORD>((wcslen(wineVersion) + 1) * sizeof(wchar_t)));
        RegCloseKey(h);
      }
    }
  }
  ~ProgramCopy() {
    RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str());
  }
  bool Copied() const { return copied_; }
  const std::wstring& Path() const { return path_; }

  // Replaces the copy's manifest (the program's own plus a supportedOS entry).
  bool DeclareSupportedOS(const char* osGuid) {
    HANDLE update = BeginUpdateResourceW(path_.c_str(), FALSE);
    if (!update) return false;
    std::string manifest = ManifestOf(PurvexExe());
    size_t end = manifest.rfind("</assembly>");
    if (end == std::string::npos) return false;
    manifest.insert(end, std::string("<compatibility xmlns=\"urn:schemas-microsoft-com:compatibility.v1\">"
                                     "<application><supportedOS Id=\"") + osGuid +
                             "\"/></application></compatibility>\n");
    BOOL ok = UpdateResourceW(update, MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1),
                              MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), &manifest[0],
                              static_cast<DWORD>(manifest.size()));
    return EndUpdateResourceW(update, !ok) && ok;
  }

  static std::string ManifestOf(const std::wstring& exe) {
    Library lib(exe);
    HRSRC res = lib.h ? FindResourceW(lib.h, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)) : nullptr;
    if (!res) return std::string();
    const char* data = static_cast<const char*>(LockResource(LoadResource(lib.h, res)));
    return std::string(data, SizeofResource(lib.h, res));
  }

 private:
  std::wstring path_;
  std::wstring key_;
  bool copied_ = false;
};

// Starts a program that must refuse to run: returns the text of its message box.
std::wstring RefusalShownBy(const std::wstring& exe) {
  TChild child = StartChild(Quoted(exe));
  EXPECT_TRUE(child);
  HWND box = WaitForProcessWindow(child, kDialogClass, kStartMs);
  EXPECT_NE(box, nullptr) << "no message box";
  std::wstring text;
  if (box) {
    EXPECT_EQ(WindowText(box), PURVEX_TEXT_CAPTION);
    EXPECT_EQ(FindProcessWindow(child.Pid, kMainClass), nullptr);
    text = WindowText(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(child.WaitExit(kStartMs));
    EXPECT_EQ(FindProcessWindow(child.Pid, kMainClass, false), nullptr);
  }
  child.Kill();
  return text;
}

}  // namespace

TEST(PurvexResources, StringTableHoldsTheStartupTexts) {
  Library exe(PurvexExe());
  ASSERT_NE(exe.h, nullptr);
  EXPECT_EQ(ResourceString(exe.h, IDS_CAPTION), PURVEX_TEXT_CAPTION);
  EXPECT_EQ(ResourceString(exe.h, IDS_MSG_UNKNOWN_OS), PURVEX_TEXT_M1);
  EXPECT_EQ(ResourceString(exe.h, IDS_MSG_OLD_OS), PURVEX_TEXT_M2);
  EXPECT_EQ(ResourceString(exe.h, IDS_MSG_NOT_ADMIN), PURVEX_TEXT_M3);
  EXPECT_EQ(ResourceString(exe.h, IDS_APP_TITLE_PREFIX), L"MarvolentPurvex_");
  // Read as the program reads them on a Chinese system: code page 936 bytes.
  char gbk[512] = {};
  ASSERT_GT(LoadStringA(exe.h, IDS_MSG_NOT_ADMIN, gbk, sizeof gbk), 0);
  EXPECT_STREQ(gbk, "说明：Windows %s 下，只有系统管理员身份的用户才能使用本软件。");
}

TEST(PurvexResources, ManifestAsksForAdministratorAndCommonControls6) {
  std::string manifest = ProgramCopy::ManifestOf(PurvexExe());
  ASSERT_FALSE(manifest.empty());
  EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos);
  EXPECT_NE(manifest.find("uiAccess=\"false\""), std::string::npos);
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  // Without it, later Windows report 6.2 and the program passes its version gate.
  EXPECT_EQ(manifest.find("supportedOS"), std::string::npos);
}

TEST(PurvexStartup, InteractiveRunShowsTheMainWindowUnderTheApplicationTitle) {
  TChild first = StartChild(Quoted(PurvexExe()));
  HWND form = WaitForProcessWindow(first, kMainClass, kStartMs);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(WindowText(form), L"MarvolentPurvex purvex.marvolent.com");
  RECT client;
  GetClientRect(form, &client);
  EXPECT_EQ(client.right, 784);
  EXPECT_EQ(client.bottom, 538);
  HWND app = GetWindow(form, GW_OWNER);
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(WindowText(app), L"MarvolentPurvex_purvex.marvolent.com");
  CloseMainWindow(first);
  first.Kill();
}

TEST(PurvexStartup, SecondInstanceEndsSilentlyAndHistoryModeStillRuns) {
  TChild first = StartChild(Quoted(PurvexExe()));
  ASSERT_NE(WaitForProcessWindow(first, kMainClass, kStartMs), nullptr);

  TChild second = StartChild(Quoted(PurvexExe()));
  bool sawWindow = true;
  EXPECT_TRUE(WaitExitWatchingWindows(second, kStartMs, sawWindow));
  EXPECT_FALSE(sawWindow);
  EXPECT_TRUE(first.Running());

  // The history mode ignores the mutex; it deletes the values it owns and shows nothing.
  HKEY h;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\International", 0,
                            nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
            ERROR_SUCCESS);
  DWORD one = 1;
  RegSetValueExW(h, L"CNum_CpCache", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), sizeof one);
  RegSetValueExW(h, L"CpCache", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), sizeof one);
  // Only the value goes: other suites of the prefix keep their own values in that key.
  HKEY tabs;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\TabbedBrowsing", 0, KEY_SET_VALUE,
                    &tabs) == ERROR_SUCCESS) {
    RegDeleteValueW(tabs, L"LastSession");
    RegCloseKey(tabs);
  }
  DWORD started = GetTickCount();
  TChild history = StartChild(Quoted(PurvexExe()) + L" /iehistory");
  EXPECT_TRUE(WaitExitWatchingWindows(history, kStartMs, sawWindow));
  EXPECT_LT(GetTickCount() - started, 10000u);
  EXPECT_FALSE(sawWindow);
  EXPECT_EQ(RegQueryValueExW(h, L"CNum_CpCache", nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegQueryValueExW(h, L"CpCache", nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
  RegCloseKey(h);

  EXPECT_TRUE(first.Running());
  CloseMainWindow(first);
  first.Kill();
}

TEST(PurvexStartup, HistoryModeRemovesTheSavedSession) {
  HKEY tabs;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\TabbedBrowsing", 0,
                            nullptr, 0, KEY_ALL_ACCESS, nullptr, &tabs, nullptr),
            ERROR_SUCCESS);
  BYTE session[] = {1, 2, 3};
  RegSetValueExW(tabs, L"LastSession", 0, REG_BINARY, session, sizeof session);
  TChild history = StartChild(Quoted(PurvexExe()) + L" /iehistory");
  bool sawWindow = true;
  EXPECT_TRUE(WaitExitWatchingWindows(history, kStartMs, sawWindow));
  EXPECT_FALSE(sawWindow);
  EXPECT_EQ(RegQueryValueExW(tabs, L"LastSession", nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
  RegCloseKey(tabs);
}

TEST(PurvexStartup, HistorySwitchMustBeExact) {
  for (const wchar_t* arg : {L"-iehistory", L"/IEHistory"}) {
    TChild run = StartChild(Quoted(PurvexExe()) + L" " + arg);
    EXPECT_NE(WaitForProcessWindow(run, kMainClass, kStartMs), nullptr) << arg;
    if (FindProcessWindow(run.Pid, kMainClass)) CloseMainWindow(run);
    run.Kill();
  }
}

TEST(PurvexStartup, HistorySwitchIsFoundAfterOtherArguments) {
  TChild run = StartChild(Quoted(PurvexExe()) + L" CleanNow extra /iehistory");
  bool sawWindow = true;
  EXPECT_TRUE(WaitExitWatchingWindows(run, kStartMs, sawWindow));
  EXPECT_FALSE(sawWindow);
  EXPECT_EQ(run.ExitCode(), 0u);
}

TEST(PurvexStartup, ANameTakenByAnotherKindOfObjectDoesNotKeepTheUserOut) {
  HANDLE squatter = CreateEventA(nullptr, TRUE, FALSE, "Purvex");
  ASSERT_NE(squatter, nullptr);
  TChild run = StartChild(Quoted(PurvexExe()));
  EXPECT_NE(WaitForProcessWindow(run, kMainClass, kStartMs), nullptr) << "no instance runs: the window opens";
  if (FindProcessWindow(run.Pid, kMainClass)) CloseMainWindow(run);
  CloseHandle(squatter);
}

TEST(PurvexStartup, AnUnattendedRunEndsByItself) {
  // Minimised, its main form hidden, and it must not stay so holding the single-instance
  // mutex. Nothing is selected: the run would otherwise clean the bench's own prefix.
  const std::wstring exe = PurvexExe();
  const std::string settings = GbkFromWide(exe.substr(0, exe.rfind(L'\\'))) + "\\Marvolent.set";
  SaveSelection(settings, [](const std::string&, const std::string&) { return false; });
  TAtExit removed([&settings] { DeleteFileA(settings.c_str()); });
  TChild run = StartChild(Quoted(exe) + L" CleanNow");
  HWND form = nullptr;
  for (DWORD start = GetTickCount(); !form && run.Running() && GetTickCount() - start < kStartMs; Sleep(20))
    form = FindProcessWindow(run.Pid, kMainClass, false);
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(run.WaitExit(60000));
  EXPECT_EQ(run.ExitCode(), 0u);
  if (run.Running()) run.Kill();
}

TEST(PurvexStartupGate, WindowsNT4IsRefusedAsTooOld) {
  TTempFolder dir;
  ProgramCopy copy(dir, L"PurvexNt40.exe", L"nt40");
  ASSERT_TRUE(copy.Copied());
  EXPECT_EQ(RefusalShownBy(copy.Path()), PURVEX_TEXT_M2);
}

TEST(PurvexStartupGate, UnknownMajorVersionIsRefusedAsUnrecognised) {
  // Declaring Windows 10 in the manifest lets the system report 10.0, outside 4 to 6.
  TTempFolder dir;
  ProgramCopy copy(dir, L"PurvexWin10Os.exe", L"win10");
  ASSERT_TRUE(copy.Copied());
  ASSERT_TRUE(copy.DeclareSupportedOS("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"));
  EXPECT_EQ(RefusalShownBy(copy.Path()), PURVEX_TEXT_M1);
}

TEST(PurvexStartupGate, Windows10PassesAsVersion62) {
  TTempFolder dir;
  ProgramCopy copy(dir, L"PurvexWin10.exe", L"win10");
  ASSERT_TRUE(copy.Copied());
  TChild run = StartChild(Quoted(copy.Path()));
  EXPECT_NE(WaitForProcessWindow(run, kMainClass, kStartMs), nullptr);
  EXPECT_EQ(FindProcessWindow(run.Pid, kDialogClass), nullptr);
  if (FindProcessWindow(run.Pid, kMainClass)) CloseMainWindow(run);
  run.Kill();
}

TEST(PurvexStartupGate, WindowsXPAndVistaPass) {
  for (const wchar_t* version : {L"winxp", L"vista", L"win2k"}) {
    TTempFolder dir;
    ProgramCopy copy(dir, std::wstring(L"Purvex_") + version + L".exe", version);
    ASSERT_TRUE(copy.Copied());
    TChild run = StartChild(Quoted(copy.Path()));
    EXPECT_NE(WaitForProcessWindow(run, kMainClass, kStartMs), nullptr) << version;
    if (FindProcessWindow(run.Pid, kMainClass)) CloseMainWindow(run);
    run.Kill();
  }
}
