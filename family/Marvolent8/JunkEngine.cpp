#include "JunkEngine.h"

#include "JunkRules.h"

namespace junk {

std::wstring FoldedPath(const wchar_t* path, size_t length) {
  std::wstring out(path, length);
  for (wchar_t& c : out)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
  return out;
}

HRESULT ReturnText(const wchar_t* text, size_t length, BSTR* out) {
  if (!out) return E_POINTER;
  *out = SysAllocStringLen(text, static_cast<UINT>(length));
  return *out ? S_OK : E_OUTOFMEMORY;
}

TJunkEngine::TJunkEngine(const std::wstring& settingsPath) : settingsPath_(settingsPath) { ResetToDefaults(); }

TJunkEngine::~TJunkEngine() = default;

HRESULT TJunkEngine::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IRubbishClean)) {
    *out = static_cast<IRubbishClean*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG TJunkEngine::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG TJunkEngine::Release() {
  LONG n = InterlockedDecrement(&refs_);
  if (n == 0) delete this;
  return static_cast<ULONG>(n);
}

void TJunkEngine::ResetToDefaults() {
  TLocked hold(lock_);
  categories_.clear();
  for (const TCategoryDef& def : Categories()) categories_.push_back(TCategoryState{&def, def.Recommended, {}, 0});
  fileTypes_.clear();
  for (const TFileTypeDef& def : DefaultFileTypes()) fileTypes_.push_back(TFileTypeState{def, def.Recommended});
  excluded_.clear();
  ageDays_ = 0;
}

TCategoryState* TJunkEngine::Category(TRubbishItem item) {
  return (item >= 1 && item <= categories_.size()) ? &categories_[item - 1] : nullptr;
}

TFileTypeState* TJunkEngine::FileType(TRubbishItem item) {
  return (item > kFileTypeRoot && item - kFileTypeRoot <= fileTypes_.size()) ? &fileTypes_[item - kFileTypeRoot - 1]
                                                                              : nullptr;
}

HRESULT TJunkEngine::Initialize() { return S_OK; }
HRESULT TJunkEngine::Prepare() { return S_OK; }

HRESULT TJunkEngine::StopScan() {
  stop_ = true;
  return S_OK;
}

namespace {
// A piece of a file type's name: double-quoted when it holds a blank, so that splitting the
// name at blanks gives the pattern and the description back.
std::wstring NamePiece(const std::wstring& text) {
  return text.find(L' ') == std::wstring::npos ? text : L"\"" + text + L"\"";
}
}  // namespace

HRESULT TJunkEngine::GetItemName(TRubbishItem item, BSTR* name) {
  try {
    TLocked hold(lock_);
    if (TCategoryState* c = Category(item)) return ReturnText(c->Def->Name, name);
    if (TFileTypeState* t = FileType(item))
      return ReturnText(NamePiece(t->Def.Pattern) + L" " + NamePiece(t->Def.Description), name);
    if (item == kFileTypeRoot) return ReturnText(L"文件类型", name);
    return ReturnText(L"", name);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT TJunkEngine::GetItemChecked(TRubbishItem item, INT32* checked) {
  if (!checked) return E_POINTER;
  TLocked hold(lock_);
  TCategoryState* c = Category(item);
  TFileTypeState* t = FileType(item);
  *checked = (c && c->Checked) || (t && t->Checked) ? -1 : 0;
  return (c || t) ? S_OK : E_INVALIDARG;
}

HRESULT TJunkEngine::SetItemChecked(TRubbishItem item, INT32 checked) {
  TLocked hold(lock_);
  if (TCategoryState* c = Category(item)) c->Checked = checked != 0;
  else if (TFileTypeState* t = FileType(item)) t->Checked = checked != 0;
  else return E_INVALIDARG;
  return S_OK;
}

HRESULT TJunkEngine::GetScanningPath(BSTR* path) {
  TLocked hold(lock_);
  return ReturnText(scanningPath_, path);
}

HRESULT TJunkEngine::GetCategoryCount(INT32* count) {
  if (!count) return E_POINTER;
  *count = static_cast<INT32>(Categories().size());
  return S_OK;
}

HRESULT TJunkEngine::GetCategoryTotals(TRubbishItem item, INT32* count, INT64* size) {
  if (!count || !size) return E_POINTER;
  TLocked hold(lock_);
  TCategoryState* c = Category(item);
  *count = c ? static_cast<INT32>(c->Findings.size()) : 0;
  *size = c ? c->TotalSize : 0;
  return c ? S_OK : E_INVALIDARG;
}

HRESULT TJunkEngine::GetFirstCategory(TRubbishItem* item) {
  if (!item) return E_POINTER;
  TLocked hold(lock_);
  *item = categories_.empty() ? 0 : 1;
  return S_OK;
}

HRESULT TJunkEngine::GetNextItem(TRubbishItem item, TRubbishItem* next) {
  if (!next) return E_POINTER;
  TLocked hold(lock_);
  if (Category(item)) *next = item < categories_.size() ? item + 1 : 0;
  else if (FileType(item)) *next = item - kFileTypeRoot < fileTypes_.size() ? item + 1 : 0;
  else *next = 0;
  return S_OK;
}

HRESULT TJunkEngine::GetFirstChild(TRubbishItem item, TRubbishItem* child) {
  if (!child) return E_POINTER;
  TLocked hold(lock_);
  *child = (item == kFileTypeRoot && !fileTypes_.empty()) ? kFileTypeRoot + 1 : 0;
  return S_OK;
}

HRESULT TJunkEngine::GetFileTypeRoot(TRubbishItem* root) {
  if (!root) return E_POINTER;
  *root = kFileTypeRoot;
  return S_OK;
}

HRESULT TJunkEngine::SetAgeFilter(INT32 days) {
  TLocked hold(lock_);
  ageDays_ = days > 0 ? days : 0;
  return S_OK;
}

HRESULT TJunkEngine::GetScanningCategory(TRubbishItem* item) {
  if (!item) return E_POINTER;
  TLocked hold(lock_);
  *item = scanningCategory_;
  return S_OK;
}

HRESULT TJunkEngine::GetItemRecommended(TRubbishItem item, INT32* recommended) {
  if (!recommended) return E_POINTER;
  TLocked hold(lock_);
  TCategoryState* c = Category(item);
  TFileTypeState* t = FileType(item);
  *recommended = (c && c->Def->Recommended) || (t && t->Def.Recommended) ? -1 : 0;
  return (c || t) ? S_OK : E_INVALIDARG;
}

HRESULT TJunkEngine::ReportUndeletedFile(BSTR path) {
  try {
    TLocked hold(lock_);
    if (path) undeleted_.insert(FoldedPath(std::wstring(path, SysStringLen(path))));
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT TJunkEngine::GetCategoryFile(TRubbishItem item, INT32 index, BSTR* path, INT64* size) {
  if (!path || !size) return E_POINTER;
  TLocked hold(lock_);
  TCategoryState* c = Category(item);
  if (!c || index < 0 || static_cast<size_t>(index) >= c->Findings.size()) {
    *size = 0;
    ReturnText(L"", path);
    return E_INVALIDARG;
  }
  *size = c->Findings[index].Size;
  const TFinding& f = c->Findings[index];
  return ReturnText(f.Path, f.Length, path);
}

HRESULT TJunkEngine::GetItemImageIndex(TRubbishItem item, INT32* index) {
  if (!index) return E_POINTER;
  TLocked hold(lock_);
  TCategoryState* c = Category(item);
  *index = c ? c->Def->ImageIndex : 0;
  return c ? S_OK : E_INVALIDARG;
}

HRESULT TJunkEngine::GetExcludedFolders(BSTR* folders) {
  try {
    TLocked hold(lock_);
    return ReturnText(JoinFolderList(excluded_), folders);
  } catch (...) {  // no exception crosses the interface
    if (folders) *folders = nullptr;
    return E_OUTOFMEMORY;
  }
}

HRESULT TJunkEngine::SetExcludedFolders(BSTR folders) {
  try {
    std::vector<std::wstring> list =
        SplitFolderList(folders ? std::wstring(folders, SysStringLen(folders)) : std::wstring());
    TLocked hold(lock_);
    excluded_.swap(list);
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT TJunkEngine::GetItemGroupName(TRubbishItem item, BSTR* group) {
  try {
    TLocked hold(lock_);
    TFileTypeState* t = FileType(item);
    return ReturnText(t ? t->Def.Group : std::wstring(), group);
  } catch (...) {  // no exception crosses the interface
    if (group) *group = nullptr;
    return E_OUTOFMEMORY;
  }
}

HRESULT TJunkEngine::GetItemUserDefined(TRubbishItem item, INT32* userDefined) {
  if (!userDefined) return E_POINTER;
  TLocked hold(lock_);
  TFileTypeState* t = FileType(item);
  *userDefined = (t && t->Def.UserDefined) ? -1 : 0;
  return t ? S_OK : E_INVALIDARG;
}

}  // namespace junk
