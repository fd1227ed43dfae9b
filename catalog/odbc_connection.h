// One ODBC connection: the catalogue a front end opens and hands down.
#pragma once

#include <map>
#include <memory>
#include <string>

namespace catalog {

class OdbcEnvironment;
class OdbcStatement;

// The database systems whose behaviour the catalogue code adapts to.
enum class Dbms { SQLite, PostgreSQL, Other };

class OdbcConnection {
public:
    OdbcConnection();
    ~OdbcConnection();
    OdbcConnection(const OdbcConnection&) = delete;
    OdbcConnection& operator=(const OdbcConnection&) = delete;

    // Connects with exactly this string through SQLDriverConnect, never
    // prompting. Raises DatabaseError with the driver's text when refused;
    // returns false only when the driver manager ends without a connection
    // and without an error. An open connection is closed first.
    // On PostgreSQL's driver the connection is made again with the options
    // that save round trips (no savepoint around every statement, parameters
    // sent with the statement); SQLite waits up to 30 s for a busy lock.
    bool Open(const std::string& connectionString);
    bool IsOpen() const { return dbc_ != nullptr; }
    // Opens again with the string of the last Open (after a lost connection).
    bool Reopen();
    // Rolls back what is uncommitted, disconnects. Never raises.
    void Close();

    Dbms dbms() const { return dbms_; }
    // The string of the last Open.
    const std::string& connectionString() const { return connectionString_; }

    // A statement prepared once per connection for sql and kept until Close.
    OdbcStatement& Prepared(const std::string& sql);

    // The driver's identifier quote character; ' ' when it has none.
    char IdentifierQuoteChar() const { return quoteChar_; }
    // Whether the driver reads a cell of any row of a fetched block on its
    // own (SQLSetPos, then SQLGetData): without it a block holds one row.
    bool GetsDataInBlocks() const { return getsDataInBlocks_; }

    // Transactions (see TransactionGuard). Raise DatabaseError.
    void SetAutoCommit(bool on);
    void Commit();
    void Rollback();

    void* handle() const { return dbc_; }  // the SQLHDBC; null when closed

private:
    std::shared_ptr<OdbcEnvironment> env_;
    void* Connect(const std::string& connectionString);

    void* dbc_ = nullptr;
    char quoteChar_ = '"';
    bool getsDataInBlocks_ = false;
    Dbms dbms_ = Dbms::Other;
    std::string connectionString_;
    std::map<std::string, std::unique_ptr<OdbcStatement>> prepared_;
};

}  // namespace catalog
