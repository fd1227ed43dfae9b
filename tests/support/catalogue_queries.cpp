#include "tests/support/catalogue_queries.h"

#include "catalog/catalogue.h"
#include "catalog/odbc_statement.h"

namespace testing_support {

void ExecuteOnCatalogue(const std::string& sql, const std::vector<catalog::SqlValue>& params) {
    catalog::OdbcStatement statement(theDatabase);
    statement.Execute(sql, params);
}

std::vector<Row> QueryCatalogue(const std::string& sql, const std::vector<catalog::SqlType>& types,
                                const std::vector<catalog::SqlValue>& params) {
    catalog::OdbcStatement statement(theDatabase);
    statement.Execute(sql, params);
    std::vector<Row> rows;
    while (statement.Fetch()) {
        Row row;
        for (std::size_t i = 0; i < types.size(); ++i)
            row.push_back(statement.Get(static_cast<int>(i + 1), types[i]));
        rows.push_back(std::move(row));
    }
    return rows;
}

int CountRows(const std::string& table, const std::string& where,
              const std::vector<catalog::SqlValue>& params) {
    std::string sql = "SELECT COUNT(*) FROM " + table;
    if (!where.empty()) sql += " WHERE " + where;
    auto rows = QueryCatalogue(sql, {catalog::SqlType::Integer}, params);
    return std::get<std::int32_t>(rows.at(0).at(0));
}

}  // namespace testing_support
