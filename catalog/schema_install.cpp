#include "catalog/schema_install.h"

#include <algorithm>
#include <sstream>

#include "catalog/catalogue_dialect.h"
#include "catalog/database_error.h"
#include "catalog/odbc_statement.h"
#include "catalog/source_listing.h"
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

std::vector<std::string> ExistingRecordTables(OdbcConnection& connection) {
    std::vector<std::string> existing;
    for (const char* table : kRecordTables)
        if (CatalogueTableExists(connection, table)) existing.emplace_back(table);
    return existing;
}

namespace {

// The name after a leading "CREATE TABLE", or "" for any other statement.
std::string CreatedTable(std::string_view sql) {
    std::istringstream words{std::string(sql)};
    std::string create, table, name;
    words >> create >> table >> name;
    if (!platform::EqualsNoCase(create, "CREATE") || !platform::EqualsNoCase(table, "TABLE"))
        return {};
    return name.substr(0, name.find('('));
}

}  // namespace

std::vector<std::string> StatementsCreating(std::string_view script,
                                            const std::vector<std::string>& tables) {
    std::vector<std::string> chosen;
    for (std::string& sql : SplitSqlStatements(script)) {
        const std::string name = CreatedTable(sql);
        for (const std::string& table : tables)
            if (platform::EqualsNoCase(name, table)) chosen.push_back(std::move(sql));
    }
    return chosen;
}

void InstallSchema(OdbcConnection& connection, std::string_view script) {
    InstallStatements(connection, SplitSqlStatements(script));
}

void InstallStatements(OdbcConnection& connection, const std::vector<std::string>& statements) {
    TransactionGuard transaction(connection);
    OdbcStatement statement(connection);
    for (const std::string& sql : statements) {
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
    for (std::string& table : ExistingRecordTables(connection))
        result.existing.push_back(std::move(table));
    if (ListingTableExists(connection)) result.existing.emplace_back(kListingTable);
    if (!result.existing.empty()) return result;
    InstallSchema(connection, SchemaScript(dialect));
    result.created = true;
    return result;
}

SchemaUpgradeResult UpgradeCatalogueSchema(OdbcConnection& connection) {
    SchemaUpgradeResult result;
    const CatalogueDialect dialect = DetectCatalogueDialect(connection);
    result.existing = ExistingRecordTables(connection);
    const bool wholeRecord = result.existing.size() == kRecordTables.size();
    if (ListingTableExists(connection)) result.existing.emplace_back(kListingTable);
    const std::vector<std::string> base = ExistingCatalogueTables(connection);
    for (const char* table : kCatalogueTables)
        if (std::find(base.begin(), base.end(), table) == base.end())
            result.missingBase.emplace_back(table);
    if (!result.missingBase.empty()) return result;
    if (result.existing.empty())
        result.created = {kRecordTables.begin(), kRecordTables.end()};
    else if (wholeRecord && result.existing.size() == kRecordTables.size())
        result.existing.clear();  // a record from before the listings: only they are added
    else
        return result;
    result.created.emplace_back(kListingTable);
    InstallStatements(connection, StatementsCreating(SchemaScript(dialect), result.created));
    result.upgraded = true;
    return result;
}

}  // namespace catalog
