#include "catalog/odbc_row_stream.h"

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "catalog/odbc_connection.h"
#include "catalog/odbc_diagnostics.h"
#include "platform/text_encoding.h"

namespace catalog {

namespace {

// One column's cells of a block, bound column-wise.
struct BoundColumn {
    SQLSMALLINT cType = SQL_C_CHAR;
    SQLLEN width = 0;               // bytes of one cell, a text's NUL included
    std::unique_ptr<char[]> cells;  // written by the driver before it is read
    std::vector<SQLLEN> indicators;
};

// Texts of the catalogue are short names and paths; a longer declared size
// (or none) is not worth binding in full for every row of a block.
constexpr SQLULEN kMaxDeclaredChars = 1024;
// UTF-8 takes two bytes for a Cyrillic letter.
constexpr SQLULEN kBytesPerChar = 2;
// A block's cells together: enough rows to make the driver calls cheap, few
// enough that a short result does not pay for a large allocation.
constexpr std::size_t kBlockBytes = 256 * 1024;

void Restore(SQLHSTMT stmt) {
    SQLFreeStmt(stmt, SQL_UNBIND);
    SQLSetStmtAttr(stmt, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(1), 0);
    SQLSetStmtAttr(stmt, SQL_ATTR_ROW_STATUS_PTR, nullptr, 0);
    SQLSetStmtAttr(stmt, SQL_ATTR_ROWS_FETCHED_PTR, nullptr, 0);
}

SQLLEN TextWidth(SQLHSTMT stmt, SQLUSMALLINT number, std::size_t textBytes) {
    if (textBytes > 0) return static_cast<SQLLEN>(textBytes + 1);
    SQLSMALLINT dataType = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    if (!SQL_SUCCEEDED(SQLDescribeCol(stmt, number, nullptr, 0, nullptr, &dataType, &size, &digits,
                                      &nullable)) ||
        size == 0 || size > kMaxDeclaredChars)
        size = kMaxDeclaredChars;
    return static_cast<SQLLEN>(size * kBytesPerChar + 1);
}

BoundColumn ColumnFor(SQLHSTMT stmt, SQLUSMALLINT number, SqlType type, std::size_t textBytes) {
    BoundColumn column;
    switch (type) {
        case SqlType::Integer:
            column.cType = SQL_C_SLONG;
            column.width = sizeof(SQLINTEGER);
            break;
        case SqlType::BigInt:
            column.cType = SQL_C_SBIGINT;
            column.width = sizeof(SQLBIGINT);
            break;
        case SqlType::Double:
            column.cType = SQL_C_DOUBLE;
            column.width = sizeof(double);
            break;
        case SqlType::Timestamp:
            column.cType = SQL_C_TYPE_TIMESTAMP;
            column.width = sizeof(SQL_TIMESTAMP_STRUCT);
            break;
        case SqlType::Text:
            column.cType = SQL_C_CHAR;
            column.width = TextWidth(stmt, number, textBytes);
            break;
    }
    return column;
}

template <class T>
T CellAs(const char* cell) {
    T value;
    std::memcpy(&value, cell, sizeof value);
    return value;
}

}  // namespace

struct OdbcRowStream::Block {
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    std::vector<BoundColumn> columns;
    std::vector<SQLUSMALLINT> status;
    SQLULEN fetched = 0;
    std::size_t next = 0;
    bool done = false;

    // Binds every column to its array and asks for rows blocks at a time;
    // false, with nothing left bound, when the driver refuses any of it.
    bool Bind(const std::vector<SqlType>& types, std::size_t rows, std::size_t textBytes) {
        std::size_t rowBytes = 0;
        for (std::size_t c = 0; c < types.size(); ++c) {
            columns.push_back(
                ColumnFor(stmt, static_cast<SQLUSMALLINT>(c + 1), types[c], textBytes));
            rowBytes += static_cast<std::size_t>(columns.back().width);
        }
        rows = std::clamp<std::size_t>(kBlockBytes / std::max<std::size_t>(rowBytes, 1), 1, rows);
        if (!SQL_SUCCEEDED(SQLSetStmtAttr(stmt, SQL_ATTR_ROW_BIND_TYPE,
                                          reinterpret_cast<SQLPOINTER>(SQL_BIND_BY_COLUMN), 0)) ||
            !SQL_SUCCEEDED(SQLSetStmtAttr(stmt, SQL_ATTR_ROW_ARRAY_SIZE,
                                          reinterpret_cast<SQLPOINTER>(rows), 0)))
            return false;
        // A driver may grant fewer rows than asked for (01S02).
        SQLULEN granted = 0;
        if (!SQL_SUCCEEDED(SQLGetStmtAttr(stmt, SQL_ATTR_ROW_ARRAY_SIZE, &granted, 0, nullptr)) ||
            granted < 1 || granted > rows)
            return false;
        status.assign(granted, SQL_ROW_NOROW);
        if (!SQL_SUCCEEDED(SQLSetStmtAttr(stmt, SQL_ATTR_ROW_STATUS_PTR, status.data(), 0)) ||
            !SQL_SUCCEEDED(SQLSetStmtAttr(stmt, SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0)))
            return false;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            BoundColumn& column = columns[c];
            column.cells = std::make_unique_for_overwrite<char[]>(
                granted * static_cast<std::size_t>(column.width));
            column.indicators.assign(granted, 0);
            if (!SQL_SUCCEEDED(SQLBindCol(stmt, static_cast<SQLUSMALLINT>(c + 1), column.cType,
                                          column.cells.get(), column.width,
                                          column.indicators.data())))
                return false;
        }
        return true;
    }
};

OdbcRowStream::OdbcRowStream(OdbcStatement& statement, std::vector<SqlType> types,
                             RowBlockShape shape)
    : statement_(statement), types_(std::move(types)), row_(types_.size()) {
    if (shape.rows == 0) return;
    auto block = std::make_unique<Block>();
    block->stmt = statement_.stmt_;
    // A cell longer than its buffer is read again from its row; a driver that
    // cannot go back to a row of a block gets blocks of one row.
    const std::size_t rows = statement_.connection_.GetsDataInBlocks() ? shape.rows : 1;
    if (!block->Bind(types_, rows, shape.textBytes)) {
        Restore(block->stmt);
        return;
    }
    block_ = std::move(block);
}

std::size_t OdbcRowStream::RowsPerFetch() const { return block_ ? block_->status.size() : 0; }

OdbcRowStream::~OdbcRowStream() {
    if (block_) Restore(block_->stmt);
}

bool OdbcRowStream::FetchBlock() {
    Block& b = *block_;
    b.next = 0;
    b.fetched = 0;
    if (b.done) return false;
    const SQLRETURN rc = SQLFetch(b.stmt);
    if (rc == SQL_NO_DATA) {
        b.done = true;
        return false;
    }
    // SQL_SUCCESS_WITH_INFO may be a text cut to its cell (01004): each such
    // cell is told by its indicator and read again in ReadRow.
    detail::Check(rc, SQL_HANDLE_STMT, b.stmt, "SQLFetch failed");
    return true;
}

void OdbcRowStream::ReadRow(std::size_t index) {
    Block& b = *block_;
    bool positioned = false;
    for (std::size_t c = 0; c < types_.size(); ++c) {
        const BoundColumn& column = b.columns[c];
        const SQLLEN indicator = column.indicators[index];
        if (indicator == SQL_NULL_DATA) {
            row_[c] = std::monostate{};
            continue;
        }
        const char* cell = column.cells.get() + index * static_cast<std::size_t>(column.width);
        switch (types_[c]) {
            case SqlType::Integer:
                row_[c] = static_cast<std::int32_t>(CellAs<SQLINTEGER>(cell));
                break;
            case SqlType::BigInt:
                row_[c] = static_cast<std::int64_t>(CellAs<SQLBIGINT>(cell));
                break;
            case SqlType::Double:
                row_[c] = CellAs<double>(cell);
                break;
            case SqlType::Timestamp: {
                const auto t = CellAs<SQL_TIMESTAMP_STRUCT>(cell);
                row_[c] = Timestamp{t.year, t.month, t.day, t.hour, t.minute, t.second};
                break;
            }
            case SqlType::Text:
                if (indicator != SQL_NO_TOTAL && indicator < column.width) {
                    row_[c] = platform::Text8ToUtf8(
                        std::string_view(cell, static_cast<std::size_t>(indicator)));
                    break;
                }
                // Longer than its cell: the whole value, read on its own.
                if (!positioned && b.status.size() > 1)
                    detail::Check(SQLSetPos(b.stmt, static_cast<SQLSETPOSIROW>(index + 1),
                                            SQL_POSITION, SQL_LOCK_NO_CHANGE),
                                  SQL_HANDLE_STMT, b.stmt, "SQLSetPos failed");
                positioned = true;
                row_[c] = statement_.Get(static_cast<int>(c + 1), SqlType::Text);
                break;
        }
    }
}

const std::vector<SqlValue>* OdbcRowStream::Next() {
    if (!block_) {
        if (!statement_.Fetch()) return nullptr;
        for (std::size_t c = 0; c < types_.size(); ++c)
            row_[c] = statement_.Get(static_cast<int>(c + 1), types_[c]);
        return &row_;
    }
    Block& b = *block_;
    for (;;) {
        while (b.next < b.fetched) {
            const std::size_t index = b.next++;
            const SQLUSMALLINT status = b.status[index];
            if (status == SQL_ROW_ERROR)
                throw detail::DiagnosticsOf(SQL_HANDLE_STMT, b.stmt, "A row could not be fetched");
            if (status != SQL_ROW_SUCCESS && status != SQL_ROW_SUCCESS_WITH_INFO) continue;
            ReadRow(index);
            return &row_;
        }
        if (!FetchBlock()) return nullptr;
    }
}

}  // namespace catalog
