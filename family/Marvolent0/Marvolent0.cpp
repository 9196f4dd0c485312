// Marvolent0.dll: the family's settings library. It reads a plain INI file into memory
// and hands it to the caller's TStreamIniFile as a stream of its own; the only code of the
// caller that it runs is that object's virtual LoadFromStream.
#include <windows.h>

#include <string>

#include "FamilyHandles.h"
#include "Marvolent0Api.h"
#include "core/IniStream.h"
#include "core/Stream.h"

namespace {

// News and settings files are small; anything larger is not one of them.
const DWORD kMaxFileSize = 16u << 20;

bool ReadWholeFile(const char* path, std::string& bytes) {
  // Closed on every way out, the throw of an allocation included.
  family::TFileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD high = 0;
  DWORD size = GetFileSize(file.Get(), &high);
  bool ok = size != INVALID_FILE_SIZE && high == 0 && size <= kMaxFileSize;
  if (ok) {
    bytes.resize(size);
    DWORD done = 0;
    ok = size == 0 || (ReadFile(file.Get(), &bytes[0], size, &done, nullptr) && done == size);
  }
  return ok;
}

}  // namespace

extern "C" bool MARVOLENT0_CALL GetMemIniFile(const char* path, TStreamIniFile** ini) {
  try {
    if (!path || !ini || !*ini) return false;
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return false;
    core::TMemoryStream stream(std::move(bytes));
    return (*ini)->LoadFromStream(&stream);
  } catch (...) {
    return false;
  }
}
