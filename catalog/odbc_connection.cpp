#include "catalog/odbc_connection.h"

#include <sql.h>
#include <sqlext.h>

#include <vector>

#include "catalog/odbc_diagnostics.h"
#include "catalog/odbc_environment.h"

namespace catalog {

namespace {

char QueryIdentifierQuoteChar(SQLHDBC dbc) {
    SQLCHAR quote[8] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(dbc, SQL_IDENTIFIER_QUOTE_CHAR, quote, sizeof quote, &length)))
        return '"';  // the SQL standard's, when the driver will not say
    return quote[0] == '\0' ? ' ' : static_cast<char>(quote[0]);
}

}  // namespace

OdbcConnection::OdbcConnection() = default;

OdbcConnection::~OdbcConnection() { Close(); }

bool OdbcConnection::Open(const std::string& connectionString) {
    Close();
    std::shared_ptr<OdbcEnvironment> env = OdbcEnvironment::Shared();
    SQLHDBC dbc = SQL_NULL_HDBC;
    detail::Check(SQLAllocHandle(SQL_HANDLE_DBC, env->handle(), &dbc), SQL_HANDLE_ENV,
                  env->handle(), "Cannot allocate an ODBC connection");

    std::vector<SQLCHAR> in(connectionString.begin(), connectionString.end());
    in.push_back('\0');
    SQLCHAR out[1024];
    SQLSMALLINT outLength = 0;
    SQLRETURN rc = SQLDriverConnect(dbc, nullptr, in.data(), SQL_NTS, out, sizeof out, &outLength,
                                    SQL_DRIVER_NOPROMPT);
    if (rc == SQL_NO_DATA) {
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        return false;
    }
    if (!SQL_SUCCEEDED(rc)) {
        DatabaseError error = detail::DiagnosticsOf(SQL_HANDLE_DBC, dbc, "Connection refused");
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        throw error;
    }
    env_ = std::move(env);
    dbc_ = dbc;
    quoteChar_ = QueryIdentifierQuoteChar(dbc);
    return true;
}

void OdbcConnection::Close() {
    if (!dbc_) return;
    // A connection inside an unfinished transaction refuses to disconnect.
    SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_ROLLBACK);
    SQLDisconnect(dbc_);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
    dbc_ = nullptr;
    env_.reset();
}

void OdbcConnection::SetAutoCommit(bool on) {
    if (!dbc_) throw DatabaseError("The catalogue connection is not open", "08003");
    SQLULEN value = on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF;
    detail::Check(SQLSetConnectAttr(dbc_, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(value),
                                    SQL_IS_UINTEGER),
                  SQL_HANDLE_DBC, dbc_, "Cannot switch autocommit");
}

void OdbcConnection::Commit() {
    if (!dbc_) throw DatabaseError("The catalogue connection is not open", "08003");
    detail::Check(SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_COMMIT), SQL_HANDLE_DBC, dbc_,
                  "Commit failed");
}

void OdbcConnection::Rollback() {
    if (!dbc_) throw DatabaseError("The catalogue connection is not open", "08003");
    detail::Check(SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_ROLLBACK), SQL_HANDLE_DBC, dbc_,
                  "Rollback failed");
}

}  // namespace catalog
