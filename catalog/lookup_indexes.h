// The indexes the converter's row lookups need. Without them every replace of
// a FILELIST or eventlist row scans the whole table, and a large catalogue
// makes each trace row cost tens of milliseconds.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "catalog/odbc_connection.h"

namespace catalog {

struct LookupIndex {
    const char* table;
    const char* name;                  // the name CreateIndexStatement gives it
    std::vector<const char*> columns;  // the lookup's key columns
};

// FILELIST by CPATH; eventlist by station and start.
const std::array<LookupIndex, 2>& LookupIndexes();

// "CREATE INDEX <name> ON <table> (<columns>)".
std::string CreateIndexStatement(const LookupIndex& index);

// Whether an index with these columns, in this order, serves a lookup on
// key: its leading columns are the key's columns in any order (case folded).
bool IndexServesLookup(const std::vector<std::string>& indexColumns,
                       const std::vector<const char*>& key);

// The lookup indexes that the tables of existingTables lack, asked of the
// driver through SQLStatistics (a key or unique constraint's index counts).
// Tables not named there are left out. Raises DatabaseError.
std::vector<LookupIndex> MissingLookupIndexes(OdbcConnection& connection,
                                              const std::vector<std::string>& existingTables);

// Creates the given indexes in one transaction. Raises DatabaseError.
void AddLookupIndexes(OdbcConnection& connection, const std::vector<LookupIndex>& indexes);

}  // namespace catalog
