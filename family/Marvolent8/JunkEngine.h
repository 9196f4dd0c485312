// The engine object behind IRubbishClean: catalogue state, settings and the scan. The
// scan runs on the caller's thread; every getter may be called from another thread
// while it runs and answers from state guarded by one lock.
#pragma once
#include "RubbishCleanApi.h"

#include <atomic>
#include <string>
#include <unordered_set>
#include <vector>

#include "JunkCatalogue.h"
#include "TextStore.h"

namespace junk {

class TLock {
 public:
  TLock() { InitializeCriticalSection(&cs_); }
  ~TLock() { DeleteCriticalSection(&cs_); }
  void Enter() { EnterCriticalSection(&cs_); }
  void Leave() { LeaveCriticalSection(&cs_); }

 private:
  CRITICAL_SECTION cs_;
};

class TLocked {
 public:
  explicit TLocked(TLock& lock) : lock_(lock) { lock_.Enter(); }
  ~TLocked() { lock_.Leave(); }

 private:
  TLock& lock_;
};

struct TFinding {
  const wchar_t* Path;  // in the engine's path store
  size_t Length;
  INT64 Size;
};

struct TCategoryState {
  const TCategoryDef* Def;
  bool Checked;
  std::vector<TFinding> Findings;
  INT64 TotalSize;
};

struct TFileTypeState {
  TFileTypeDef Def;
  bool Checked;
};

class TJunkEngine : public IRubbishClean {
 public:
  explicit TJunkEngine(const std::wstring& settingsPath);
  virtual ~TJunkEngine();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IRubbishClean
  HRESULT STDMETHODCALLTYPE Initialize() override;
  HRESULT STDMETHODCALLTYPE StopScan() override;
  HRESULT STDMETHODCALLTYPE GetItemName(TRubbishItem item, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE GetItemChecked(TRubbishItem item, INT32* checked) override;
  HRESULT STDMETHODCALLTYPE SetItemChecked(TRubbishItem item, INT32 checked) override;
  HRESULT STDMETHODCALLTYPE GetScanningPath(BSTR* path) override;
  HRESULT STDMETHODCALLTYPE GetCategoryCount(INT32* count) override;
  HRESULT STDMETHODCALLTYPE GetCategoryTotals(TRubbishItem item, INT32* count, INT64* size) override;
  HRESULT STDMETHODCALLTYPE GetFirstCategory(TRubbishItem* item) override;
  HRESULT STDMETHODCALLTYPE GetNextItem(TRubbishItem item, TRubbishItem* next) override;
  HRESULT STDMETHODCALLTYPE GetFirstChild(TRubbishItem item, TRubbishItem* child) override;
  HRESULT STDMETHODCALLTYPE Prepare() override;
  HRESULT STDMETHODCALLTYPE LoadSettings() override;
  HRESULT STDMETHODCALLTYPE SaveSettings() override;
  HRESULT STDMETHODCALLTYPE GetFileTypeRoot(TRubbishItem* root) override;
  HRESULT STDMETHODCALLTYPE SetAgeFilter(INT32 days) override;
  HRESULT STDMETHODCALLTYPE GetScanningCategory(TRubbishItem* item) override;
  HRESULT STDMETHODCALLTYPE GetItemRecommended(TRubbishItem item, INT32* recommended) override;
  HRESULT STDMETHODCALLTYPE ReportUndeletedFile(BSTR path) override;
  HRESULT STDMETHODCALLTYPE GetCategoryFile(TRubbishItem item, INT32 index, BSTR* path, INT64* size) override;
  HRESULT STDMETHODCALLTYPE RunScan() override;
  HRESULT STDMETHODCALLTYPE GetItemImageIndex(TRubbishItem item, INT32* index) override;
  HRESULT STDMETHODCALLTYPE GetExcludedFolders(BSTR* folders) override;
  HRESULT STDMETHODCALLTYPE SetExcludedFolders(BSTR folders) override;
  HRESULT STDMETHODCALLTYPE GetItemGroupName(TRubbishItem item, BSTR* group) override;
  HRESULT STDMETHODCALLTYPE GetItemUserDefined(TRubbishItem item, INT32* userDefined) override;

  // Slots kept for the numbering only.
  HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved5() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved8() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved12() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved16() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved17() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved19() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved21() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved29() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved31() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved32() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved34() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved35() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved36() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved37() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved39() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved41() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved42() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved43() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved44() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved45() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved47() override { return E_NOTIMPL; }

 private:
  // Item handles: categories 1..N, the file-type root, then one per file type.
  static const TRubbishItem kFileTypeRoot = 0x1000;
  TCategoryState* Category(TRubbishItem item);
  TFileTypeState* FileType(TRubbishItem item);
  void ResetToDefaults();
  void ReadSettingsFile();
  void WriteSettingsFile();
  void ScanCategory(size_t index);
  void WalkTarget(size_t category, const TTarget& target);
  bool Excluded(const std::wstring& folder) const;
  void AddFinding(size_t category, const TFinding& finding);
  // The first folder listed a second time: every finding so far goes into found_.
  void StartDeduplicating();
  HRESULT Scan();

  LONG refs_ = 1;
  std::wstring settingsPath_;
  TLock lock_;  // guards everything below that a scan changes
  std::vector<TCategoryState> categories_;
  // The findings' paths. Only the scanning thread writes them, and Scan alone clears them;
  // a finding is published under the lock after its path is written.
  TTextStore paths_;
  std::vector<TFileTypeState> fileTypes_;
  std::vector<std::wstring> excluded_;
  int ageDays_ = 0;
  std::wstring scanningPath_;
  TRubbishItem scanningCategory_ = 0;
  // A file can be reported twice only when its folder is walked twice (overlapping
  // targets). Until that happens no file is looked up; from then on every finding is.
  std::unordered_set<std::wstring> walked_;  // lower-cased folders listed this scan
  bool deduplicating_ = false;
  std::unordered_set<std::wstring> found_;  // lower-cased paths reported, while deduplicating
  std::unordered_set<std::wstring> undeleted_;  // lower-cased; later scans leave them out
  // Shared with the scanning thread.
  std::atomic<bool> stop_{false};
  std::atomic<bool> running_{false};  // a RunScan is under way
};

// Wide text as a BSTR for an out parameter (the caller frees it).
HRESULT ReturnText(const wchar_t* text, size_t length, BSTR* out);
inline HRESULT ReturnText(const std::wstring& text, BSTR* out) { return ReturnText(text.data(), text.size(), out); }

// The path with A-Z folded to a-z, as the engine compares paths.
std::wstring FoldedPath(const wchar_t* path, size_t length);
inline std::wstring FoldedPath(const std::wstring& path) { return FoldedPath(path.data(), path.size()); }

}  // namespace junk
