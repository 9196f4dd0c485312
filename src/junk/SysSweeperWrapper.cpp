#include "junk/SysSweeperWrapper.h"

#include <ole2.h>
#include <process.h>

#include "system/WideText.h"

namespace {

std::string TakeText(BSTR text) {
  std::string out = text ? GbkFromWide(std::wstring(text, SysStringLen(text))) : std::string();
  SysFreeString(text);
  return out;
}

// The text in code page 936 when every character has its own there; false otherwise.
bool TakeExactText(BSTR text, std::string& out) {
  out.clear();
  bool exact = true;
  if (text && SysStringLen(text) > 0) {
    const int length = static_cast<int>(SysStringLen(text));
    BOOL lossy = FALSE;
    int n = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, text, length, nullptr, 0, nullptr, &lossy);
    if (n > 0 && !lossy) {
      out.resize(n);
      WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, text, length, &out[0], n, nullptr, &lossy);
    }
    exact = n > 0 && !lossy;
    if (!exact) out.clear();
  }
  SysFreeString(text);
  return exact;
}

// The engine's flags are -1 for true; any non-zero answer counts as true.
INT32 Flag(bool value) { return value ? -1 : 0; }

}  // namespace

TCleanWrapper::TCleanWrapper(const char* libraryName) {
  library_.Reset(LoadLibraryA(libraryName));
  if (!library_) return;
  typedef HRESULT(STDAPICALLTYPE * GetClassObjectFn)(REFCLSID, REFIID, void**);
  auto getClassObject = ProcAddress<GetClassObjectFn>(library_.Get(), "DllGetClassObject");
  IClassFactory* factory = nullptr;
  if (!getClassObject || FAILED(getClassObject(CLSID_RubbishClean, IID_IClassFactory, reinterpret_cast<void**>(&factory))) ||
      !factory)
    return;
  IUnknown* unknown = nullptr;
  if (SUCCEEDED(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&unknown))) && unknown) {
    if (SUCCEEDED(unknown->QueryInterface(IID_IRubbishClean, reinterpret_cast<void**>(&engine_))) && engine_)
      availability_ = kAvailable;
    unknown->Release();
  }
  factory->Release();
}

TCleanWrapper::~TCleanWrapper() {
  // A worker still in the engine would run in a freed library: end it first, and when it
  // will not end, keep the engine and its library loaded rather than pull them from under it.
  if (!EndWorker(10000)) {
    library_.Take();
    worker_.Take();
    return;
  }
  if (engine_) engine_->Release();
}

bool TCleanWrapper::EndWorker(DWORD timeoutMs) {
  if (!worker_) return true;
  const DWORD start = GetTickCount();
  while (WaitForSingleObject(worker_.Get(), 10) == WAIT_TIMEOUT) {
    if (GetTickCount() - start >= timeoutMs) return false;
    engine_->StopScan();
  }
  worker_.Reset();
  return true;
}

void TCleanWrapper::Initialize() {
  if (engine_) engine_->Initialize();
}
void TCleanWrapper::Prepare() {
  if (engine_) engine_->Prepare();
}
void TCleanWrapper::LoadSettings() {
  if (engine_) engine_->LoadSettings();
}
void TCleanWrapper::SaveSettings() {
  if (engine_) engine_->SaveSettings();
}

std::string TCleanWrapper::GetItemName(TRubbishItem item) {
  BSTR text = nullptr;
  if (engine_) engine_->GetItemName(item, &text);
  return TakeText(text);
}

std::string TCleanWrapper::GetItemGroupName(TRubbishItem item) {
  BSTR text = nullptr;
  if (engine_) engine_->GetItemGroupName(item, &text);
  return TakeText(text);
}

std::string TCleanWrapper::GetScanningPath() {
  BSTR text = nullptr;
  if (engine_) engine_->GetScanningPath(&text);
  return TakeText(text);
}

std::string TCleanWrapper::GetExcludedFolders() {
  BSTR text = nullptr;
  if (engine_) engine_->GetExcludedFolders(&text);
  return TakeText(text);
}

void TCleanWrapper::SetExcludedFolders(const std::string& folders) {
  if (!engine_) return;
  BSTR text = SysAllocString(WideFromGbk(folders).c_str());
  engine_->SetExcludedFolders(text);
  SysFreeString(text);
}

void TCleanWrapper::ReportUndeletedFile(const std::string& path) {
  if (!engine_) return;
  BSTR text = SysAllocString(WideFromGbk(path).c_str());
  engine_->ReportUndeletedFile(text);
  SysFreeString(text);
}

bool TCleanWrapper::GetItemChecked(TRubbishItem item) {
  INT32 v = 0;
  if (engine_) engine_->GetItemChecked(item, &v);
  return v != 0;
}

void TCleanWrapper::SetItemChecked(TRubbishItem item, bool checked) {
  if (engine_) engine_->SetItemChecked(item, Flag(checked));
}

bool TCleanWrapper::GetItemRecommended(TRubbishItem item) {
  INT32 v = 0;
  if (engine_) engine_->GetItemRecommended(item, &v);
  return v != 0;
}

bool TCleanWrapper::GetItemUserDefined(TRubbishItem item) {
  INT32 v = 0;
  if (engine_) engine_->GetItemUserDefined(item, &v);
  return v != 0;
}

int TCleanWrapper::GetItemImageIndex(TRubbishItem item) {
  INT32 v = 0;
  if (engine_) engine_->GetItemImageIndex(item, &v);
  return v;
}

int TCleanWrapper::GetCategoryCount() {
  INT32 v = 0;
  if (engine_) engine_->GetCategoryCount(&v);
  return v;
}

// Without the engine, item handles are -1 (never a valid item of the engine).
TRubbishItem TCleanWrapper::GetFirstCategory() {
  TRubbishItem v = static_cast<TRubbishItem>(-1);
  if (engine_) engine_->GetFirstCategory(&v);
  return v;
}

TRubbishItem TCleanWrapper::GetNextItem(TRubbishItem item) {
  TRubbishItem v = static_cast<TRubbishItem>(-1);
  if (engine_) engine_->GetNextItem(item, &v);
  return v;
}

TRubbishItem TCleanWrapper::GetFirstChild(TRubbishItem item) {
  TRubbishItem v = static_cast<TRubbishItem>(-1);
  if (engine_) engine_->GetFirstChild(item, &v);
  return v;
}

TRubbishItem TCleanWrapper::GetFileTypeRoot() {
  TRubbishItem v = static_cast<TRubbishItem>(-1);
  if (engine_) engine_->GetFileTypeRoot(&v);
  return v;
}

TRubbishItem TCleanWrapper::GetScanningCategory() {
  TRubbishItem v = static_cast<TRubbishItem>(-1);
  if (engine_) engine_->GetScanningCategory(&v);
  return v;
}

void TCleanWrapper::GetCategoryTotals(TRubbishItem item, int& count, int64_t& size) {
  INT32 c = 0;
  INT64 s = 0;
  if (engine_) engine_->GetCategoryTotals(item, &c, &s);
  count = c < 0 ? 0 : c;
  size = c < 0 ? 0 : s;
}

bool TCleanWrapper::GetCategoryFile(TRubbishItem item, int index, std::string& path, int64_t& size) {
  BSTR text = nullptr;
  INT64 s = 0;
  HRESULT hr = engine_ ? engine_->GetCategoryFile(item, index, &text, &s) : E_FAIL;
  const bool exact = TakeExactText(text, path);
  size = s;
  return SUCCEEDED(hr) && exact;
}

void TCleanWrapper::SetAgeFilter(int days) {
  if (engine_) engine_->SetAgeFilter(days);
}

bool TCleanWrapper::StartScan() {
  if (!engine_) return false;
  // Two workers in one engine would share its findings and its stop flag.
  if (!EndWorker(10000)) return false;
  const uint8_t before = *state_;
  *state_ = kScanning;
  worker_.Reset(TScanThread::Start(*this));
  if (!worker_) *state_ = before;
  return static_cast<bool>(worker_);
}

void TCleanWrapper::StopScan() {
  if (!engine_) return;
  engine_->StopScan();
  *state_ = kStopped;
  EndWorker(5000);
}

HANDLE TScanThread::Start(TCleanWrapper& wrapper) {
  TScanThread* thread = new TScanThread(wrapper.engine_, wrapper.state_);
  uintptr_t handle = _beginthreadex(nullptr, 0, Run, thread, 0, nullptr);
  if (!handle) delete thread;
  return reinterpret_cast<HANDLE>(handle);
}

unsigned __stdcall TScanThread::Run(void* p) {
  TScanThread* self = static_cast<TScanThread*>(p);
  OleInitialize(nullptr);
  // Stopped before it began: RunScan would clear that stop and scan on.
  if (*self->state_ != TCleanWrapper::kStopped) self->engine_->RunScan();
  uint8_t scanning = TCleanWrapper::kScanning;
  self->state_->compare_exchange_strong(scanning, TCleanWrapper::kFinished);
  OleUninitialize();
  delete self;
  return 0;
}
