#include "DemoRegistry.h"

#include <windows.h>

#include <string>
#include <vector>

#include "helpers/RegistryTree.h"

namespace {

#define DEMO_DIR "C:\\Program Files\\PurvexDemo"
#define CLASS_ID_A "{5F1C2E60-0000-4000-8000-50555256454D}"
#define CLASS_ID_B "{5F1C2E60-0000-4000-8000-50555256454E}"

// One entry to plant. The categories that look at one view find theirs in the 64-bit
// view (native); the others in the default one. Owned names the key the entry brought
// with it (removed whole); without it only the value is removed.
struct TPlant {
  HKEY Root;
  bool Native;
  const char* Owned;
  const char* Path;
  const char* Name;  // null: the key alone
  const char* Text;  // REG_SZ data; null: REG_DWORD 1
};

const TPlant kPlants[] = {
    {HKEY_LOCAL_MACHINE, false, nullptr, "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls",
     DEMO_DIR "\\shared.dll", nullptr},
    {HKEY_LOCAL_MACHINE, false, "Software\\PurvexDemoVendor", "Software\\PurvexDemoVendor", nullptr, nullptr},
    {HKEY_LOCAL_MACHINE, false, nullptr, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders",
     DEMO_DIR "\\", ""},
    {HKEY_LOCAL_MACHINE, false, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\PurvexDemo",
     "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\PurvexDemo", "DisplayName", "PurvexDemo 旧软件"},
    {HKEY_LOCAL_MACHINE, false, nullptr, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\PurvexDemo",
     "UninstallString", DEMO_DIR "\\uninst.exe"},
    {HKEY_LOCAL_MACHINE, false, nullptr, "Software\\Microsoft\\Windows\\Help", "purvexdemo.hlp", DEMO_DIR},
    {HKEY_CURRENT_USER, false,
     "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu2\\Programs\\PurvexDemo 旧程序",
     "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu2\\Programs\\PurvexDemo 旧程序",
     nullptr, nullptr},
    {HKEY_CLASSES_ROOT, true, "*\\shellex\\ContextMenuHandlers\\PurvexDemo",
     "*\\shellex\\ContextMenuHandlers\\PurvexDemo", "", CLASS_ID_A},
    {HKEY_CLASSES_ROOT, true, "PurvexDemo.Document", "PurvexDemo.Document\\DefaultIcon", "", DEMO_DIR "\\demo.exe,0"},
    {HKEY_CLASSES_ROOT, true, ".purvexdemoreg", ".purvexdemoreg", "", "PurvexDemo.NoSuchClass"},
    {HKEY_CLASSES_ROOT, false, "CLSID\\" CLASS_ID_B, "CLSID\\" CLASS_ID_B "\\InprocServer32", "",
     DEMO_DIR "\\demo.dll"},
    {HKEY_LOCAL_MACHINE, true, nullptr,
     "SYSTEM\\CurrentControlSet\\Services\\SharedAccess\\Parameters\\FirewallPolicy\\StandardProfile\\"
     "AuthorizedApplications\\List",
     DEMO_DIR "\\demo.exe", DEMO_DIR "\\demo.exe:*:Enabled:PurvexDemo"},
    {HKEY_CURRENT_USER, true, nullptr, "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache",
     DEMO_DIR "\\demo.exe", "PurvexDemo"},
    {HKEY_CURRENT_USER, true, nullptr, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "PurvexDemo",
     "\"" DEMO_DIR "\\demo.exe\" /tray"},
    {HKEY_LOCAL_MACHINE, true, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\PurvexDemo.exe",
     "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\PurvexDemo.exe", "", DEMO_DIR "\\demo.exe"},
    {HKEY_LOCAL_MACHINE, true, nullptr, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
     "PurvexDemo 字体 (TrueType)", "purvexdemo.ttf"},
};

REGSAM View(bool native) { return native ? KEY_WOW64_64KEY : KEY_WOW64_32KEY; }

}  // namespace

void SeedInvalidRegistry() {
  for (const TPlant& p : kPlants) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(p.Root, p.Path, 0, nullptr, 0, KEY_ALL_ACCESS | View(p.Native), nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
      continue;
    if (p.Name && p.Text) {
      RegSetValueExA(key, p.Name, 0, REG_SZ, reinterpret_cast<const BYTE*>(p.Text), DWORD(strlen(p.Text) + 1));
    } else if (p.Name) {
      const DWORD one = 1;
      RegSetValueExA(key, p.Name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
    }
    RegCloseKey(key);
  }
}

void RemoveInvalidRegistry() {
  for (const TPlant& p : kPlants) {
    if (p.Owned) {
      RemoveRegistryTree(p.Root, p.Owned, p.Native);
      continue;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExA(p.Root, p.Path, 0, KEY_SET_VALUE | View(p.Native), &key) != ERROR_SUCCESS) continue;
    RegDeleteValueA(key, p.Name);
    RegCloseKey(key);
  }
}
