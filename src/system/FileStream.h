// A file opened as a TStream; the handle closes with the object.
#pragma once
#include <windows.h>

#include <string>

#include "core/Stream.h"
#include "system/Handles.h"

class TFileStream final : public core::TStream {
 public:
  enum TMode { OpenRead, CreateWrite };  // CreateWrite creates or truncates the file
  TFileStream(const std::string& path, TMode mode);

  bool IsOpen() const { return handle_.Valid(); }

  long long Seek(long long offset, core::TSeekOrigin origin) override;
  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;

 private:
  TFileHandle handle_;
};
