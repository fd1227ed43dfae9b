// One statement on an open connection: run SQL with bound parameters, fetch.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/sql_value.h"

namespace catalog {

class OdbcConnection;

class OdbcStatement {
public:
    // Raises DatabaseError when the connection is closed.
    explicit OdbcStatement(OdbcConnection& connection);
    ~OdbcStatement();
    OdbcStatement(const OdbcStatement&) = delete;
    OdbcStatement& operator=(const OdbcStatement&) = delete;

    // Runs sql with params bound, in order, to its "?" markers (values, never
    // text spliced into the SQL). Closes a previous result first. Texts go
    // out and come back as UTF-8, the catalogue's encoding: 8-bit texts that
    // are not UTF-8 are read as code page 1251 (platform/text_encoding.h).
    void Execute(std::string_view sql, const std::vector<SqlValue>& params = {});
    // Prepares sql once; ExecutePrepared then runs it with each set of params.
    void Prepare(std::string_view sql);
    void ExecutePrepared(const std::vector<SqlValue>& params);
    // The driver's catalogue functions, read with Fetch and Get like a query.
    // SQLTables: the tables and views named `table` that the connection sees
    // (TABLE_NAME is column 3). SQLStatistics: the index columns of `table`
    // (INDEX_NAME column 6, ORDINAL_POSITION 8, COLUMN_NAME 9).
    void ListTables(std::string_view table);
    void ListIndexColumns(std::string_view table);
    // Advances to the next row of the result; false after the last.
    bool Fetch();
    // Column 1.. of the current row as type; std::monostate for NULL.
    SqlValue Get(int column, SqlType type);
    // Rows that the last INSERT, UPDATE or DELETE touched.
    std::int64_t AffectedRows();

private:
    friend class OdbcRowStream;  // binds the result's columns to its arrays
    struct Parameters;           // bound values kept alive until the next Execute
    void CloseCursor();
    void BindAll(const std::vector<SqlValue>& params);
    void CheckExecuted(long rc);

    OdbcConnection& connection_;
    void* stmt_ = nullptr;  // the SQLHSTMT
    std::unique_ptr<Parameters> params_;
};

}  // namespace catalog
