#include "system/IEHistory.h"

#define SECURITY_WIN32
#include <windows.h>
#include <shlobj.h>
#include <wininet.h>
#include <winineti.h>
#include <memory>

#include "system/LibraryHandle.h"
#include "system/RegistryKey.h"

// The vtable up to the slot we call: IUnknown, the five of IUrlHistoryStg, then
// IUrlHistoryStg2's AddUrlAndNotify and ClearHistory. Declared outside the anonymous
// namespace: the object comes from elsewhere, and a type the compiler believes local
// with no implementation gets its calls devirtualised into nothing.
struct IUrlHistoryStg2Slots : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE AddUrl(LPCOLESTR, LPCOLESTR, DWORD) = 0;
  virtual HRESULT STDMETHODCALLTYPE DeleteUrl(LPCOLESTR, DWORD) = 0;
  virtual HRESULT STDMETHODCALLTYPE QueryUrl(LPCOLESTR, DWORD, void*) = 0;
  virtual HRESULT STDMETHODCALLTYPE BindToObject(LPCOLESTR, REFIID, void**) = 0;
  virtual HRESULT STDMETHODCALLTYPE EnumUrls(void**) = 0;
  virtual HRESULT STDMETHODCALLTYPE AddUrlAndNotify(LPCOLESTR, LPCOLESTR, DWORD, BOOL, IUnknown*, void*) = 0;
  virtual HRESULT STDMETHODCALLTYPE ClearHistory() = 0;
};

namespace {

// IsOS value that answers true on systems with integrity levels.
const DWORD kOsWithIntegrityLevels = 37;

class RealLaunchSys : public TIEHistoryLaunchSys {
 public:
  bool IsOS(unsigned long os) override {
    TLibrary shlwapi("shlwapi.dll");
    typedef BOOL(WINAPI * IsOSFn)(DWORD);
    IsOSFn fn = shlwapi.Proc<IsOSFn>("IsOS");
    return fn && fn(os);
  }

  LowResult StartLowIntegrity(const std::string& commandLine) override {
    typedef BOOL(WINAPI * SetTokenInformationFn)(HANDLE, TOKEN_INFORMATION_CLASS, LPVOID, DWORD);
    typedef BOOL(WINAPI * ConvertStringSidToSidAFn)(LPCSTR, PSID*);
    TLibrary advapi("advapi32.dll");
    SetTokenInformationFn setInfo = advapi.Proc<SetTokenInformationFn>("SetTokenInformation");
    ConvertStringSidToSidAFn toSid = advapi.Proc<ConvertStringSidToSidAFn>("ConvertStringSidToSidA");
    if (!setInfo || !toSid) return TokenNotReady;

    TKernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(),
                          TOKEN_ASSIGN_PRIMARY | TOKEN_DUPLICATE | TOKEN_QUERY | TOKEN_ADJUST_DEFAULT,
                          token.Receive()))
      return TokenNotReady;
    TKernelHandle lowToken;
    if (!DuplicateTokenEx(token.Get(), MAXIMUM_ALLOWED, nullptr, SecurityImpersonation, TokenPrimary,
                          lowToken.Receive()))
      return TokenNotReady;
    PSID lowSid = nullptr;
    if (!toSid("LW", &lowSid)) return TokenNotReady;
    std::unique_ptr<void, HLOCAL(WINAPI*)(HLOCAL)> sidOwner(lowSid, LocalFree);
    // TOKEN_MANDATORY_LABEL and TokenIntegrityLevel (25) are Vista's.
    struct { SID_AND_ATTRIBUTES Label; } label = {{lowSid, 0x20 /* SE_GROUP_INTEGRITY */}};
    const TOKEN_INFORMATION_CLASS kTokenIntegrityLevel = static_cast<TOKEN_INFORMATION_CLASS>(25);
    if (!setInfo(lowToken.Get(), kTokenIntegrityLevel, &label, sizeof label + GetLengthSid(lowSid)))
      return TokenNotReady;
    STARTUPINFOA si = StartupInfo();
    PROCESS_INFORMATION pi = {};
    std::string cmd = commandLine;
    BOOL ok = CreateProcessAsUserA(lowToken.Get(), nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &si, &pi);
    if (ok) CloseProcess(pi);
    return ok ? Started : StartFailed;
  }

  bool StartNormal(const std::string& commandLine) override {
    STARTUPINFOA si = StartupInfo();
    PROCESS_INFORMATION pi = {};
    std::string cmd = commandLine;
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &si, &pi))
      return false;
    CloseProcess(pi);
    return true;
  }

 private:
  static STARTUPINFOA StartupInfo() {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    return si;
  }
  static void CloseProcess(PROCESS_INFORMATION& pi) {
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
};

const GUID kCLSID_CUrlHistory = {0x3C374A40, 0xBAE4, 0x11CF, {0xBF, 0x7D, 0x00, 0xAA, 0x00, 0x69, 0x46, 0xEE}};
const GUID kIID_IUrlHistoryStg2 = {0xAFA0DC11, 0xC313, 0x11D0, {0x83, 0x1A, 0x00, 0xC0, 0x4F, 0xD5, 0xAE, 0x38}};
const GUID kIID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};


class RealHistoryClearer : public TUrlHistoryClearer {
 public:
  void ClearHistory() override {
    // Undone only when done here: a thread that already had COM keeps it.
    const bool initialized = SUCCEEDED(CoInitialize(nullptr));
    TLibrary ole32("ole32.dll");
    typedef HRESULT(WINAPI * CoCreateInstanceFn)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    if (CoCreateInstanceFn create = ole32.Proc<CoCreateInstanceFn>("CoCreateInstance")) {
      IUnknown* unknown = nullptr;
      if (SUCCEEDED(create(kCLSID_CUrlHistory, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                           kIID_IUnknown, reinterpret_cast<void**>(&unknown))) &&
          unknown) {
        IUrlHistoryStg2Slots* history = nullptr;
        if (SUCCEEDED(unknown->QueryInterface(kIID_IUrlHistoryStg2,
                                              reinterpret_cast<void**>(&history))) &&
            history) {
          history->ClearHistory();
          history->Release();
        }
        unknown->Release();
      }
    }
    if (initialized) CoUninitialize();
  }
};

void FreeCache() {
  TLibrary wininet("WinInet.dll");
  if (!wininet) return;
  typedef BOOL(WINAPI * GetConfigFn)(LPINTERNET_CACHE_CONFIG_INFOW, LPDWORD, DWORD);
  typedef BOOL(WINAPI * FreeSpaceFn)(LPCSTR, DWORD, DWORD);
  char cachePath[MAX_PATH * 2 + 1] = {};
  if (GetConfigFn getConfig = wininet.Proc<GetConfigFn>("GetUrlCacheConfigInfoW")) {
    INTERNET_CACHE_CONFIG_INFOW info = {};
    static_assert(sizeof info == 560, "cache configuration layout");
    info.dwStructSize = sizeof info;
    DWORD size = sizeof info;
    if (getConfig(&info, &size, CACHE_CONFIG_DISK_CACHE_PATHS_FC)) {
      info.CachePath[MAX_PATH - 1] = 0;
      WideCharToMultiByte(CP_ACP, 0, info.CachePath, -1, cachePath, sizeof cachePath - 1, nullptr,
                          nullptr);
    }
  }
  if (FreeSpaceFn freeSpace = wininet.Proc<FreeSpaceFn>("FreeUrlCacheSpaceA")) {
    if (cachePath[0]) freeSpace(cachePath, 100, 0);
    char history[MAX_PATH + 1] = {};
    SHGetSpecialFolderPathA(nullptr, history, CSIDL_HISTORY, FALSE);
    freeSpace(history, 100, 0);
  }
}

struct SavedValue {
  const char* key;
  const char* value;
};

const SavedValue kSavedTabValues[] = {
    {"Software\\Microsoft\\Internet Explorer\\TabbedBrowsing", "LastSession"},
    {"Software\\Microsoft\\Internet Explorer\\LowRegistry\\Software\\Microsoft\\Internet Explorer\\TabbedBrowsing",
     "LastSession"},
    {"Software\\Microsoft\\Internet Explorer\\International", "CNum_CpCache"},
    {"Software\\Microsoft\\Internet Explorer\\International", "CpCache"},
};

void DeleteSavedTabValues() {
  for (const SavedValue& v : kSavedTabValues) {
    TRegistryKey key(HKEY_CURRENT_USER, v.key, false, KEY_SET_VALUE);
    if (key) RegDeleteValueA(key.Handle(), v.value);
  }
}

}  // namespace

TIEHistoryLaunchSys& RealIEHistoryLaunchSys() {
  static RealLaunchSys sys;
  return sys;
}

TUrlHistoryClearer& RealUrlHistoryClearer() {
  static RealHistoryClearer clearer;
  return clearer;
}

void LaunchIEHistoryClean(const std::string& commandLine, TIEHistoryLaunchSys& sys) {
  if (sys.IsOS(kOsWithIntegrityLevels) &&
      sys.StartLowIntegrity(commandLine) == TIEHistoryLaunchSys::TokenNotReady)
    return;
  sys.StartNormal(commandLine);
}

void RunIEHistoryMode(TUrlHistoryClearer& history) {
  history.ClearHistory();
  FreeCache();
  DeleteSavedTabValues();
}
