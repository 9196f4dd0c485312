// A Marvolent.set of a test's own: a temporary folder installed as the program's folder
// for the test's lifetime, and raw access to the file's bytes.
#pragma once
#include <windows.h>

#include <string>

#include "helpers/TempFolder.h"
#include "system/AppContext.h"
#include "system/WideText.h"

inline bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) && done == bytes.size();
  CloseHandle(h);
  return ok;
}

// The file's bytes; "<missing>" when it does not exist.
inline std::string ReadFileBytes(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(GetFileSize(h, nullptr), '\0');
  DWORD done = 0;
  if (!bytes.empty()) ReadFile(h, &bytes[0], static_cast<DWORD>(bytes.size()), &done, nullptr);
  CloseHandle(h);
  bytes.resize(done);
  return bytes;
}

class TSettingsFolder {
 public:
  TSettingsFolder() {
    context_.ProgramDir = GbkFromWide(folder_.Path()) + "\\";
    previous_ = SetAppContext(&context_);
  }
  ~TSettingsFolder() { SetAppContext(previous_); }
  TSettingsFolder(const TSettingsFolder&) = delete;
  TSettingsFolder& operator=(const TSettingsFolder&) = delete;

  const std::string& Dir() const { return context_.ProgramDir; }
  std::string SettingsPath() const { return Dir() + "Marvolent.set"; }
  std::string Bytes() const { return ReadFileBytes(SettingsPath()); }
  bool SetBytes(const std::string& bytes) const { return WriteFileBytes(SettingsPath(), bytes); }

 private:
  TTempFolder folder_;
  TAppContext context_;
  TAppContext* previous_ = nullptr;
};
