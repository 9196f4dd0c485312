// Browser databases for tests, made with SQLite from the schema statements the browsers
// of those years published, and read back from outside the program's own layer.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "sqlite3.h"
#include "system/WideText.h"
#include "tools/seeder/BrowserSchemas.h"

namespace sqlfixture {

using namespace browserschema;

inline std::string Utf8(const std::string& gbk) {
  const std::wstring w = WideFromGbk(gbk);
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, &out[0], n, nullptr, nullptr);
  return out;
}

// Runs the statements on the database file, creating it; false on any error.
inline bool Exec(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  bool ok = sqlite3_open(Utf8(path).c_str(), &db) == SQLITE_OK &&
            sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(db);
  return ok;
}

// The number from a "select count(*) ..." (or any one-value query); -1 on error.
inline int64_t Number(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  sqlite3_stmt* stmt = nullptr;
  int64_t value = -1;
  if (sqlite3_open_v2(Utf8(path).c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
      sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
    value = sqlite3_column_int64(stmt, 0);
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  return value;
}

inline std::string Integrity(const std::string& path) {
  sqlite3* db = nullptr;
  sqlite3_stmt* stmt = nullptr;
  std::string result;
  if (sqlite3_open_v2(Utf8(path).c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
      sqlite3_prepare_v2(db, "pragma integrity_check", -1, &stmt, nullptr) == SQLITE_OK &&
      sqlite3_step(stmt) == SQLITE_ROW)
    result = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  return result;
}

}  // namespace sqlfixture
