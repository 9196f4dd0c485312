// The junk-sweeping engine's COM interface, shared by the engine (Marvolent8.dll) and the
// program's wrapper. The slot order is the binary contract with every program of the
// family: never reorder, insert or remove a method. Every method is __stdcall and returns
// an HRESULT; items are 32-bit handles passed by value (0 ends a list); texts going in are
// BSTRs, texts coming out are BSTR* that the caller frees; flags and counts are INT32,
// sizes INT64. Reserved slots exist so the numbering holds; callers never use them.
#pragma once
#include <windows.h>
#include <objbase.h>

typedef UINT32 TRubbishItem;

// {B47D7A8A-D54E-4C52-9851-8DF654990C42}
static const GUID CLSID_RubbishClean = {0xB47D7A8A, 0xD54E, 0x4C52, {0x98, 0x51, 0x8D, 0xF6, 0x54, 0x99, 0x0C, 0x42}};
// {8E0ECB23-4462-4130-8E03-905D7EACBCA0}
static const GUID IID_IRubbishClean = {0x8E0ECB23, 0x4462, 0x4130, {0x8E, 0x03, 0x90, 0x5D, 0x7E, 0xAC, 0xBC, 0xA0}};

struct IRubbishClean : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Initialize() = 0;                                        // 3
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;                                         // 4
  virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;                                         // 5
  virtual HRESULT STDMETHODCALLTYPE StopScan() = 0;                                          // 6
  virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;                                         // 7
  virtual HRESULT STDMETHODCALLTYPE Reserved8() = 0;                                         // 8
  virtual HRESULT STDMETHODCALLTYPE GetItemName(TRubbishItem item, BSTR* name) = 0;          // 9
  virtual HRESULT STDMETHODCALLTYPE GetItemChecked(TRubbishItem item, INT32* checked) = 0;   // 10
  virtual HRESULT STDMETHODCALLTYPE SetItemChecked(TRubbishItem item, INT32 checked) = 0;    // 11
  virtual HRESULT STDMETHODCALLTYPE Reserved12() = 0;                                        // 12
  virtual HRESULT STDMETHODCALLTYPE Reserved13() = 0;                                        // 13
  virtual HRESULT STDMETHODCALLTYPE Reserved14() = 0;                                        // 14
  virtual HRESULT STDMETHODCALLTYPE GetScanningPath(BSTR* path) = 0;                         // 15
  virtual HRESULT STDMETHODCALLTYPE Reserved16() = 0;                                        // 16
  virtual HRESULT STDMETHODCALLTYPE Reserved17() = 0;                                        // 17
  virtual HRESULT STDMETHODCALLTYPE GetCategoryCount(INT32* count) = 0;                      // 18
  virtual HRESULT STDMETHODCALLTYPE Reserved19() = 0;                                        // 19
  virtual HRESULT STDMETHODCALLTYPE GetCategoryTotals(TRubbishItem item, INT32* count, INT64* size) = 0;  // 20
  virtual HRESULT STDMETHODCALLTYPE Reserved21() = 0;                                        // 21
  virtual HRESULT STDMETHODCALLTYPE GetFirstCategory(TRubbishItem* item) = 0;                // 22
  virtual HRESULT STDMETHODCALLTYPE GetNextItem(TRubbishItem item, TRubbishItem* next) = 0;  // 23
  virtual HRESULT STDMETHODCALLTYPE GetFirstChild(TRubbishItem item, TRubbishItem* child) = 0;  // 24
  virtual HRESULT STDMETHODCALLTYPE Prepare() = 0;                                           // 25
  virtual HRESULT STDMETHODCALLTYPE LoadSettings() = 0;                                      // 26
  virtual HRESULT STDMETHODCALLTYPE SaveSettings() = 0;                                      // 27
  virtual HRESULT STDMETHODCALLTYPE GetFileTypeRoot(TRubbishItem* root) = 0;                 // 28
  virtual HRESULT STDMETHODCALLTYPE Reserved29() = 0;                                        // 29
  virtual HRESULT STDMETHODCALLTYPE SetAgeFilter(INT32 days) = 0;                            // 30
  virtual HRESULT STDMETHODCALLTYPE Reserved31() = 0;                                        // 31
  virtual HRESULT STDMETHODCALLTYPE Reserved32() = 0;                                        // 32
  virtual HRESULT STDMETHODCALLTYPE GetScanningCategory(TRubbishItem* item) = 0;             // 33
  virtual HRESULT STDMETHODCALLTYPE Reserved34() = 0;                                        // 34
  virtual HRESULT STDMETHODCALLTYPE Reserved35() = 0;                                        // 35
  virtual HRESULT STDMETHODCALLTYPE Reserved36() = 0;                                        // 36
  virtual HRESULT STDMETHODCALLTYPE Reserved37() = 0;                                        // 37
  virtual HRESULT STDMETHODCALLTYPE GetItemRecommended(TRubbishItem item, INT32* recommended) = 0;  // 38
  virtual HRESULT STDMETHODCALLTYPE Reserved39() = 0;                                        // 39
  virtual HRESULT STDMETHODCALLTYPE ReportUndeletedFile(BSTR path) = 0;                      // 40
  virtual HRESULT STDMETHODCALLTYPE Reserved41() = 0;                                        // 41
  virtual HRESULT STDMETHODCALLTYPE Reserved42() = 0;                                        // 42
  virtual HRESULT STDMETHODCALLTYPE Reserved43() = 0;                                        // 43
  virtual HRESULT STDMETHODCALLTYPE Reserved44() = 0;                                        // 44
  virtual HRESULT STDMETHODCALLTYPE Reserved45() = 0;                                        // 45
  virtual HRESULT STDMETHODCALLTYPE GetCategoryFile(TRubbishItem item, INT32 index, BSTR* path, INT64* size) = 0;  // 46
  virtual HRESULT STDMETHODCALLTYPE Reserved47() = 0;                                        // 47
  virtual HRESULT STDMETHODCALLTYPE RunScan() = 0;                                           // 48
  virtual HRESULT STDMETHODCALLTYPE GetItemImageIndex(TRubbishItem item, INT32* index) = 0;  // 49
  virtual HRESULT STDMETHODCALLTYPE GetExcludedFolders(BSTR* folders) = 0;                   // 50
  virtual HRESULT STDMETHODCALLTYPE SetExcludedFolders(BSTR folders) = 0;                    // 51
  virtual HRESULT STDMETHODCALLTYPE GetItemGroupName(TRubbishItem item, BSTR* group) = 0;    // 52
  virtual HRESULT STDMETHODCALLTYPE GetItemUserDefined(TRubbishItem item, INT32* userDefined) = 0;  // 53
};
