#include "catalog/odbc_statement.h"

#include <sql.h>
#include <sqlext.h>

#include <algorithm>

#include "catalog/odbc_connection.h"
#include "catalog/odbc_diagnostics.h"
#include "platform/text_encoding.h"

namespace catalog {

struct OdbcStatement::Parameters {
    std::vector<SqlValue> values;
    std::vector<SQLLEN> indicators;
    std::vector<SQL_TIMESTAMP_STRUCT> timestamps;
};

namespace {

constexpr SQLULEN kTimestampColumnSize = 19;  // "YYYY-MM-DD hh:mm:ss"

void BindOne(SQLHSTMT stmt, SQLUSMALLINT number, SqlValue& value, SQLLEN& indicator,
             SQL_TIMESTAMP_STRUCT& timestamp) {
    SQLRETURN rc = SQL_SUCCESS;
    if (std::holds_alternative<std::monostate>(value)) {
        indicator = SQL_NULL_DATA;
        rc = SQLBindParameter(stmt, number, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 1, 0, nullptr,
                              0, &indicator);
    } else if (auto* i = std::get_if<std::int32_t>(&value)) {
        indicator = 0;
        rc = SQLBindParameter(stmt, number, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, i, 0,
                              &indicator);
    } else if (auto* l = std::get_if<std::int64_t>(&value)) {
        indicator = 0;
        rc = SQLBindParameter(stmt, number, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0, l, 0,
                              &indicator);
    } else if (auto* d = std::get_if<double>(&value)) {
        indicator = 0;
        rc = SQLBindParameter(stmt, number, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 0, 0, d, 0,
                              &indicator);
    } else if (auto* s = std::get_if<std::string>(&value)) {
        indicator = static_cast<SQLLEN>(s->size());
        rc = SQLBindParameter(stmt, number, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                              std::max<SQLULEN>(s->size(), 1), 0, s->data(), indicator, &indicator);
    } else {
        const Timestamp& t = std::get<Timestamp>(value);
        timestamp = SQL_TIMESTAMP_STRUCT{static_cast<SQLSMALLINT>(t.year),
                                         static_cast<SQLUSMALLINT>(t.month),
                                         static_cast<SQLUSMALLINT>(t.day),
                                         static_cast<SQLUSMALLINT>(t.hour),
                                         static_cast<SQLUSMALLINT>(t.minute),
                                         static_cast<SQLUSMALLINT>(t.second),
                                         0};
        indicator = sizeof timestamp;
        rc = SQLBindParameter(stmt, number, SQL_PARAM_INPUT, SQL_C_TYPE_TIMESTAMP,
                              SQL_TYPE_TIMESTAMP, kTimestampColumnSize, 0, &timestamp,
                              sizeof timestamp, &indicator);
    }
    detail::Check(rc, SQL_HANDLE_STMT, stmt, "SQLBindParameter failed");
}

std::string GetText(SQLHSTMT stmt, SQLUSMALLINT column, bool& isNull) {
    std::string text;
    char buffer[512];
    for (;;) {
        SQLLEN indicator = 0;
        SQLRETURN rc = SQLGetData(stmt, column, SQL_C_CHAR, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA) break;
        detail::Check(rc, SQL_HANDLE_STMT, stmt, "SQLGetData failed");
        if (indicator == SQL_NULL_DATA) {
            isNull = true;
            return {};
        }
        // SQL_SUCCESS_WITH_INFO here means the buffer was filled (less its NUL)
        // and more follows.
        std::size_t got = (indicator == SQL_NO_TOTAL || indicator >= SQLLEN(sizeof buffer))
                              ? sizeof buffer - 1
                              : static_cast<std::size_t>(indicator);
        text.append(buffer, got);
        if (rc == SQL_SUCCESS) break;
    }
    isNull = false;
    return platform::Text8ToUtf8(text);
}

}  // namespace

OdbcStatement::OdbcStatement(OdbcConnection& connection)
    : connection_(connection), params_(std::make_unique<Parameters>()) {
    if (!connection.IsOpen()) throw DatabaseError("The catalogue connection is not open", "08003");
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    detail::Check(SQLAllocHandle(SQL_HANDLE_STMT, connection.handle(), &stmt), SQL_HANDLE_DBC,
                  connection.handle(), "Cannot allocate an ODBC statement");
    stmt_ = stmt;
}

OdbcStatement::~OdbcStatement() { SQLFreeHandle(SQL_HANDLE_STMT, stmt_); }

void OdbcStatement::CloseCursor() {
    SQLFreeStmt(stmt_, SQL_CLOSE);
    SQLFreeStmt(stmt_, SQL_RESET_PARAMS);
}

void OdbcStatement::BindAll(const std::vector<SqlValue>& params) {
    Parameters& p = *params_;
    p.values = params;
    for (SqlValue& value : p.values)
        if (auto* text = std::get_if<std::string>(&value)) *text = platform::Text8ToUtf8(*text);
    p.indicators.assign(params.size(), 0);
    p.timestamps.assign(params.size(), SQL_TIMESTAMP_STRUCT{});
    for (std::size_t i = 0; i < params.size(); ++i)
        BindOne(stmt_, static_cast<SQLUSMALLINT>(i + 1), p.values[i], p.indicators[i],
                p.timestamps[i]);
}

void OdbcStatement::CheckExecuted(long rc) {
    // A searched DELETE or UPDATE that touches no row answers SQL_NO_DATA.
    if (rc == SQL_NO_DATA) return;
    detail::Check(static_cast<SQLRETURN>(rc), SQL_HANDLE_STMT, stmt_, "The statement failed");
}

void OdbcStatement::Execute(std::string_view sql, const std::vector<SqlValue>& params) {
    if (!params.empty()) {
        Prepare(sql);
        ExecutePrepared(params);
        return;
    }
    CloseCursor();
    std::string text(sql);
    CheckExecuted(SQLExecDirect(stmt_, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS));
}

void OdbcStatement::Prepare(std::string_view sql) {
    CloseCursor();
    std::string text(sql);
    detail::Check(SQLPrepare(stmt_, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS),
                  SQL_HANDLE_STMT, stmt_, "SQLPrepare failed");
}

void OdbcStatement::ExecutePrepared(const std::vector<SqlValue>& params) {
    CloseCursor();
    BindAll(params);
    CheckExecuted(SQLExecute(stmt_));
}

void OdbcStatement::ListTables(std::string_view table) {
    CloseCursor();
    std::string name(table);
    detail::Check(SQLTables(stmt_, nullptr, 0, nullptr, 0, reinterpret_cast<SQLCHAR*>(name.data()),
                            SQL_NTS, nullptr, 0),
                  SQL_HANDLE_STMT, stmt_, "SQLTables failed");
}

void OdbcStatement::ListIndexColumns(std::string_view table) {
    CloseCursor();
    std::string name(table);
    detail::Check(
        SQLStatistics(stmt_, nullptr, 0, nullptr, 0, reinterpret_cast<SQLCHAR*>(name.data()),
                      SQL_NTS, SQL_INDEX_ALL, SQL_QUICK),
        SQL_HANDLE_STMT, stmt_, "SQLStatistics failed");
}

bool OdbcStatement::Fetch() {
    SQLRETURN rc = SQLFetch(stmt_);
    if (rc == SQL_NO_DATA) return false;
    detail::Check(rc, SQL_HANDLE_STMT, stmt_, "SQLFetch failed");
    return true;
}

SqlValue OdbcStatement::Get(int column, SqlType type) {
    auto number = static_cast<SQLUSMALLINT>(column);
    SQLLEN indicator = 0;
    SQLRETURN rc = SQL_SUCCESS;
    switch (type) {
        case SqlType::Integer: {
            SQLINTEGER value = 0;
            rc = SQLGetData(stmt_, number, SQL_C_SLONG, &value, 0, &indicator);
            detail::Check(rc, SQL_HANDLE_STMT, stmt_, "SQLGetData failed");
            if (indicator == SQL_NULL_DATA) return std::monostate{};
            return static_cast<std::int32_t>(value);
        }
        case SqlType::BigInt: {
            SQLBIGINT value = 0;
            rc = SQLGetData(stmt_, number, SQL_C_SBIGINT, &value, 0, &indicator);
            detail::Check(rc, SQL_HANDLE_STMT, stmt_, "SQLGetData failed");
            if (indicator == SQL_NULL_DATA) return std::monostate{};
            return static_cast<std::int64_t>(value);
        }
        case SqlType::Double: {
            double value = 0;
            rc = SQLGetData(stmt_, number, SQL_C_DOUBLE, &value, 0, &indicator);
            detail::Check(rc, SQL_HANDLE_STMT, stmt_, "SQLGetData failed");
            if (indicator == SQL_NULL_DATA) return std::monostate{};
            return value;
        }
        case SqlType::Text: {
            bool isNull = false;
            std::string text = GetText(stmt_, number, isNull);
            if (isNull) return std::monostate{};
            return text;
        }
        case SqlType::Timestamp: {
            SQL_TIMESTAMP_STRUCT value{};
            rc = SQLGetData(stmt_, number, SQL_C_TYPE_TIMESTAMP, &value, sizeof value, &indicator);
            detail::Check(rc, SQL_HANDLE_STMT, stmt_, "SQLGetData failed");
            if (indicator == SQL_NULL_DATA) return std::monostate{};
            return Timestamp{value.year, value.month,  value.day,
                             value.hour, value.minute, value.second};
        }
    }
    return std::monostate{};
}

std::int64_t OdbcStatement::AffectedRows() {
    SQLLEN count = 0;
    detail::Check(SQLRowCount(stmt_, &count), SQL_HANDLE_STMT, stmt_, "SQLRowCount failed");
    return count;
}

}  // namespace catalog
