#include "catalog/odbc_connection.h"

#include <sql.h>
#include <sqlext.h>
#include <strings.h>

#include <mutex>
#include <set>
#include <vector>

#include "catalog/odbc_diagnostics.h"
#include "catalog/odbc_environment.h"
#include "catalog/odbc_statement.h"

namespace catalog {

namespace {

char QueryIdentifierQuoteChar(SQLHDBC dbc) {
    SQLCHAR quote[8] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(dbc, SQL_IDENTIFIER_QUOTE_CHAR, quote, sizeof quote, &length)))
        return '"';  // the SQL standard's, when the driver will not say
    return quote[0] == '\0' ? ' ' : static_cast<char>(quote[0]);
}

bool QueryGetsDataInBlocks(SQLHDBC dbc) {
    SQLUINTEGER extensions = 0;
    return SQL_SUCCEEDED(
               SQLGetInfo(dbc, SQL_GETDATA_EXTENSIONS, &extensions, sizeof extensions, nullptr)) &&
           (extensions & SQL_GD_BLOCK) != 0 && (extensions & SQL_GD_BOUND) != 0;
}

std::string InfoText(SQLHDBC dbc, SQLUSMALLINT what) {
    SQLCHAR text[128] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(dbc, what, text, sizeof text, &length))) return "";
    return reinterpret_cast<const char*>(text);
}

Dbms DbmsOf(SQLHDBC dbc) {
    const std::string name = InfoText(dbc, SQL_DBMS_NAME);
    if (name.rfind("SQLite", 0) == 0) return Dbms::SQLite;
    if (name.rfind("PostgreSQL", 0) == 0) return Dbms::PostgreSQL;
    return Dbms::Other;
}

// psqlODBC's options: rollback level 1 (the transaction, as our guards do
// anyway) instead of a savepoint around each statement, and parameters
// substituted into the statement, which lets BEGIN ride with the first one.
constexpr const char* kPsqlOdbcOptions = "Protocol=7.4-1;UseServerSidePrepare=0;";

// psqlodbcw.so, psqlodbca.so; PSQLODBC35W.DLL elsewhere.
bool IsPsqlOdbc(SQLHDBC dbc) {
    const std::string name = InfoText(dbc, SQL_DRIVER_NAME);
    return name.size() >= 8 && ::strncasecmp(name.c_str(), "psqlodbc", 8) == 0;
}

void Disconnect(SQLHDBC dbc) {
    SQLDisconnect(dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
}

// The connection strings that led to psqlODBC in this process: each
// connection made with one again (a run's workers, a reopening after a lost
// connection) goes there with the options at once, instead of connecting
// twice, which costs a login each time.
class PsqlOdbcStrings {
public:
    bool Contains(const std::string& connectionString) {
        const std::lock_guard<std::mutex> hold(lock_);
        return strings_.count(connectionString) != 0;
    }
    void Add(const std::string& connectionString) {
        const std::lock_guard<std::mutex> hold(lock_);
        strings_.insert(connectionString);
    }
    void Remove(const std::string& connectionString) {
        const std::lock_guard<std::mutex> hold(lock_);
        strings_.erase(connectionString);
    }

private:
    std::mutex lock_;
    std::set<std::string> strings_;
};

PsqlOdbcStrings& KnownPsqlOdbcStrings() {
    static PsqlOdbcStrings known;
    return known;
}

std::string WithPsqlOdbcOptions(std::string connectionString) {
    if (!connectionString.empty() && connectionString.back() != ';') connectionString += ';';
    return connectionString + kPsqlOdbcOptions;
}

}  // namespace

OdbcConnection::OdbcConnection() = default;

OdbcConnection::~OdbcConnection() { Close(); }

void* OdbcConnection::Connect(const std::string& connectionString) {
    SQLHDBC dbc = SQL_NULL_HDBC;
    detail::Check(SQLAllocHandle(SQL_HANDLE_DBC, env_->handle(), &dbc), SQL_HANDLE_ENV,
                  env_->handle(), "Cannot allocate an ODBC connection");

    std::vector<SQLCHAR> in(connectionString.begin(), connectionString.end());
    in.push_back('\0');
    SQLCHAR out[1024];
    SQLSMALLINT outLength = 0;
    SQLRETURN rc = SQLDriverConnect(dbc, nullptr, in.data(), SQL_NTS, out, sizeof out, &outLength,
                                    SQL_DRIVER_NOPROMPT);
    if (rc == SQL_NO_DATA) {
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        return nullptr;
    }
    if (!SQL_SUCCEEDED(rc)) {
        DatabaseError error = detail::DiagnosticsOf(SQL_HANDLE_DBC, dbc, "Connection refused");
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        throw error;
    }
    return dbc;
}

bool OdbcConnection::Open(const std::string& connectionString) {
    Close();
    env_ = OdbcEnvironment::Shared();
    connectionString_ = connectionString;
    SQLHDBC dbc = SQL_NULL_HDBC;
    try {
        PsqlOdbcStrings& known = KnownPsqlOdbcStrings();
        if (known.Contains(connectionString)) {
            dbc = Connect(WithPsqlOdbcOptions(connectionString));
            // The data source may name another driver by now.
            if (dbc && !IsPsqlOdbc(dbc)) {
                known.Remove(connectionString);
                Disconnect(dbc);
                dbc = Connect(connectionString);
            }
        } else {
            dbc = Connect(connectionString);
            if (dbc && IsPsqlOdbc(dbc)) {
                known.Add(connectionString);
                Disconnect(dbc);
                dbc = SQL_NULL_HDBC;
                dbc = Connect(WithPsqlOdbcOptions(connectionString));
            }
        }
    } catch (...) {
        env_.reset();
        throw;
    }
    if (!dbc) {
        env_.reset();
        return false;
    }
    dbc_ = dbc;
    quoteChar_ = QueryIdentifierQuoteChar(dbc);
    getsDataInBlocks_ = QueryGetsDataInBlocks(dbc);
    dbms_ = DbmsOf(dbc);
    if (dbms_ == Dbms::SQLite) {
        // Another converter's write transaction holds the lock for one row;
        // wait for it, but not for ever.
        OdbcStatement(*this).Execute("PRAGMA busy_timeout = 30000");
    }
    return true;
}

bool OdbcConnection::Reopen() {
    const std::string connectionString = connectionString_;
    return Open(connectionString);
}

OdbcStatement& OdbcConnection::Prepared(const std::string& sql) {
    auto found = prepared_.find(sql);
    if (found != prepared_.end()) return *found->second;
    auto statement = std::make_unique<OdbcStatement>(*this);
    statement->Prepare(sql);
    return *prepared_.emplace(sql, std::move(statement)).first->second;
}

void OdbcConnection::Close() {
    prepared_.clear();
    if (!dbc_) return;
    // A connection inside an unfinished transaction refuses to disconnect.
    SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_ROLLBACK);
    Disconnect(dbc_);
    dbc_ = nullptr;
    dbms_ = Dbms::Other;
    getsDataInBlocks_ = false;
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
