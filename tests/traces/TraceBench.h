// What the shared trace scan tests stand on: one item node to scan into with its counters,
// a stop request after a chosen number of entries, and private stand-ins for the
// predefined registry roots, so tests write real MRU key paths without touching the
// prefix's own; values and files with exact bytes.
#pragma once
#include <windows.h>
#include <shlwapi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "helpers/TestContext.h"
#include "items/ItemHandlers.h"
#include "items/ResultRows.h"

class TTraceBench {
 public:
  TTraceBench() {
    Scan.Tree = &Tree;
    Scan.Item = AddResultNode(&Tree, "item", false, std::string(), nullptr, 0, "item", std::string(), std::string());
    Scan.Totals = &Totals;
    Scan.KeepResponsive = [this] {
      ++Entries;
      return StopAfter >= 0 && Entries >= StopAfter;
    };
  }
  TTraceBench(const TTraceBench&) = delete;
  TTraceBench& operator=(const TTraceBench&) = delete;

  std::vector<Column4TreeData> Findings() const {
    std::vector<Column4TreeData> found;
    for (TTreeNode* n = Scan.Item->FirstChild(); n; n = n->NextSibling()) found.push_back(n->Data);
    return found;
  }
  // The captions, sorted: listing orders differ between file systems.
  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (const Column4TreeData& d : Findings()) captions.push_back(d.Caption);
    std::sort(captions.begin(), captions.end());
    return captions;
  }

  TTestContext Context;  // the scans read PendingDeleteFiles
  TTreeModel Tree;
  TScanTotals Totals;
  TItemScan Scan;
  int Entries = 0;     // calls of KeepResponsive
  int StopAfter = -1;  // the call that reports the stop request; -1 never
};

// For its lifetime the predefined root (HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, ...) of
// this process is a fresh key under the real HKEY_CURRENT_USER, deleted afterwards.
class TPrivateRoot {
 public:
  explicit TPrivateRoot(HKEY predefined) : predefined_(predefined) {
    static LONG counter = 0;
    char name[96];
    wsprintfA(name, "Software\\PurvexTest-Traces-%lu-%ld", GetCurrentProcessId(), InterlockedIncrement(&counter));
    name_ = name;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, name_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                        nullptr) != ERROR_SUCCESS)
      key_ = nullptr;
    overridden_ = key_ && RegOverridePredefKey(predefined_, key_) == ERROR_SUCCESS;
  }
  ~TPrivateRoot() {
    if (overridden_) RegOverridePredefKey(predefined_, nullptr);
    if (key_) {
      RegCloseKey(key_);
      SHDeleteKeyA(HKEY_CURRENT_USER, name_.c_str());
    }
  }
  TPrivateRoot(const TPrivateRoot&) = delete;
  TPrivateRoot& operator=(const TPrivateRoot&) = delete;
  bool Active() const { return overridden_; }

 private:
  HKEY predefined_;
  HKEY key_ = nullptr;
  std::string name_;
  bool overridden_ = false;
};

// The view the scans read: the 32-bit one where Windows has two (in either build), none
// named on 32-bit Windows. Naming it there would not be harmless: Wine then opens the real
// HKEY_CLASSES_ROOT and passes over a TPrivateRoot's override.
inline REGSAM ScannedView() {
  BOOL wow64 = FALSE;
  return sizeof(void*) == 8 || (IsWow64Process(GetCurrentProcess(), &wow64) && wow64) ? KEY_WOW64_32KEY : 0;
}

// Writes one value under root\key (created) in the view the scans read; an empty name is
// the unnamed value.
inline void SetValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
                     const std::string& bytes) {
  HKEY h;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE | ScannedView(), nullptr, &h, nullptr) !=
      ERROR_SUCCESS) {
    ADD_FAILURE() << "cannot create " << key;
    return;
  }
  RegSetValueExA(h, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                 static_cast<DWORD>(bytes.size()));
  RegCloseKey(h);
}

inline void SetString(HKEY root, const std::string& key, const std::string& name, const std::string& text) {
  SetValue(root, key, name, REG_SZ, text + std::string(1, '\0'));
}

// The bytes of a UTF-16LE text with its NUL, followed by tail (a shell item-id list).
inline std::string Utf16Bytes(const std::wstring& text, const std::string& tail) {
  std::string bytes(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t));
  return bytes + tail;
}

// A file with exactly these bytes.
inline void MakeFile(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
}
