// Direct SQL on theDatabase for setting up and checking catalogue tests.
#pragma once

#include <string>
#include <vector>

#include "catalog/sql_value.h"

namespace testing_support {

using Row = std::vector<catalog::SqlValue>;

// Runs one statement with params bound to its "?" markers.
void ExecuteOnCatalogue(const std::string& sql, const std::vector<catalog::SqlValue>& params = {});

// The rows of a query, each column fetched as the type given for it.
std::vector<Row> QueryCatalogue(const std::string& sql, const std::vector<catalog::SqlType>& types,
                                const std::vector<catalog::SqlValue>& params = {});

// SELECT COUNT(*) FROM table [WHERE where].
int CountRows(const std::string& table, const std::string& where = "",
              const std::vector<catalog::SqlValue>& params = {});

}  // namespace testing_support
