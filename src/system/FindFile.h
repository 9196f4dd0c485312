// One folder enumeration, closed when the object goes:
//   for (TFindFile f(pattern); f.Found(); f.Next()) use(f.Data());
// After the loop, Complete() tells whether the listing reached its end ("no more files",
// or nothing matched) or broke off on an error (Error() says which).
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "system/Handles.h"

// The first entry matching pattern: on Windows 7 and later without the short name and in
// large batches (FindExInfoBasic, FIND_FIRST_EX_LARGE_FETCH), which lists faster; systems
// that refuse those values get the plain FindFirstFileA, decided at the first call.
// cAlternateFileName is empty on the fast path.
HANDLE FindFirstEntry(const std::string& pattern, WIN32_FIND_DATAA& data);
// The benchmark compares both ways: false makes every listing use FindFirstFileA.
void AllowFastListing(bool allowed);

// A junction, symbolic link or other reparse point may lead anywhere (back up the tree, or
// into a folder the user never saw): walks neither enter one nor start at one.
inline bool IsLinkAttributes(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}
// The folder (or file) at path is such a link; false when it is not there.
inline bool IsLinkPath(const std::string& path) { return IsLinkAttributes(GetFileAttributesA(path.c_str())); }

class TFindFile {
 public:
  explicit TFindFile(const std::string& pattern) : handle_(FindFirstEntry(pattern, data_)) {
    found_ = handle_.Valid();
    if (!found_) Ended(GetLastError());
  }

  // An entry is at hand (false at the end of the list and when nothing matched).
  bool Found() const { return found_; }
  void Next() {
    if (!found_) return;
    found_ = FindNextFileA(handle_.Get(), &data_) != FALSE;
    if (!found_) Ended(GetLastError());
  }
  // The enumeration ended at the end of the list, or has not ended yet.
  bool Complete() const { return error_ == ERROR_SUCCESS; }
  // ERROR_SUCCESS, or the error that broke the listing off.
  DWORD Error() const { return error_; }

  const WIN32_FIND_DATAA& Data() const { return data_; }
  std::string Name() const { return data_.cFileName; }
  DWORD Attributes() const { return data_.dwFileAttributes; }
  bool IsDir() const { return (data_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
  // A junction, symbolic link or any other reparse point: no walk enters it.
  bool IsLink() const { return IsLinkAttributes(data_.dwFileAttributes); }
  bool IsDotEntry() const { return Name() == "." || Name() == ".."; }
  int64_t Size() const {
    return (static_cast<int64_t>(data_.nFileSizeHigh) << 32) | data_.nFileSizeLow;
  }

 private:
  // "No more files" and "nothing matched" (no file, no folder) are the normal ends.
  void Ended(DWORD error) {
    if (error != ERROR_NO_MORE_FILES && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
      error_ = error;
  }

  WIN32_FIND_DATAA data_ = {};
  TFindHandle handle_;
  bool found_ = false;
  DWORD error_ = ERROR_SUCCESS;
};
