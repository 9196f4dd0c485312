// The Firefox and Chrome items of the cleaning tree: their running-browser guards, their
// scans, and the clean of their database rows.
#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "items/ItemHandlers.h"

// What the browser items learn during a scan: the browser was found not running (its
// main item asked the user to close it, or it was not running at all), so the form and
// password items need not look again. Forgotten when a scan starts.
struct TBrowserMarks {
  bool FirefoxFree = false;
  bool ChromeFree = false;
};

std::shared_ptr<TBrowserMarks> RegisterBrowserHandlers(THandlerTable& table);

// Deletes the rows of one database file together (pairs of table and condition); false
// when the file could not be changed (locked, read-only, damaged), which leaves it as it was.
bool DeleteDatabaseRows(const std::string& database, const std::vector<std::pair<std::string, std::string>>& rows);

// The remover of database findings (Caption the file, Name the table, Root the condition):
// each file's rows go together or not at all.
void RemoveDatabaseRows(TRemoval& removal);
