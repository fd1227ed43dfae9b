#include "catalog/schema_install.h"

#include "catalog/catalogue_dialect.h"
#include "catalog/database_error.h"
#include "catalog/odbc_statement.h"
#include "catalog/sql_script.h"
#include "catalog/transaction_guard.h"
#include "platform/ini_syntax.h"

namespace catalog {

bool CatalogueTableExists(OdbcConnection& connection, std::string_view table) {
    OdbcStatement statement(connection);
    statement.ListTables(table);
    while (statement.Fetch()) {
        const SqlValue name = statement.Get(3, SqlType::Text);
        if (const auto* text = std::get_if<std::string>(&name);
            text && platform::EqualsNoCase(*text, table))
            return true;
    }
    return false;
}

std::vector<std::string> ExistingCatalogueTables(OdbcConnection& connection) {
    std::vector<std::string> existing;
    for (const char* table : kCatalogueTables)
        if (CatalogueTableExists(connection, table)) existing.emplace_back(table);
    return existing;
}

void InstallSchema(OdbcConnection& connection, std::string_view script) {
    TransactionGuard transaction(connection);
    OdbcStatement statement(connection);
    for (const std::string& sql : SplitSqlStatements(script)) {
        try {
            statement.Execute(sql);
        } catch (const DatabaseError& error) {
            throw DatabaseError(std::string(error.what()) + "\nin: " + sql, error.sqlState());
        }
    }
    transaction.Commit();
}

SchemaInitResult InitCatalogueSchema(OdbcConnection& connection) {
    SchemaInitResult result;
    const CatalogueDialect dialect = DetectCatalogueDialect(connection);
    result.existing = ExistingCatalogueTables(connection);
    if (!result.existing.empty()) return result;
    InstallSchema(connection, SchemaScript(dialect));
    result.created = true;
    return result;
}

}  // namespace catalog
