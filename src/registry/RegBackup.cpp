#include "registry/RegBackup.h"

#include <windows.h>

#include <algorithm>

#include "core/GbkText.h"
#include "core/RegFileText.h"
#include "items/TreeModel.h"
#include "system/AppContext.h"

void TRegistryItem::AddValueName(const std::string& name) {
  if (name.empty()) {
    names_.assign(1, std::string());
    return;
  }
  if (!names_.empty() && names_.front().empty()) return;  // the whole key is saved anyway
  auto less = [](const std::string& a, const std::string& b) { return core::CompareTextGbk(a, b) < 0; };
  auto at = std::lower_bound(names_.begin(), names_.end(), name, less);
  if (at != names_.end() && core::CompareTextGbk(*at, name) == 0) return;
  names_.insert(at, name);
}

bool TRegistryBackup::TKeyOrder::operator()(const std::string& a, const std::string& b) const {
  return core::CompareTextGbk(a, b) < 0;
}

void TRegistryBackup::AddEntry(const std::string& rootName, const std::string& keyPath, bool is64,
                               const std::string& valueName) {
  entries_[(is64 ? "64:" : "32:") + rootName + "\\" + keyPath].AddValueName(valueName);
}

bool TRegistryBackup::WriteBackupFile(const std::string& fileName) {
  if (entries_.empty()) return true;
  HANDLE file = CreateFileA(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;  // the queue stays as it is
  const bool written = WriteBackup([file](const std::wstring& text) {
    const DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    DWORD done = 0;
    return WriteFile(file, text.data(), bytes, &done, nullptr) && done == bytes;
  });
  const bool closed = CloseHandle(file) != FALSE;
  // A backup that is not whole must not be there to be restored later.
  if (!written || !closed) DeleteFileA(fileName.c_str());
  return written && closed;
}

TBackupResult BackupBeforeClean(const TTreeModel& tree, const TTreeNode* registryGroup) {
  (void)tree;
  if (!registryGroup || !IsCheckedOrMixed(registryGroup->CheckState())) return TBackupResult::NothingToSave;
  TRegistryBackup backup;
  for (const TTreeNode* category = registryGroup->FirstChild(); category; category = category->NextSibling())
    for (const TTreeNode* row = category->FirstChild(); row; row = row->NextSibling())
      if (row->CheckState() == TCheckState::Checked && !row->Data.Root.empty())
        backup.AddEntry(row->Data.Root, row->Data.Path, row->Data.Kind == "x64", row->Data.Name);
  if (backup.Empty()) return TBackupResult::NothingToSave;
  const std::string& folder = AppContext().RegBakDir;
  if (folder.empty()) return TBackupResult::Failed;
  CreateDirectoryA(folder.c_str(), nullptr);
  SYSTEMTIME now;
  GetLocalTime(&now);
  const std::string name = core::BackupFileName(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
  return backup.WriteBackupFile(folder + "\\" + name) ? TBackupResult::Saved : TBackupResult::Failed;
}
