// The check at the start of a batch run and in `config`: does the catalogue
// have the converter's tables, and the indexes its row lookups need?
#pragma once

#include <cstdio>

#include "catalog/odbc_connection.h"

namespace cli {

// One warning line on out for the missing tables and one for each missing
// index, naming the statement that adds it. Never raises: a driver that
// cannot answer gets one line too. Returns the number of lines written.
int WarnAboutCatalogue(catalog::OdbcConnection& connection, std::FILE* out);

}  // namespace cli
