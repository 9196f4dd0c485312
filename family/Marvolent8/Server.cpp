// The in-process COM server: DllGetClassObject hands out the engine's class factory.
#include "JunkEngine.h"

#include <vector>

namespace {

HMODULE g_module = nullptr;
LONG g_objects = 0;
LONG g_locks = 0;

std::wstring SettingsPathBesideLibrary() {
  std::vector<wchar_t> path(MAX_PATH + 1);
  DWORD n;
  // A cut name would put the settings in another file.
  while ((n = GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()))) >= path.size() &&
         path.size() < 32768)
    path.resize(path.size() * 2);
  if (n == 0 || n >= path.size()) return std::wstring();
  std::wstring p(path.data(), n);
  size_t slash = p.find_last_of(L'\\');
  return slash == std::wstring::npos ? std::wstring() : p.substr(0, slash + 1) + L"Marvolent8.ini";
}

class TCountedEngine : public junk::TJunkEngine {
 public:
  TCountedEngine() : TJunkEngine(SettingsPathBesideLibrary()) { InterlockedIncrement(&g_objects); }
  ~TCountedEngine() override { InterlockedDecrement(&g_objects); }
};

class TClassFactory : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IClassFactory)) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // static object
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    TCountedEngine* engine = new (std::nothrow) TCountedEngine();
    if (!engine) return E_OUTOFMEMORY;
    HRESULT hr = engine->QueryInterface(riid, out);
    engine->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock)
      InterlockedIncrement(&g_locks);
    else
      InterlockedDecrement(&g_locks);
    return S_OK;
  }
};

TClassFactory g_factory;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualGUID(clsid, CLSID_RubbishClean)) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(riid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return (g_objects == 0 && g_locks == 0) ? S_OK : S_FALSE; }
