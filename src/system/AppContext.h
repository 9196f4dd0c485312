// The process-wide values of one run: created at start-up, swapped by tests.
#pragma once
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "system/OrvGetOSInfo.h"

// Case-insensitive (ASCII letters) ordering for path sets.
struct TPathLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

struct TAppContext {
  std::unique_ptr<TOrvOSInfo> OSInfo;
  // Interface font defaults handed to every form.
  int UIFontHeight = -12;
  unsigned char UIFontCharset = 134;  // GB2312_CHARSET
  std::string IEExePath;

  // Folders, filled when the main window is created; empty when unavailable.
  std::string ProgramDir;  // folder of the executable, with its trailing backslash
  std::string WindowsDir;
  std::string SystemDir;
  std::string TempDir;  // with its trailing backslash
  std::string ProgFilesDir;
  std::string ProgFiles64Dir;
  std::string CommonFilesDir;
  std::string CommonFiles64Dir;
  std::string AppDataDir;
  std::string UserProfileDir;
  void* DesktopWindow = nullptr;  // owner of special-folder queries
  std::string RegBakDir;
  std::string RegRestoreDir;
  std::vector<std::string> PathDirs;
  // Files scheduled for deletion at restart; scanners treat them as gone.
  std::set<std::string, TPathLess> PendingDeleteFiles;

  // 64-bit Windows, where the registry has two views (a 32-bit process under WOW64, or a
  // 64-bit process); false before the OS information exists.
  bool IsWow64() const { return OSInfo && OSInfo->IsWow64; }
  int MajorVersion() const { return OSInfo ? OSInfo->MajorVersion : 0; }
};

// The context of this process. Tests may install their own with SetAppContext.
TAppContext& AppContext();

// Installs ctx as the process context and returns the previous one (never null).
TAppContext* SetAppContext(TAppContext* ctx);
