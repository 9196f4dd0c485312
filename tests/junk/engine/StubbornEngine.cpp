// A junk engine whose scan ignores every stop and runs on for twelve seconds, as an engine
// stuck on a slow disk would: the wrapper must give up waiting for it without its worker
// ever touching the freed wrapper. Everything else answers E_NOTIMPL.
#include <windows.h>

#include "RubbishCleanApi.h"

namespace {

const DWORD kScanMs = 12000;
volatile LONG g_scan = 0;  // 0 idle, 1 scanning, 2 finished

#define PVX_NOT_IMPLEMENTED(name, ...) \
  HRESULT STDMETHODCALLTYPE name(__VA_ARGS__) override { return E_NOTIMPL; }

class TStubbornEngine final : public IRubbishClean {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IRubbishClean) ? this : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE RunScan() override {
    InterlockedExchange(&g_scan, 1);
    Sleep(kScanMs);
    InterlockedExchange(&g_scan, 2);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE StopScan() override { return S_OK; }  // and goes on regardless
  PVX_NOT_IMPLEMENTED(Initialize)
  PVX_NOT_IMPLEMENTED(Reserved4)
  PVX_NOT_IMPLEMENTED(Reserved5)
  PVX_NOT_IMPLEMENTED(Reserved7)
  PVX_NOT_IMPLEMENTED(Reserved8)
  PVX_NOT_IMPLEMENTED(GetItemName, TRubbishItem, BSTR*)
  PVX_NOT_IMPLEMENTED(GetItemChecked, TRubbishItem, INT32*)
  PVX_NOT_IMPLEMENTED(SetItemChecked, TRubbishItem, INT32)
  PVX_NOT_IMPLEMENTED(Reserved12)
  PVX_NOT_IMPLEMENTED(Reserved13)
  PVX_NOT_IMPLEMENTED(Reserved14)
  PVX_NOT_IMPLEMENTED(GetScanningPath, BSTR*)
  PVX_NOT_IMPLEMENTED(Reserved16)
  PVX_NOT_IMPLEMENTED(Reserved17)
  PVX_NOT_IMPLEMENTED(GetCategoryCount, INT32*)
  PVX_NOT_IMPLEMENTED(Reserved19)
  PVX_NOT_IMPLEMENTED(GetCategoryTotals, TRubbishItem, INT32*, INT64*)
  PVX_NOT_IMPLEMENTED(Reserved21)
  PVX_NOT_IMPLEMENTED(GetFirstCategory, TRubbishItem*)
  PVX_NOT_IMPLEMENTED(GetNextItem, TRubbishItem, TRubbishItem*)
  PVX_NOT_IMPLEMENTED(GetFirstChild, TRubbishItem, TRubbishItem*)
  PVX_NOT_IMPLEMENTED(Prepare)
  PVX_NOT_IMPLEMENTED(LoadSettings)
  PVX_NOT_IMPLEMENTED(SaveSettings)
  PVX_NOT_IMPLEMENTED(GetFileTypeRoot, TRubbishItem*)
  PVX_NOT_IMPLEMENTED(Reserved29)
  PVX_NOT_IMPLEMENTED(SetAgeFilter, INT32)
  PVX_NOT_IMPLEMENTED(Reserved31)
  PVX_NOT_IMPLEMENTED(Reserved32)
  PVX_NOT_IMPLEMENTED(GetScanningCategory, TRubbishItem*)
  PVX_NOT_IMPLEMENTED(Reserved34)
  PVX_NOT_IMPLEMENTED(Reserved35)
  PVX_NOT_IMPLEMENTED(Reserved36)
  PVX_NOT_IMPLEMENTED(Reserved37)
  PVX_NOT_IMPLEMENTED(GetItemRecommended, TRubbishItem, INT32*)
  PVX_NOT_IMPLEMENTED(Reserved39)
  PVX_NOT_IMPLEMENTED(ReportUndeletedFile, BSTR)
  PVX_NOT_IMPLEMENTED(Reserved41)
  PVX_NOT_IMPLEMENTED(Reserved42)
  PVX_NOT_IMPLEMENTED(Reserved43)
  PVX_NOT_IMPLEMENTED(Reserved44)
  PVX_NOT_IMPLEMENTED(Reserved45)
  PVX_NOT_IMPLEMENTED(GetCategoryFile, TRubbishItem, INT32, BSTR*, INT64*)
  PVX_NOT_IMPLEMENTED(Reserved47)
  PVX_NOT_IMPLEMENTED(GetItemImageIndex, TRubbishItem, INT32*)
  PVX_NOT_IMPLEMENTED(GetExcludedFolders, BSTR*)
  PVX_NOT_IMPLEMENTED(SetExcludedFolders, BSTR)
  PVX_NOT_IMPLEMENTED(GetItemGroupName, TRubbishItem, BSTR*)
  PVX_NOT_IMPLEMENTED(GetItemUserDefined, TRubbishItem, INT32*)

 private:
  LONG refs_ = 1;
};

class TFactory : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IClassFactory) ? this : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // static object
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    TStubbornEngine* engine = new TStubbornEngine();
    const HRESULT hr = engine->QueryInterface(riid, out);
    engine->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

TFactory g_factory;

}  // namespace

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualGUID(clsid, CLSID_RubbishClean)) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(riid, out);
}

// 0 before the scan, 1 while it runs, 2 once it has returned.
extern "C" LONG StubbornScanState() { return g_scan; }
