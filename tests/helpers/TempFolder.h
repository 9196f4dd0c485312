// A fresh folder under the prefix's temporary folder, removed with its files at the end.
#pragma once
#include <string>

class TTempFolder {
 public:
  TTempFolder();
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  const std::wstring& Path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

// Removes a folder tree (files first); used for cleanup only.
void RemoveTree(const std::wstring& path);
