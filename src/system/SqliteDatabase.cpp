#include "system/SqliteDatabase.h"

#include <windows.h>

#include <algorithm>

#include "sqlite3.h"
#include "system/WideText.h"

namespace {

std::string Utf8FromWide(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

std::wstring WideFromUtf8(const char* text) {
  const int length = static_cast<int>(strlen(text));
  if (length == 0) return std::wstring();
  const int n = MultiByteToWideChar(CP_UTF8, 0, text, length, nullptr, 0);
  std::wstring out(n > 0 ? n : 0, L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text, length, &out[0], n);
  return out;
}

std::string Utf8FromGbk(const std::string& text) { return Utf8FromWide(WideFromGbk(text)); }

// A prepared statement finalised however the caller leaves.
class TStatement {
 public:
  TStatement(sqlite3* db, const std::string& utf8Sql) {
    if (sqlite3_prepare_v2(db, utf8Sql.c_str(), -1, &stmt_, nullptr) != SQLITE_OK) stmt_ = nullptr;
  }
  ~TStatement() { sqlite3_finalize(stmt_); }
  TStatement(const TStatement&) = delete;
  TStatement& operator=(const TStatement&) = delete;
  sqlite3_stmt* Get() const { return stmt_; }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

std::string Where(const std::string& condition) { return condition.empty() ? std::string() : " where " + condition; }

}  // namespace

std::string QuoteIdentifier(const std::string& name) {
  std::string quoted = "\"";
  for (char c : name) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

bool TSqliteDatabase::Open(const std::string& path, bool writable) {
  Close();
  const int flags = writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY;
  if (sqlite3_open_v2(Utf8FromGbk(path).c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    Close();
    return false;
  }
  sqlite3_busy_timeout(db_, kSqliteBusyTimeoutMs);
  return true;
}

void TSqliteDatabase::Close() {
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

bool TSqliteDatabase::TableNames(std::vector<std::string>& names) {
  names.clear();
  if (!db_) return false;
  TStatement query(db_, "select name from sqlite_master where type = 'table' order by name");
  if (!query.Get()) return false;
  int step;
  while ((step = sqlite3_step(query.Get())) == SQLITE_ROW) {
    const unsigned char* name = sqlite3_column_text(query.Get(), 0);
    if (name) names.push_back(GbkFromWide(WideFromUtf8(reinterpret_cast<const char*>(name))));
  }
  return step == SQLITE_DONE;
}

TRowTest TSqliteDatabase::HasRows(const std::string& table, const std::string& condition) {
  if (!db_) return TRowTest::Failed;
  TStatement query(db_, Utf8FromGbk("select 1 from " + QuoteIdentifier(table) + Where(condition) + " limit 1"));
  if (!query.Get()) return TRowTest::Failed;
  switch (sqlite3_step(query.Get())) {
    case SQLITE_ROW: return TRowTest::Rows;
    case SQLITE_DONE: return TRowTest::NoRows;
    default: return TRowTest::Failed;
  }
}

bool TSqliteDatabase::Execute(const std::string& sql) {
  return db_ && sqlite3_exec(db_, Utf8FromGbk(sql).c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool TSqliteDatabase::DeleteRows(const std::vector<std::pair<std::string, std::string>>& tableConditions) {
  // Immediate: the write lock is taken before the first delete, so a database that
  // another program holds fails here, untouched.
  if (!Execute("begin immediate")) return false;
  for (const auto& [table, condition] : tableConditions) {
    if (!Execute("delete from " + QuoteIdentifier(table) + Where(condition))) {
      Execute("rollback");
      return false;
    }
  }
  if (Execute("commit")) return true;
  Execute("rollback");
  return false;
}
