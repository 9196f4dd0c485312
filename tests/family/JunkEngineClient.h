// The junk engine through its COM interface, loaded from a private copy of the library so
// its settings file lands in the test's own folder; files and a temporary folder to scan.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "RubbishCleanApi.h"
#include "helpers/ProcessHelpers.h"
#include "helpers/TempFolder.h"

class Engine {
 public:
  explicit Engine(const TTempFolder& dir) {
    std::wstring copy = dir.File(L"Marvolent8.dll");
    CopyFileW((ModuleDir() + L"\\Marvolent8.dll").c_str(), copy.c_str(), FALSE);
    module_ = LoadLibraryW(copy.c_str());
    typedef HRESULT(STDAPICALLTYPE * GetClassObjectFn)(REFCLSID, REFIID, void**);
    auto get = module_ ? reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")))
                       : nullptr;
    IClassFactory* factory = nullptr;
    if (get && SUCCEEDED(get(CLSID_RubbishClean, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
      IUnknown* unknown = nullptr;
      if (SUCCEEDED(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&unknown)))) {
        unknown->QueryInterface(IID_IRubbishClean, reinterpret_cast<void**>(&api_));
        unknown->Release();
      }
      factory->Release();
    }
    if (api_) {
      api_->Initialize();
      api_->Prepare();
      api_->LoadSettings();
    }
  }
  ~Engine() {
    if (api_) api_->Release();
    if (module_) FreeLibrary(module_);
  }
  IRubbishClean* operator->() { return api_; }
  explicit operator bool() const { return api_ != nullptr; }

  std::wstring Name(TRubbishItem item) {
    BSTR b = nullptr;
    api_->GetItemName(item, &b);
    std::wstring s = b ? std::wstring(b, SysStringLen(b)) : std::wstring();
    SysFreeString(b);
    return s;
  }
  std::vector<TRubbishItem> Categories() {
    std::vector<TRubbishItem> items;
    TRubbishItem item = 0;
    api_->GetFirstCategory(&item);
    while (item != 0 && items.size() < 100) {
      items.push_back(item);
      api_->GetNextItem(item, &item);
    }
    return items;
  }
  TRubbishItem CategoryNamed(const std::wstring& name) {
    for (TRubbishItem item : Categories())
      if (Name(item) == name) return item;
    return 0;
  }
  // Leaves only the given category selected.
  void SelectOnly(TRubbishItem only) {
    for (TRubbishItem item : Categories()) api_->SetItemChecked(item, item == only ? -1 : 0);
  }
  std::set<std::wstring> Files(TRubbishItem item) {
    INT32 count = 0;
    INT64 size = 0;
    api_->GetCategoryTotals(item, &count, &size);
    std::set<std::wstring> files;
    for (INT32 i = 0; i < count; ++i) {
      BSTR b = nullptr;
      INT64 s = 0;
      api_->GetCategoryFile(item, i, &b, &s);
      files.insert(std::wstring(b, SysStringLen(b)));
      SysFreeString(b);
    }
    return files;
  }

 private:
  HMODULE module_ = nullptr;
  IRubbishClean* api_ = nullptr;
};

inline void WriteFile(const std::wstring& path, size_t bytes, int daysOld = 0) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << "cannot create test file";
  std::string data(bytes, 'x');
  DWORD written;
  ::WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
  if (daysOld > 0) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULONGLONG t = ((static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime) -
                  static_cast<ULONGLONG>(daysOld) * 864000000000ULL;
    FILETIME old = {static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
    SetFileTime(h, &old, &old, &old);
  }
  CloseHandle(h);
}

// Points the user's temporary folder at a folder of the test while it lives.
class TempFolderRedirect {
 public:
  explicit TempFolderRedirect(const std::wstring& folder) {
    wchar_t buf[MAX_PATH] = {};
    GetEnvironmentVariableW(L"TMP", buf, MAX_PATH);
    oldTmp_ = buf;
    GetEnvironmentVariableW(L"TEMP", buf, MAX_PATH);
    oldTemp_ = buf;
    SetEnvironmentVariableW(L"TMP", folder.c_str());
    SetEnvironmentVariableW(L"TEMP", folder.c_str());
  }
  ~TempFolderRedirect() {
    SetEnvironmentVariableW(L"TMP", oldTmp_.c_str());
    SetEnvironmentVariableW(L"TEMP", oldTemp_.c_str());
  }

 private:
  std::wstring oldTmp_, oldTemp_;
};
