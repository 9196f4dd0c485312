// Fills the demo Windows with the usage traces a real one collects, so that a first scan
// of the demo shows findings: histories of the Run box, the common dialogs, recent
// documents, jump lists, per-user extensions, program starts, the notification area,
// searches, mapped drives, the clipboard, the recycle bin, Paint and WordPad; the browsers
// and toolbars (DemoBrowsers.cpp); applications and media players (DemoApplications.cpp);
// and invalid registry entries of every registry category (DemoRegistry.cpp).
// Run once in the demo prefix by tools/run.sh. "/registry" plants only the invalid
// registry entries, "/remove-registry" takes them away again; "/remove-browsers" and
// "/remove-applications" take away the browsers' and the applications' traces.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "DemoApplications.h"
#include "DemoBrowsers.h"
#include "DemoRegistry.h"
#include "core/UserAssistRules.h"

namespace {

const char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";

HKEY Key(const std::string& path) {
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  return key;
}

void SetString(const std::string& path, const std::string& name, const std::string& text) {
  if (HKEY key = Key(path)) {
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
  }
}

// Binary data that reads as the UTF-16 text, as Windows keeps search words and PIDL names.
void SetUtf16Binary(const std::string& path, const std::string& name, const wchar_t* text) {
  if (HKEY key = Key(path)) {
    RegSetValueExA(key, name.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
}

void SetBinary(const std::string& path, const std::string& name, size_t bytes) {
  if (HKEY key = Key(path)) {
    std::string data(bytes, '\x5a');
    RegSetValueExA(key, name.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size()));
    RegCloseKey(key);
  }
}

std::string Folder(int csidl) {
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, csidl, TRUE);
  return path;
}

void WriteFile(const std::string& path, const std::string& text) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(h);
}

void Shortcut(const std::string& link, const std::string& target) {
  IShellLinkA* shell = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&shell))))
    return;
  shell->SetPath(target.c_str());
  IPersistFile* file = nullptr;
  if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
    file->Save(wide, TRUE);
    file->Release();
  }
  shell->Release();
}

void SeedRegistry() {
  const std::string run = std::string(kExplorer) + "RunMRU";
  SetString(run, "a", "notepad\\1");
  SetString(run, "b", "cmd\\1");
  SetString(run, "c", "regedit\\1");
  SetString(run, "MRUList", "cba");
  const std::string comdlg = std::string(kExplorer) + "ComDlg32\\";
  SetString(comdlg + "LastVisitedMRU", "a", "notepad.exe");
  SetUtf16Binary(comdlg + "LastVisitedPidlMRU", "0", L"notepad.exe");
  SetUtf16Binary(comdlg + "LastVisitedPidlMRU", "1", L"wordpad.exe");
  SetString(comdlg + "OpenSaveMRU\\txt", "a", "C:\\users\\Public\\报告.txt");
  SetUtf16Binary(comdlg + "OpenSavePidlMRU\\txt", "0", L"报告.txt");
  SetUtf16Binary(comdlg + "OpenSavePidlMRU\\*", "0", L"计划.doc");
  SetBinary(std::string(kExplorer) + "StreamMRU", "0", 40);
  SetBinary(std::string(kExplorer) + "StreamMRU", "1", 40);
  SetString("Software\\Microsoft\\Search Assistant\\ACMru\\5647", "000", "OFFICE-PC");
  SetString("Software\\Microsoft\\Search Assistant\\ACMru\\5603", "000", "年终总结");
  SetUtf16Binary(std::string(kExplorer) + "WordWheelQuery", "0", L"年终总结");
  SetUtf16Binary(std::string(kExplorer) + "WordWheelQuery", "1", L"发票");
  SetString(std::string(kExplorer) + "Map Network Drive MRU", "a", "\\\\fileserver\\share");
  SetString(std::string(kExplorer) + "Map Network Drive MRU", "MRUList", "a");
  SetUtf16Binary(std::string(kExplorer) + "RecentDocs", "0", L"报告.txt");
  SetUtf16Binary(std::string(kExplorer) + "RecentDocs\\.txt", "0", L"报告.txt");
  SetString(std::string(kExplorer) + "TypedPaths", "url1", "C:\\users\\Public");
  SetString("Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List", "File1",
            "C:\\users\\Public\\画图.bmp");
  SetString("Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List", "File1",
            "C:\\users\\Public\\信.rtf");
  // Per-user extension keys: one unknown with an empty OpenWithList (a finding), one
  // unknown with a program in it, one Windows knows.
  const std::string exts = std::string(kExplorer) + "FileExts\\";
  RegCloseKey(Key(exts + ".purvexdemo\\OpenWithList"));
  SetString(exts + ".purvexkept\\OpenWithList", "a", "notepad.exe");
  RegCloseKey(Key(exts + ".ini\\OpenWithList"));
  // Program-start counters, ROT13 as Windows stores them: a missing program, an existing
  // one, a session counter.
  const std::string counts = std::string(kExplorer) + "UserAssist\\{75048700-EF1F-11D0-9888-006097DEACF9}\\Count";
  SetBinary(counts, core::Rot13("UEME_RUNPATH:C:\\Program Files\\旧软件\\old.exe"), 16);
  SetBinary(counts, core::Rot13("UEME_RUNPATH:C:\\windows\\system32\\notepad.exe"), 16);
  SetBinary(counts, core::Rot13("UEME_UISESSION"), 16);
  // Notification-area icon history, for Windows XP and for Vista and later.
  SetBinary(std::string(kExplorer) + "TrayNotify", "IconStreams", 64);
  SetBinary(std::string(kExplorer) + "TrayNotify", "PastIconsStream", 64);
  const std::string tray = "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\TrayNotify";
  SetBinary(tray, "IconStreams", 64);
  SetBinary(tray, "PastIconsStream", 64);
}

void SeedFiles() {
  const std::string profile = Folder(CSIDL_PROFILE);
  const std::string documents = "C:\\users\\Public\\Documents";
  CreateDirectoryA(documents.c_str(), nullptr);
  WriteFile(documents + "\\报告.txt", "年度报告\r\n");
  const std::string recent = Folder(CSIDL_RECENT);
  CreateDirectoryA(recent.c_str(), nullptr);
  Shortcut(recent + "\\报告.txt.lnk", documents + "\\报告.txt");
  Shortcut(recent + "\\已删除.doc.lnk", documents + "\\已删除.doc");
  const std::string appData = Folder(CSIDL_APPDATA);
  for (const char* list : {"\\Microsoft\\Windows\\Recent\\AutomaticDestinations",
                           "\\Microsoft\\Windows\\Recent\\CustomDestinations"}) {
    SHCreateDirectoryExA(nullptr, (appData + list).c_str(), nullptr);
    WriteFile(appData + list + "\\1b4dd67f29cb1962.automaticDestinations-ms", std::string(512, 'j'));
  }
  // Two files in the recycle bin.
  for (const char* name : {"\\旧照片.jpg", "\\草稿.txt"}) {
    std::string path = documents + name;
    WriteFile(path, std::string(4096, 'r'));
    std::string from = path + '\0';
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    SHFileOperationA(&op);
  }
  (void)profile;
}

void SeedClipboard() {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  const char text[] = "账号：demo 密码：123456";
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
  if (mem) {
    memcpy(GlobalLock(mem), text, sizeof text);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
  }
  CloseClipboard();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "/remove-registry" || mode == "/registry") {
    RemoveInvalidRegistry();
    if (mode == "/registry") SeedInvalidRegistry();
    std::printf("demo registry entries %s\n", mode == "/registry" ? "seeded" : "removed");
    return 0;
  }
  if (mode == "/remove-browsers") {
    RemoveBrowsers();
    std::printf("demo browsers removed\n");
    return 0;
  }
  if (mode == "/remove-applications") {
    RemoveApplications();
    std::printf("demo applications removed\n");
    return 0;
  }
  CoInitialize(nullptr);
  SeedRegistry();
  SeedInvalidRegistry();
  SeedFiles();
  SeedClipboard();
  SeedBrowsers();
  SeedApplications();
  CoUninitialize();
  std::printf("demo traces seeded\n");
  return 0;
}
