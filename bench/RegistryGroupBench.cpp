// Times a scan of the whole registry group against a bare RegEnumKeyExA walk of the lists
// it reads (the classes root, the class ids and interfaces of both views, the uninstall
// entries and "Software" of both views), interleaved in one run. The prefix is the bench's
// own: the first run fills it with 50,000 class keys, 20,000 class ids per view and 5,000
// uninstall entries, later runs find them there. Per category it prints the registry
// calls per listed key beside the fewest the rules need (RegistryRulesMinimum.h): under
// Wine each call is a wineserver round trip, so calls per listed key are what the ratio
// against the bare walk (one call per listed key) is made of.
// usage: registry_group_bench [rounds, default 3]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchTree.h"
#include "RegistryRulesMinimum.h"
#include "items/ItemHandlers.h"
#include "items/TreeModel.h"
#include "registry/RegistryCaches.h"
#include "registry/RegistryCategories.h"
#include "registry/RegistryChecks.h"
#include "system/RegistryCallCounts.h"
#include "system/AppContext.h"
#include "system/FolderValues.h"
#include "system/OrvGetOSInfo.h"

using namespace bench;

namespace {

const int kClasses = 50000, kClsids = 20000, kUninstall = 5000;
const char kMarker[] = "Software\\PurvexRegistryBench2";
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";


void SetText(HKEY root, const std::string& path, bool native, const char* name, const std::string& text) {
  HKEY key;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | BenchView(native), nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  if (name) RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), DWORD(text.size() + 1));
  RegCloseKey(key);
}

// Classes as a real registry holds them: a third with a verb, a third with an icon, a
// third with a class id; one in five an extension pointing at a class.
void Generate(const std::string& windows) {
  HKEY marker;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMarker, 0, KEY_READ | BenchView(false), &marker) == ERROR_SUCCESS) {
    RegCloseKey(marker);
    return;
  }
  std::printf("generating the bench registry (once per prefix)...\n");
  const std::string program = windows + "\\notepad.exe";
  char name[64];
  for (int i = 0; i < kClasses; ++i) {
    if (i % 5 == 0) {
      std::snprintf(name, sizeof name, ".pvb%d", i);
      std::snprintf(name + 32, 32, "PurvexBench.Class%d", i + 1);
      SetText(HKEY_CLASSES_ROOT, name, true, "", name + 32);
      continue;
    }
    std::snprintf(name, sizeof name, "PurvexBench.Class%d", i);
    const std::string cls = name;
    if (i % 3 == 0)
      SetText(HKEY_CLASSES_ROOT, cls + "\\shell\\open\\command", true, "", "\"" + program + "\" \"%1\"");
    else if (i % 3 == 1)
      SetText(HKEY_CLASSES_ROOT, cls + "\\DefaultIcon", true, "", program + ",0");
    else
      SetText(HKEY_CLASSES_ROOT, cls + "\\CLSID", true, "", "{5EB00000-0000-4000-8000-000000000000}");
  }
  for (bool native : {false, true})
    for (int i = 0; i < kClsids; ++i) {
      std::snprintf(name, sizeof name, "CLSID\\{5EB0%04X-%04X-4000-8000-000000000000}\\InprocServer32", i >> 16, i & 0xFFFF);
      SetText(HKEY_CLASSES_ROOT, name, native, "", program);
    }
  for (int i = 0; i < kUninstall; ++i) {
    std::snprintf(name, sizeof name, "\\PurvexBench%d", i);
    SetText(HKEY_LOCAL_MACHINE, kUninstallKey + std::string(name), false, "DisplayName", name + 1);
    SetText(HKEY_LOCAL_MACHINE, kUninstallKey + std::string(name), false, "UninstallString", "\"" + program + "\" /x");
  }
  SetText(HKEY_LOCAL_MACHINE, kMarker, false, nullptr, "");
}

long long Walk(HKEY root, const char* path, bool native) {
  HKEY key;
  if (RegOpenKeyExA(root, path, 0, KEY_READ | BenchView(native), &key) != ERROR_SUCCESS) return 0;
  long long n = 0;
  char name[512];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    ++n;
  }
  RegCloseKey(key);
  return n;
}

long long BareWalk() {
  long long n = Walk(HKEY_CLASSES_ROOT, "", true);
  for (bool native : {false, true}) {
    n += Walk(HKEY_CLASSES_ROOT, "CLSID", native) + Walk(HKEY_CLASSES_ROOT, "Interface", native);
    n += Walk(HKEY_LOCAL_MACHINE, kUninstallKey, native) + Walk(HKEY_LOCAL_MACHINE, "Software", native);
  }
  return n;
}

// Seconds and registry calls per category in the last round, for the breakdown.
double gCategorySeconds[32];
TRegistryCallCounts gCategoryCalls[32];

// Every category as the scan driver calls it; returns the findings.
int ScanRegistryGroup(bool keepTimes) {
  ClearRegistryScanLists();
  TTreeModel tree;
  int findings = 0;
  LARGE_INTEGER freq;
  QueryPerformanceFrequency(&freq);
  int index = 0;
  for (const TRegistryCategory& c : RegistryCategories()) {
    LARGE_INTEGER a, b;
    const TRegistryCallCounts before = RegistryCallCounts();
    QueryPerformanceCounter(&a);
    TItemScan scan;
    scan.Tree = &tree;
    scan.Item = tree.AddChild(nullptr, Column4TreeData{c.Caption, "", "", c.Caption, "", 1});
    scan.Totals = nullptr;
    scan.KeepResponsive = [] { return false; };
    RegistryCategoryHandler(c.Views, c.Check).Scan(scan);
    findings += scan.Count;
    QueryPerformanceCounter(&b);
    if (keepTimes) {
      gCategorySeconds[index] = Seconds(a, b, freq);
      gCategoryCalls[index] = RegistryCallCounts() - before;
    }
    ++index;
  }
  return findings;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
  TAppContext& ctx = AppContext();
  ctx.OSInfo = TOrvOSInfo::Create();
  FillFolderValues(ctx);
  Generate(ctx.WindowsDir);
  LARGE_INTEGER freq;
  QueryPerformanceFrequency(&freq);
  double bestScan = 1e9, bestWalk = 1e9;
  long long keys = 0;
  int findings = 0;
  for (int round = 0; round < rounds; ++round) {
    LARGE_INTEGER a, b, c;
    QueryPerformanceCounter(&a);
    keys = BareWalk();
    QueryPerformanceCounter(&b);
    // The breakdown is that of the last round.
    findings = ScanRegistryGroup(true);
    QueryPerformanceCounter(&c);
    bestWalk = std::min(bestWalk, Seconds(a, b, freq));
    bestScan = std::min(bestScan, Seconds(b, c, freq));
  }
  std::printf("registry group: %lld listed keys, %d findings\n", keys, findings);
  // Calls per listed key, so that the categories add up to the group's figure. Under Wine
  // some calls cost more than one round trip: an open from HKEY_CLASSES_ROOT that names a
  // view opens the classes root afresh first, and an open by path in the 32-bit view from
  // a 32-bit process walks the path one element at a time, looking for "Wow6432Node" at
  // each. Opens below a key name the 64-bit view and are one round trip in both builds.
  const TBenchData made{kClasses, kUninstall,
                        static_cast<long long>(RegistryCaches().ExtensionKeys(true).Size())};
  const double perKey = keys > 0 ? 1.0 / double(keys) : 0;
  double total = 0, minimum = 0;
  for (size_t i = 0; i < RegistryCategories().size(); ++i) {
    const unsigned long* n = gCategoryCalls[i].Of;
    const double calls = gCategoryCalls[i].Calls() * perKey, least = RulesMinimum(int(i + 1), made) * perKey;
    total += calls;
    minimum += least;
    std::printf("  category %2d: %6.3f s, %6.3f calls per listed key (rules' minimum %5.3f): opens %.2f from a root "
                "+ %.2f below a key (+%.2f path elements), reads %.2f, listings %.2f, counts %.2f, closes %.2f\n",
                int(i + 1), gCategorySeconds[i], calls, least, n[kRegOpenByPath] * perKey, n[kRegOpenBelow] * perKey,
                n[kRegPathStep] * perKey, n[kRegValueRead] * perKey, n[kRegListing] * perKey,
                n[kRegKeyInfo] * perKey, n[kRegClose] * perKey);
  }
  std::printf("registry group: %.2f calls per listed key (rules' minimum %.2f)\n", total, minimum);
  std::printf("bare RegEnumKeyExA walk: %.3f s\n", bestWalk);
  std::printf("registry group scan: %.3f s\n", bestScan);
  // The class ids by view: the 64-bit build names the 32-bit view on every open, which
  // Wine resolves one path element at a time.
  for (bool native : {false, true}) {
    ClearRegistryScanLists();
    TTreeModel tree;
    TItemScan scan;
    scan.Tree = &tree;
    scan.Item = tree.AddChild(nullptr, Column4TreeData{"item", "", "", "item", "", 1});
    scan.Totals = nullptr;
    RegistryCaches().EnsureClsidLists();
    TRegistryRun run(scan, native);
    LARGE_INTEGER a, b;
    QueryPerformanceCounter(&a);
    CheckClassInfo(run);
    QueryPerformanceCounter(&b);
    std::printf("  category 10 in the %s view: %.3f s\n", native ? "64-bit" : "default", Seconds(a, b, freq));
  }
  const double ratio = bestScan / bestWalk;
  std::printf("registry group scan: %.2f x bare walk (goal 3: %s)\n", ratio, ratio <= 3 ? "met" : "missed");
  return 0;
}
