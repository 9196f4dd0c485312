// The Firefox and Chrome items of the cleaning tree: their running-browser guards, their
// scans, and the clean of their database rows.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "items/ItemHandlers.h"
#include "items/RunState.h"

void RegisterBrowserHandlers(THandlerTable& table, TRunState& state);

// Deletes the rows of one database file together (pairs of table and condition); false
// when the file could not be changed (locked, read-only, damaged), which leaves it as it was.
bool DeleteDatabaseRows(const std::string& database, const std::vector<std::pair<std::string, std::string>>& rows);
