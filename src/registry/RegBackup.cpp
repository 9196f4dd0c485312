#include "registry/RegBackup.h"

#include <windows.h>

#include <algorithm>

#include "items/ResultRows.h"
#include "core/GbkText.h"
#include "core/RegFileText.h"
#include "items/ItemClean.h"
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
  // The locale's order, as people read the file; keys it takes for equal (it passes over
  // hyphens, say) are told apart by their letters, so no two keys share one block.
  const int locale = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                    b.data(), static_cast<int>(b.size()));
  if (locale == CSTR_LESS_THAN) return true;
  if (locale == CSTR_GREATER_THAN) return false;
  return core::CompareTextGbk(a, b) < 0;
}

void TRegistryBackup::AddEntry(const std::string& rootName, const std::string& keyPath, bool is64,
                               const std::string& valueName) {
  entries_[EntryKey(rootName, keyPath, is64)].AddValueName(valueName);
}

bool TRegistryBackup::Refused(const std::string& rootName, const std::string& keyPath, bool is64,
                              const std::string& valueName) const {
  const std::string entry = EntryKey(rootName, keyPath, is64);
  // A value saved with its whole key shares the key's answer.
  return refused_.count(RefusalKey(entry, std::string())) || refused_.count(RefusalKey(entry, valueName));
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

TBackupGate BackupBeforeClean(const std::vector<const TTreeNode*>& rows, const TTreeNode* registryGroup) {
  TBackupGate gate;
  TRegistryBackup backup;
  for (const TTreeNode* row : rows) {
    const TTreeNode* category = row->Parent();
    if (!category || category->Parent() != registryGroup || !IsRegistryFinding(row->Data)) continue;
    gate.Covered.push_back(row);
    backup.AddEntry(row->Data.Root, row->Data.Path, row->Data.Kind == kKindView64, row->Data.Name);
  }
  if (backup.Empty()) return gate;
  const std::string& folder = AppContext().RegBakDir;
  gate.Saved = false;
  if (folder.empty()) return gate;
  CreateDirectoryA(folder.c_str(), nullptr);
  SYSTEMTIME now;
  GetLocalTime(&now);
  const std::string name = core::BackupFileName(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
  // A copy that misses what it could not read is no copy: none of its rows may go.
  gate.Saved = backup.WriteBackupFile(folder + "\\" + name) && backup.Complete();
  for (const TTreeNode* row : gate.Covered)
    if (backup.Refused(row->Data.Root, row->Data.Path, row->Data.Kind == kKindView64, row->Data.Name))
      gate.Refused.push_back(row);
  return gate;
}
