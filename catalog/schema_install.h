// Creating the catalogue's tables on an empty database. The converter itself
// never does this: it is the administrator's `catalogue init`.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/odbc_connection.h"

namespace catalog {

// The three tables the converter reads and writes, as its SQL names them.
inline constexpr std::array<const char*, 3> kCatalogueTables = {"eventlist", "sitechan",
                                                                "FILELIST"};

// Whether the connection sees a table or view of that name (SQLTables;
// compared without regard to case, as unquoted SQL names are).
bool CatalogueTableExists(OdbcConnection& connection, std::string_view table);

// Those of kCatalogueTables that exist, in that order.
std::vector<std::string> ExistingCatalogueTables(OdbcConnection& connection);

// Runs every statement of script in one transaction: all or nothing. Raises
// DatabaseError with the failing statement's text after rolling back.
void InstallSchema(OdbcConnection& connection, std::string_view script);

struct SchemaInitResult {
    bool created = false;
    std::vector<std::string> existing;  // why not: the tables already there
};

// Creates the tables with the schema for the connection's DBMS, unless any
// of them exists: then nothing is changed. Raises DatabaseError.
SchemaInitResult InitCatalogueSchema(OdbcConnection& connection);

}  // namespace catalog
