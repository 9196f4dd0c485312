// The fewest registry calls the rules of each registry category need on the bench's
// registry: what any implementation must ask Windows, whatever it caches.
//
// How it is counted: reading the names of a key (sub-keys, or values with their data,
// which RegEnumValue returns together) costs n + 3 calls, open, n + 1 enumerations and
// close. A key examined by its default value costs open, read, close: 3. A key examined by
// its counts costs open, RegQueryInfoKey, close: 3. A key that is only tried costs 1 when
// it is absent. Per entry:
//   1, 3, 5, 11-13, 15  the value listings of the keys they name (each value's data comes
//                       with its name);
//   2   per view the "Software" listing and 3 per vendor key (its counts), the "Uninstall"
//       and "ARPCache" listings; the user's "Software" once, 3 per key;
//   4   per view the product listing, 4 per product (open, two names, close), the
//       "Uninstall" listing and 5 per entry (open, name, command, icon, close);
//   6   per view the listing of every key of the menu-order trees;
//   7   both class-id lists (loaded here first), the four handler listings, 3 per handler;
//   8   the class-key list, then per class: 3 when it holds nothing the rule looks at (try
//       "shell", "DefaultIcon", "CLSID"), 4 with an icon (shell tried; open, read, close),
//       5 with a class id (two tries; open, read, close), 7 with one verb (open "shell",
//       two enumerations; open "Command" below it, read, close; close "shell"); per
//       extension 4 (open, counts, default value, close), which answer category 9 as well;
//   9   nothing more in a scan where category 8 ran first, as here (alone: 4 per extension,
//       the reads above);
//   10  per view the "Interface" listing and per braced class id 3 (open the server key
//       below the open "CLSID" key, read, close) and per interface 1 (try "TypeLib"); the
//       "TypeLib" listings of both views once;
//   14  the listing and 3 per application key.
// Keys of Wine's own that the bench did not make are counted at the cheapest case.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace bench {

inline REGSAM BenchView(bool native) { return native ? KEY_WOW64_64KEY : KEY_WOW64_32KEY; }

// Names of the key: sub-keys, or values when values is set; 0 when it does not open.
inline long long CountNames(HKEY root, const std::string& path, bool native, bool values = false) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | BenchView(native), &key) != ERROR_SUCCESS) return 0;
  DWORD subKeys = 0, valueCount = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &valueCount, nullptr, nullptr, nullptr,
                   nullptr);
  RegCloseKey(key);
  return values ? valueCount : subKeys;
}

inline long long Listing(HKEY root, const std::string& path, bool native, bool values = false) {
  return CountNames(root, path, native, values) + 3;
}

// The listings of every key of the tree below path.
inline long long TreeListings(HKEY root, const std::string& path, bool native, int depth = 0) {
  HKEY key;
  if (depth > 32 || RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | BenchView(native), &key) != ERROR_SUCCESS)
    return 0;
  std::vector<std::string> names;
  char name[512];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  RegCloseKey(key);
  long long calls = static_cast<long long>(names.size()) + 3;
  for (const std::string& n : names) calls += TreeListings(root, path + "\\" + n, native, depth + 1);
  return calls;
}

struct TBenchData {
  int Classes, Uninstall;  // what the bench made: classes (native view), uninstall entries (default view)
  long long Extensions;    // extension keys of the native view, the bench's and Wine's
};

// The minimum calls of category (1-based), on 64-bit Windows (both views where the
// category runs in both).
inline long long RulesMinimum(int category, const TBenchData& made) {
  const std::string cv = "Software\\Microsoft\\Windows\\CurrentVersion\\";
  const std::string uninstall = cv + "Uninstall", products = "SOFTWARE\\Classes\\Installer\\Products";
  long long calls = 0;
  auto perView = [&](auto f) { calls += f(false) + f(true); };
  switch (category) {
    case 1: perView([&](bool v) { return Listing(HKEY_LOCAL_MACHINE, cv + "SharedDlls", v, true); }); break;
    case 2:
      perView([&](bool v) {
        return Listing(HKEY_LOCAL_MACHINE, "Software", v) + 3 * CountNames(HKEY_LOCAL_MACHINE, "Software", v) +
               Listing(HKEY_LOCAL_MACHINE, uninstall, v) + Listing(HKEY_LOCAL_MACHINE, cv + "App Management\\ARPCache", v);
      });
      calls += Listing(HKEY_CURRENT_USER, "Software", true) + 3 * CountNames(HKEY_CURRENT_USER, "Software", true);
      break;
    case 3: perView([&](bool v) { return Listing(HKEY_LOCAL_MACHINE, cv + "Installer\\Folders", v, true); }); break;
    case 4:
      perView([&](bool v) {
        return Listing(HKEY_LOCAL_MACHINE, products, v) + 4 * CountNames(HKEY_LOCAL_MACHINE, products, v) +
               Listing(HKEY_LOCAL_MACHINE, uninstall, v) + 5 * CountNames(HKEY_LOCAL_MACHINE, uninstall, v);
      });
      break;
    case 5:
      perView([&](bool v) {
        return Listing(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\Help", v, true) +
               Listing(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\HTML Help", v, true);
      });
      break;
    case 6:
      perView([&](bool v) { return TreeListings(HKEY_CURRENT_USER, cv + "Explorer\\MenuOrder", v); });
      break;
    case 7:
      calls += Listing(HKEY_CLASSES_ROOT, "CLSID", false) + Listing(HKEY_CLASSES_ROOT, "CLSID", true);
      for (const char* owner : {"*", "Directory", "Folder", "Drive"}) {
        const std::string handlers = std::string(owner) + "\\shellex\\ContextMenuHandlers";
        calls += Listing(HKEY_CLASSES_ROOT, handlers, true) + 3 * CountNames(HKEY_CLASSES_ROOT, handlers, true);
      }
      break;
    case 8: {
      const long long all = CountNames(HKEY_CLASSES_ROOT, "", true), wineExtensions = made.Extensions - made.Classes / 5;
      calls += all + 3 + 3 * (all - made.Classes - wineExtensions) + 4 * wineExtensions;
      // The bench's classes: every fifth an extension, the others a verb, an icon or a class id in turn.
      for (int i = 0; i < made.Classes; ++i) calls += i % 5 == 0 ? 4 : i % 3 == 0 ? 7 : i % 3 == 1 ? 4 : 5;
      break;
    }
    case 9: break;
    case 10:
      calls += Listing(HKEY_CLASSES_ROOT, "TypeLib", false) + Listing(HKEY_CLASSES_ROOT, "TypeLib", true);
      perView([&](bool v) {
        return Listing(HKEY_CLASSES_ROOT, "Interface", v) + CountNames(HKEY_CLASSES_ROOT, "Interface", v) +
               3 * CountNames(HKEY_CLASSES_ROOT, "CLSID", v);
      });
      break;
    case 11:
      for (const char* list : {"DomainProfile\\AuthorizedApplications\\List", "StandardProfile\\AuthorizedApplications\\List",
                               "FirewallRules"})
        calls += Listing(HKEY_LOCAL_MACHINE,
                         std::string("SYSTEM\\CurrentControlSet\\Services\\SharedAccess\\Parameters\\FirewallPolicy\\") + list,
                         true, true);
      break;
    case 12:
      calls += Listing(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache", true, true) +
               Listing(HKEY_CURRENT_USER, "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache",
                       true, true);
      break;
    case 13:
      for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        for (const char* key : {"Run", "RunOnce", "RunOnceEx", "RunServicesOnce", "Policies\\Explorer\\Run"})
          calls += Listing(root, cv + key, true, true);
      break;
    case 14:
      calls += Listing(HKEY_LOCAL_MACHINE, cv + "App Paths", true) + 3 * CountNames(HKEY_LOCAL_MACHINE, cv + "App Paths", true);
      break;
    case 15:
      calls += Listing(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", true, true);
      break;
  }
  return calls;
}

}  // namespace bench
