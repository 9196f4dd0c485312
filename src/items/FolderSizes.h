// The sizes a clean counts for the files it deletes, read from one listing of each folder
// from which it deletes many files, just before they go: what GetFileSize64 would read
// file by file, without a file-system call per file.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>

class TFolderSizes {
 public:
  // A folder is listed once it is expected to give at least this many files.
  static const int kListedFrom = 8;

  void Clear();
  // One more file of the coming deletes is in path's folder.
  void Expect(const std::string& path);
  // The file's size from its folder's listing; false when its folder is not listed (few
  // files) or the listing does not show it: then GetFileSize64 decides.
  bool Find(const std::string& path, int64_t& size);

 private:
  std::unordered_map<std::string, int> expected_;  // lower-cased folder -> files
  // Lower-cased folder -> lower-cased name -> size; listed on first use.
  std::unordered_map<std::string, std::unordered_map<std::string, int64_t>> listed_;
};
