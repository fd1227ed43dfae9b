// Turning a failed ODBC call into catalog::DatabaseError (internal to catalog/).
#pragma once

#include <sql.h>

#include "catalog/database_error.h"

namespace catalog::detail {

// The diagnostic records of a handle: their texts joined by line feeds, and
// the SQLSTATE of the first. fallback is used when the driver left none.
DatabaseError DiagnosticsOf(SQLSMALLINT handleType, SQLHANDLE handle, const char* fallback);

// Raises DiagnosticsOf(...) unless rc reports success (with or without info).
void Check(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, const char* what);

}  // namespace catalog::detail
