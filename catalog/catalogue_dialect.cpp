#include "catalog/catalogue_dialect.h"

#include <sql.h>
#include <sqlext.h>

#include "catalog/odbc_diagnostics.h"
#include "platform/ini_syntax.h"

namespace catalog {

std::string DbmsName(OdbcConnection& connection) {
    if (!connection.IsOpen()) throw DatabaseError("The catalogue connection is not open", "08003");
    SQLCHAR name[128] = {};
    SQLSMALLINT length = 0;
    detail::Check(SQLGetInfo(connection.handle(), SQL_DBMS_NAME, name, sizeof name, &length),
                  SQL_HANDLE_DBC, connection.handle(), "SQLGetInfo failed");
    return reinterpret_cast<const char*>(name);
}

CatalogueDialect DetectCatalogueDialect(OdbcConnection& connection) {
    const std::string dbms = DbmsName(connection);
    if (platform::EqualsNoCase(dbms, "SQLite")) return CatalogueDialect::SQLite;
    if (platform::EqualsNoCase(dbms, "PostgreSQL")) return CatalogueDialect::PostgreSQL;
    throw DatabaseError("The catalogue's database is " + (dbms.empty() ? "unnamed" : dbms) +
                            "; the tables can be created on SQLite or PostgreSQL only",
                        "HYC00");
}

}  // namespace catalog
