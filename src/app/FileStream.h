// A file opened as a TStream; the handle closes with the object.
#pragma once
#include <windows.h>

#include <string>

#include "core/Stream.h"

class TFileStream final : public core::TStream {
 public:
  enum TMode { OpenRead, CreateWrite };  // CreateWrite creates or truncates the file
  TFileStream(const std::string& path, TMode mode);
  ~TFileStream();
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

  long long Seek(long long offset, core::TSeekOrigin origin) override;
  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;

 private:
  HANDLE handle_;
};
