#include "catalog/lookup_indexes.h"

#include <algorithm>
#include <map>
#include <string>

#include "catalog/odbc_statement.h"
#include "catalog/transaction_guard.h"
#include "platform/ini_syntax.h"

namespace catalog {

namespace {

// SQLStatistics result columns.
constexpr int kIndexNameColumn = 6;
constexpr int kOrdinalColumn = 8;
constexpr int kColumnNameColumn = 9;

// Index name -> its columns in key order, for one table.
std::map<std::string, std::vector<std::string>> IndexesOf(OdbcConnection& connection,
                                                          const char* table) {
    std::map<std::string, std::map<int, std::string>> byPosition;
    OdbcStatement statement(connection);
    statement.ListIndexColumns(table);
    while (statement.Fetch()) {
        // The row that describes the table itself has no index name.
        const SqlValue name = statement.Get(kIndexNameColumn, SqlType::Text);
        const SqlValue position = statement.Get(kOrdinalColumn, SqlType::Integer);
        const SqlValue column = statement.Get(kColumnNameColumn, SqlType::Text);
        if (!std::holds_alternative<std::string>(name) ||
            !std::holds_alternative<std::int32_t>(position) ||
            !std::holds_alternative<std::string>(column))
            continue;
        byPosition[std::get<std::string>(name)][std::get<std::int32_t>(position)] =
            std::get<std::string>(column);
    }
    std::map<std::string, std::vector<std::string>> indexes;
    for (auto& [name, columns] : byPosition)
        for (auto& [position, column] : columns) indexes[name].push_back(column);
    return indexes;
}

}  // namespace

const std::array<LookupIndex, 2>& LookupIndexes() {
    static const std::array<LookupIndex, 2> indexes = {
        LookupIndex{"FILELIST", "filelist_cpath", {"CPATH"}},
        LookupIndex{"eventlist", "eventlist_sta_tbegin", {"sta", "tbegin"}},
    };
    return indexes;
}

std::string CreateIndexStatement(const LookupIndex& index) {
    std::string sql = std::string("CREATE INDEX ") + index.name + " ON " + index.table + " (";
    for (std::size_t i = 0; i < index.columns.size(); ++i)
        sql += (i ? ", " : "") + std::string(index.columns[i]);
    return sql + ")";
}

bool IndexServesLookup(const std::vector<std::string>& indexColumns,
                       const std::vector<const char*>& key) {
    if (key.empty() || indexColumns.size() < key.size()) return false;
    return std::all_of(key.begin(), key.end(), [&](const char* wanted) {
        return std::any_of(indexColumns.begin(), indexColumns.begin() + key.size(),
                           [&](const std::string& c) { return platform::EqualsNoCase(c, wanted); });
    });
}

std::vector<LookupIndex> MissingLookupIndexes(OdbcConnection& connection,
                                              const std::vector<std::string>& existingTables) {
    std::vector<LookupIndex> missing;
    for (const LookupIndex& lookup : LookupIndexes()) {
        if (std::find(existingTables.begin(), existingTables.end(), lookup.table) ==
            existingTables.end())
            continue;
        const auto indexes = IndexesOf(connection, lookup.table);
        if (std::none_of(indexes.begin(), indexes.end(), [&](const auto& index) {
                return IndexServesLookup(index.second, lookup.columns);
            }))
            missing.push_back(lookup);
    }
    return missing;
}

void AddLookupIndexes(OdbcConnection& connection, const std::vector<LookupIndex>& indexes) {
    if (indexes.empty()) return;
    TransactionGuard transaction(connection);
    OdbcStatement statement(connection);
    for (const LookupIndex& index : indexes) statement.Execute(CreateIndexStatement(index));
    transaction.Commit();
}

}  // namespace catalog
