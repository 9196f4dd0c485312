// Times the junk engine's scan of a generated tree against a bare FindFirstFileA walk of
// the same tree, interleaved in one run, and prints the ratio of the best times.
// usage: junk_scan_bench [files, default 100000]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchTree.h"
#include "RubbishCleanApi.h"

using namespace bench;

namespace {

IRubbishClean* LoadEngine() {
  HMODULE module = LoadLibraryA("Marvolent8.dll");
  typedef HRESULT(STDAPICALLTYPE * GetClassObjectFn)(REFCLSID, REFIID, void**);
  auto get = module ? reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")))
                    : nullptr;
  IClassFactory* factory = nullptr;
  IRubbishClean* engine = nullptr;
  if (get && SUCCEEDED(get(CLSID_RubbishClean, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
    factory->CreateInstance(nullptr, IID_IRubbishClean, reinterpret_cast<void**>(&engine));
    factory->Release();
  }
  return engine;
}

}  // namespace

int main(int argc, char** argv) {
  int files = argc > 1 ? std::atoi(argv[1]) : 100000;
  std::string root = TreeRoot();
  MakeTree(root, files);
  IRubbishClean* engine = LoadEngine();
  if (!engine) {
    std::printf("Marvolent8.dll not loadable\n");
    return 1;
  }
  // Only the user's temporary folder, pointed at the tree.
  SetEnvironmentVariableA("TMP", root.c_str());
  SetEnvironmentVariableA("TEMP", root.c_str());
  TRubbishItem item = 0, tempItem = 0;
  engine->GetFirstCategory(&item);
  while (item) {
    BSTR name = nullptr;
    engine->GetItemName(item, &name);
    bool isTemp = name && std::wstring(name) == L"用户临时文件";
    SysFreeString(name);
    engine->SetItemChecked(item, isTemp ? -1 : 0);
    if (isTemp) tempItem = item;
    engine->GetNextItem(item, &item);
  }
  LARGE_INTEGER freq;
  QueryPerformanceFrequency(&freq);
  double bestBare = 1e9, bestEngine = 1e9;
  long long bareFiles = 0;
  INT32 found = 0;
  for (int round = 0; round < 3; ++round) {
    LARGE_INTEGER a, b, c;
    QueryPerformanceCounter(&a);
    bareFiles = BareWalk(root);
    QueryPerformanceCounter(&b);
    engine->RunScan();
    QueryPerformanceCounter(&c);
    INT64 size = 0;
    engine->GetCategoryTotals(tempItem, &found, &size);
    bestBare = std::min(bestBare, Seconds(a, b, freq));
    bestEngine = std::min(bestEngine, Seconds(b, c, freq));
  }
  std::printf("tree: %lld files in %d folders\n", bareFiles, (files + kFilesPerFolder - 1) / kFilesPerFolder);
  std::printf("bare FindFirstFileA walk: %.3f s (best of 3)\n", bestBare);
  std::printf("engine scan (%d findings): %.3f s (best of 3)\n", found, bestEngine);
  PrintGoal("junk engine scan", bestEngine / bestBare, "x bare walk", 1.1);
  engine->Release();
  return 0;
}
