// The seeder's small writers: folders, files, databases and registry values of the demo
// Windows, and their removal. Failures are ignored: a trace that cannot be planted is
// simply not found later.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>

#include "sqlite3.h"

namespace seed {

inline std::string SpecialFolder(int csidl) {
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, csidl, TRUE);
  return path;
}

inline void Dirs(const std::string& path) { SHCreateDirectoryExA(nullptr, path.c_str(), nullptr); }

inline void File(const std::string& path, const std::string& text) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD done = 0;
  WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
  CloseHandle(h);
}

// The demo's paths are ASCII, so they pass to SQLite as they are.
inline void Database(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  if (sqlite3_open(path.c_str(), &db) == SQLITE_OK) sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

inline void Value(HKEY root, const std::string& key, const char* name, const std::string& text) {
  HKEY h = nullptr;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) != ERROR_SUCCESS) return;
  RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(text.size() + 1));
  RegCloseKey(h);
}

inline void Number(const std::string& key, const char* name, DWORD value) {
  HKEY h = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(h, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(h);
}

// A folder with everything in it, deleted for good (not into the recycle bin).
inline void RemoveFolder(const std::string& folder) {
  std::string from = folder + '\0';
  SHFILEOPSTRUCTA op = {};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  SHFileOperationA(&op);
}

}  // namespace seed
