#include "system/IEHistory.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <wininet.h>

#include <vector>

#include "helpers/AtExit.h"
#include "helpers/ProcessHelpers.h"
#include "helpers/TempFolder.h"
#include "system/WideText.h"

namespace {

class RecordingLaunchSys : public TIEHistoryLaunchSys {
 public:
  RecordingLaunchSys(bool integrityLevels, LowResult low) : integrityLevels_(integrityLevels), low_(low) {}
  bool IsOS(unsigned long os) override {
    calls.push_back("IsOS " + std::to_string(os));
    return integrityLevels_;
  }
  LowResult StartLowIntegrity(const std::string& cmd) override {
    calls.push_back("low " + cmd);
    return low_;
  }
  bool StartNormal(const std::string& cmd) override {
    calls.push_back("normal " + cmd);
    return true;
  }
  std::vector<std::string> calls;

 private:
  bool integrityLevels_;
  LowResult low_;
};

typedef std::vector<std::string> Calls;
const char kCmd[] = "C:\\Purvex\\Purvex.exe /iehistory";

}  // namespace

TEST(LaunchIEHistoryClean, OneNormalChildWithoutIntegrityLevels) {
  RecordingLaunchSys sys(false, TIEHistoryLaunchSys::Started);
  LaunchIEHistoryClean(kCmd, sys);
  EXPECT_EQ(sys.calls, (Calls{"IsOS 37", std::string("normal ") + kCmd}));
}

TEST(LaunchIEHistoryClean, LowIntegrityChildFirstThenTheNormalOne) {
  RecordingLaunchSys sys(true, TIEHistoryLaunchSys::Started);
  LaunchIEHistoryClean(kCmd, sys);
  EXPECT_EQ(sys.calls, (Calls{"IsOS 37", std::string("low ") + kCmd, std::string("normal ") + kCmd}));
}

TEST(LaunchIEHistoryClean, NoChildAtAllWhenTheLowTokenCannotBePrepared) {
  RecordingLaunchSys sys(true, TIEHistoryLaunchSys::TokenNotReady);
  LaunchIEHistoryClean(kCmd, sys);
  EXPECT_EQ(sys.calls, (Calls{"IsOS 37", std::string("low ") + kCmd}));
}

TEST(LaunchIEHistoryClean, NormalChildStillStartsWhenOnlyTheLowStartFails) {
  RecordingLaunchSys sys(true, TIEHistoryLaunchSys::StartFailed);
  LaunchIEHistoryClean(kCmd, sys);
  EXPECT_EQ(sys.calls.back(), std::string("normal ") + kCmd);
}

namespace {
int CountStarts(const std::wstring& dir) {
  int n = 0;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((dir + L"\\start-*.txt").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do ++n;
  while (FindNextFileW(h, &fd));
  FindClose(h);
  return n;
}
}  // namespace

// The real system calls: as many children start as the system's IsOS answer asks for.
TEST(LaunchIEHistoryClean, RealLaunchStartsTheChildren) {
  TTempFolder dir;
  TIEHistoryLaunchSys& real = RealIEHistoryLaunchSys();
  int expected = real.IsOS(37) ? 2 : 1;
  std::string cmd = "\"" + GbkFromWide(ModuleDir()) + "\\start_recorder.exe\" " + GbkFromWide(dir.Path());
  LaunchIEHistoryClean(cmd);
  DWORD start = GetTickCount();
  while (CountStarts(dir.Path()) < expected && GetTickCount() - start < 20000) Sleep(50);
  Sleep(500);  // a third start would show up by now
  EXPECT_EQ(CountStarts(dir.Path()), expected);
}

namespace {

const char kTabbed[] = "Software\\Microsoft\\Internet Explorer\\TabbedBrowsing";
const char kLowTabbed[] =
    "Software\\Microsoft\\Internet Explorer\\LowRegistry\\Software\\Microsoft\\Internet Explorer\\TabbedBrowsing";
const char kInternational[] = "Software\\Microsoft\\Internet Explorer\\International";

void SetValue(const char* key, const char* name) {
  HKEY h;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr),
            ERROR_SUCCESS);
  DWORD one = 1;
  RegSetValueExA(h, name, 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), sizeof one);
  RegCloseKey(h);
}

bool ValueExists(const char* key, const char* name) {
  HKEY h;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  bool found = RegQueryValueExA(h, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  RegCloseKey(h);
  return found;
}

void DeleteValue(const char* key, const char* name) {
  HKEY h;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_WRITE, &h) != ERROR_SUCCESS) return;
  RegDeleteValueA(h, name);
  RegCloseKey(h);
}

struct CountingClearer : TUrlHistoryClearer {
  int calls = 0;
  void ClearHistory() override { ++calls; }
};

const char kCachedUrl[] = "http://purvex.test/cached-page.html";

bool AddCacheEntry() {
  char file[MAX_PATH] = {};
  if (!CreateUrlCacheEntryA(kCachedUrl, 0, "html", file, 0)) return false;
  HANDLE h = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written;
  WriteFile(h, "<html></html>", 13, &written, nullptr);
  CloseHandle(h);
  FILETIME none = {};
  return CommitUrlCacheEntryA(kCachedUrl, file, none, none, NORMAL_CACHE_ENTRY, nullptr, 0, nullptr,
                              nullptr) != FALSE;
}

bool CacheEntryExists() {
  DWORD size = 0;
  if (GetUrlCacheEntryInfoA(kCachedUrl, nullptr, &size)) return true;
  return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

}  // namespace

TEST(RunIEHistoryMode, RemovesTheSavedTabAndCodePageValuesOnly) {
  TAtExit removed([] {
    DeleteValue(kTabbed, "PurvexKeep");
    DeleteValue(kInternational, "PurvexKeep");
  });
  SetValue(kTabbed, "LastSession");
  SetValue(kTabbed, "PurvexKeep");
  SetValue(kLowTabbed, "LastSession");
  SetValue(kInternational, "CNum_CpCache");
  SetValue(kInternational, "CpCache");
  SetValue(kInternational, "PurvexKeep");
  CountingClearer history;
  RunIEHistoryMode(history);
  EXPECT_EQ(history.calls, 1);
  EXPECT_FALSE(ValueExists(kTabbed, "LastSession"));
  EXPECT_FALSE(ValueExists(kLowTabbed, "LastSession"));
  EXPECT_FALSE(ValueExists(kInternational, "CNum_CpCache"));
  EXPECT_FALSE(ValueExists(kInternational, "CpCache"));
  EXPECT_TRUE(ValueExists(kTabbed, "PurvexKeep"));
  EXPECT_TRUE(ValueExists(kInternational, "PurvexKeep"));
}

TEST(RunIEHistoryMode, MissingTabbedBrowsingValueDoesNotStopTheOthers) {
  DeleteValue(kTabbed, "LastSession");
  DeleteValue(kLowTabbed, "LastSession");
  SetValue(kInternational, "CNum_CpCache");
  SetValue(kInternational, "CpCache");
  CountingClearer history;
  RunIEHistoryMode(history);
  EXPECT_FALSE(ValueExists(kInternational, "CNum_CpCache"));
  EXPECT_FALSE(ValueExists(kInternational, "CpCache"));
}

TEST(RunIEHistoryMode, FreesTheUrlCache) {
  ASSERT_TRUE(AddCacheEntry());
  ASSERT_TRUE(CacheEntryExists());
  CountingClearer history;
  RunIEHistoryMode(history);
  EXPECT_FALSE(CacheEntryExists());
}

// Wine answers ClearHistory with E_NOTIMPL; the real object must still be reached safely.
namespace {
// On a fresh thread with COM set up in the other mode: the answer of a second set-up after
// the clearer ran (S_FALSE while the thread's own COM is still there).
DWORD WINAPI ClearOnAMultithreadedThread(LPVOID result) {
  if (CoInitializeEx(nullptr, COINIT_MULTITHREADED) != S_OK) return 1;
  RealUrlHistoryClearer().ClearHistory();
  *static_cast<HRESULT*>(result) = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  CoUninitialize();
  CoUninitialize();
  return 0;
}
}  // namespace

TEST(RunIEHistoryMode, RealHistoryClearerRunsAndLeavesTheThreadsCom) {
  RealUrlHistoryClearer().ClearHistory();
  RealUrlHistoryClearer().ClearHistory();
  HRESULT again = E_FAIL;
  HANDLE thread = CreateThread(nullptr, 0, ClearOnAMultithreadedThread, &again, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  ASSERT_EQ(WaitForSingleObject(thread, 30000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeThread(thread, &code);
  CloseHandle(thread);
  ASSERT_EQ(code, 0u) << "COM could not be set up on the test thread";
  EXPECT_EQ(again, S_FALSE) << "the caller's COM is still there";
}
