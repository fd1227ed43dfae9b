// Running a schema file (catalog/schema/*.sql) through a connection.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalog/odbc_connection.h"

namespace catalog {

// The statements of a script: split at ";" outside string literals, quoted
// names and "--" comments; comments and blank statements dropped.
std::vector<std::string> SplitSqlStatements(std::string_view script);

// Executes the statements one by one (drivers run one statement per call).
// Raises DatabaseError at the first that fails.
void ExecuteSqlScript(OdbcConnection& connection, std::string_view script);

}  // namespace catalog
