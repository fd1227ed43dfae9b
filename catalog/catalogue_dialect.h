// Which SQL dialect the catalogue's database speaks, from its ODBC driver.
#pragma once

#include <string>
#include <string_view>

#include "catalog/odbc_connection.h"

namespace catalog {

enum class CatalogueDialect { SQLite, PostgreSQL };

// The DBMS name the driver reports (SQLGetInfo): "SQLite", "PostgreSQL"...
std::string DbmsName(OdbcConnection& connection);

// From the DBMS name the driver reports (SQLGetInfo). Raises DatabaseError
// naming the DBMS when it is neither of the two.
CatalogueDialect DetectCatalogueDialect(OdbcConnection& connection);

// The text of catalog/schema/<dialect>.sql, built into the program.
std::string_view SchemaScript(CatalogueDialect dialect);

}  // namespace catalog
