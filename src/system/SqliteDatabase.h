// The program's one way to SQLite databases: a connection opened for one use and closed
// again, a bounded wait on a busy database, table names from the schema, row tests and
// deletes in one transaction. Names and paths are code page 936 on our side, UTF-8 on
// SQLite's. Nothing here throws or shows a message.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct sqlite3;

// How long a statement waits for a database another program holds locked.
const int kSqliteBusyTimeoutMs = 2000;

// A table name as an SQL identifier: in double quotes, inner quotes doubled, so a name
// read from a database file can never end the statement.
std::string QuoteIdentifier(const std::string& name);

enum class TRowTest { Rows, NoRows, Failed };

class TSqliteDatabase {
 public:
  TSqliteDatabase() = default;
  ~TSqliteDatabase() { Close(); }
  TSqliteDatabase(const TSqliteDatabase&) = delete;
  TSqliteDatabase& operator=(const TSqliteDatabase&) = delete;

  // Opens an existing file (never creates one), read-only unless writable; an earlier
  // connection is closed first. False when the file cannot be opened.
  bool Open(const std::string& path, bool writable);
  void Close();

  // The names of the schema's tables (type "table"), sorted by name; false on any error
  // (not a database, locked too long, damaged).
  bool TableNames(std::vector<std::string>& names);
  // Whether "select from table [where condition]" has a row. The condition is one of the
  // program's own constants.
  TRowTest HasRows(const std::string& table, const std::string& condition);
  // Deletes "from table [where condition]" for every pair, all in one transaction: either
  // every delete happened or none did (false).
  bool DeleteRows(const std::vector<std::pair<std::string, std::string>>& tableConditions);

 private:
  bool Execute(const std::string& sql);
  sqlite3* db_ = nullptr;
};
