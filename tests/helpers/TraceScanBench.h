// What the trace-scan tests share: one checked item node to scan into, and small file and
// registry writers for the traces they plant.
#pragma once
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "items/ItemHandlers.h"

struct TTraceScanBench {
  TTreeModel tree;
  TScanTotals totals;
  TTreeNode* item = tree.AddChild(nullptr, Column4TreeData{"item", "", "", "item", "", -1}, TCheckType::TriState,
                                  TCheckState::Checked);
  TItemScan scan{&tree, item, 0, 0, &totals, [] { return false; }, nullptr, false};

  // The findings' captions in the order they were added, and as a set.
  std::vector<std::string> Captions() const {
    std::vector<std::string> out;
    for (const TTreeNode* f = item->FirstChild(); f; f = f->NextSibling()) out.push_back(f->Data.Caption);
    return out;
  }
  std::set<std::string> CaptionSet() const {
    const std::vector<std::string> captions = Captions();
    return std::set<std::string>(captions.begin(), captions.end());
  }
};

namespace tracefiles {

inline void Write(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD done = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
  CloseHandle(h);
}

inline std::string Read(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  std::string out;
  char buf[4096];
  DWORD got = 0;
  while (h != INVALID_HANDLE_VALUE && ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  return out;
}

// A text value (the key created when missing); name "" is the key's default value.
inline void SetText(HKEY root, const std::string& key, const char* name, const std::string& text, DWORD type = REG_SZ) {
  HKEY h;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) != ERROR_SUCCESS) return;
  RegSetValueExA(h, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(text.size() + 1));
  RegCloseKey(h);
}

// Every folder of the path, from the drive down.
inline void MakeDirs(const std::string& path) {
  for (size_t i = 3; i <= path.size(); ++i)
    if (i == path.size() || path[i] == '\\') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
}

}  // namespace tracefiles
