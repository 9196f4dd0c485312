// One FindFirstFileA/FindNextFileA enumeration, closed when the object goes:
//   for (TFindFile f(pattern); f.Found(); f.Next()) use(f.Data());
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

class TFindFile {
 public:
  explicit TFindFile(const std::string& pattern)
      : handle_(FindFirstFileA(pattern.c_str(), &data_)) {}
  ~TFindFile() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  TFindFile(const TFindFile&) = delete;
  TFindFile& operator=(const TFindFile&) = delete;

  // An entry is at hand (false at the end of the list and when nothing matched).
  bool Found() const { return handle_ != INVALID_HANDLE_VALUE && found_; }
  void Next() { found_ = FindNextFileA(handle_, &data_) != FALSE; }

  const WIN32_FIND_DATAA& Data() const { return data_; }
  std::string Name() const { return data_.cFileName; }
  DWORD Attributes() const { return data_.dwFileAttributes; }
  bool IsDir() const { return (data_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
  bool IsDotEntry() const { return Name() == "." || Name() == ".."; }
  int64_t Size() const {
    return (static_cast<int64_t>(data_.nFileSizeHigh) << 32) | data_.nFileSizeLow;
  }

 private:
  WIN32_FIND_DATAA data_ = {};
  HANDLE handle_;
  bool found_ = true;
};
