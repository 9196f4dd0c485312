#include "items/FolderSizes.h"

#include "core/GbkText.h"
#include "core/PathText.h"
#include "system/FindFile.h"
#include "system/ToolsViews.h"

void TFolderSizes::Clear() {
  expected_.clear();
  listed_.clear();
}

void TFolderSizes::Expect(const std::string& path) { ++expected_[core::LowerGbk(core::ExtractFileDir(path))]; }

bool TFolderSizes::Find(const std::string& path, int64_t& size) {
  const std::string folder = core::LowerGbk(core::ExtractFileDir(path));
  auto listed = listed_.find(folder);
  if (listed == listed_.end()) {
    auto expected = expected_.find(folder);
    if (folder.empty() || expected == expected_.end() || expected->second < kListedFrom) return false;
    auto& sizes = listed_[folder];
    // The same view as GetFileSize64 reads in.
    TFsRedirectionGuard native;
    for (TFindFile f(path.substr(0, folder.size()) + "*"); f.Found(); f.Next())
      if (!f.IsDir()) sizes[core::LowerGbk(f.Data().cFileName)] = f.Size();
    listed = listed_.find(folder);
  }
  auto file = listed->second.find(core::LowerGbk(core::ExtractFileName(path)));
  if (file == listed->second.end()) return false;
  size = file->second;
  return true;
}
