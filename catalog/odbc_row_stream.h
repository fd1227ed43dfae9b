// The rows of an executed statement, fetched a block at a time: every column
// bound to an array, one driver call per block instead of one per cell.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "catalog/odbc_statement.h"
#include "catalog/sql_value.h"

namespace catalog {

struct RowBlockShape {
    std::size_t rows = 256;  // 0: no bound columns, every cell asked for
    // Bytes bound per text cell; 0: from the column's declared size. A longer
    // value is read again whole, never cut.
    std::size_t textBytes = 0;
};

class OdbcRowStream {
public:
    // statement: executed, its result not fetched yet; types: how columns
    // 1.. are read, as OdbcStatement::Get reads them. A driver that refuses
    // bound arrays is read cell by cell. Raises DatabaseError.
    OdbcRowStream(OdbcStatement& statement, std::vector<SqlType> types, RowBlockShape shape = {});
    ~OdbcRowStream();
    OdbcRowStream(const OdbcRowStream&) = delete;
    OdbcRowStream& operator=(const OdbcRowStream&) = delete;

    // The next row (std::monostate for NULL), valid until the next call;
    // nullptr after the last. Raises DatabaseError.
    const std::vector<SqlValue>* Next();
    // Rows per driver call: 0 when read cell by cell.
    std::size_t RowsPerFetch() const;

private:
    struct Block;
    bool FetchBlock();
    void ReadRow(std::size_t index);

    OdbcStatement& statement_;
    std::vector<SqlType> types_;
    std::unique_ptr<Block> block_;  // null: one row at a time
    std::vector<SqlValue> row_;
};

}  // namespace catalog
