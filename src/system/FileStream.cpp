#include "system/FileStream.h"

TFileStream::TFileStream(const std::string& path, TMode mode)
    : handle_(mode == OpenRead ? CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                               : CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {}

long long TFileStream::Seek(long long offset, core::TSeekOrigin origin) {
  if (!IsOpen()) return -1;
  DWORD method = origin == core::SeekBegin ? FILE_BEGIN : origin == core::SeekCurrent ? FILE_CURRENT : FILE_END;
  // SetFilePointerEx is newer than Windows 2000.
  LONG high = static_cast<LONG>(offset >> 32);
  SetLastError(NO_ERROR);
  DWORD low = SetFilePointer(handle_.Get(), static_cast<LONG>(offset & 0xFFFFFFFF), &high, method);
  if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return -1;
  return (static_cast<long long>(high) << 32) | low;
}

int TFileStream::Read(void* buffer, int count) {
  if (!IsOpen() || count < 0) return -1;
  DWORD done = 0;
  if (count > 0 && !ReadFile(handle_.Get(), buffer, static_cast<DWORD>(count), &done, nullptr)) return -1;
  return static_cast<int>(done);
}

int TFileStream::Write(const void* buffer, int count) {
  if (!IsOpen() || count < 0) return -1;
  DWORD done = 0;
  if (count > 0 && !WriteFile(handle_.Get(), buffer, static_cast<DWORD>(count), &done, nullptr)) return -1;
  return static_cast<int>(done);
}
