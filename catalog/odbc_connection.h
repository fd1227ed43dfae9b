// One ODBC connection (the catalogue's theDatabase is one of these).
#pragma once

#include <memory>
#include <string>

namespace catalog {

class OdbcEnvironment;

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
    bool Open(const std::string& connectionString);
    bool IsOpen() const { return dbc_ != nullptr; }
    // Rolls back what is uncommitted, disconnects. Never raises.
    void Close();

    // The driver's identifier quote character; ' ' when it has none.
    char IdentifierQuoteChar() const { return quoteChar_; }

    // Transactions (see TransactionGuard). Raise DatabaseError.
    void SetAutoCommit(bool on);
    void Commit();
    void Rollback();

    void* handle() const { return dbc_; }  // the SQLHDBC; null when closed

private:
    std::shared_ptr<OdbcEnvironment> env_;
    void* dbc_ = nullptr;
    char quoteChar_ = '"';
};

}  // namespace catalog
