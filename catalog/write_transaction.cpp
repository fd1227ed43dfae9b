#include "catalog/write_transaction.h"

#include "catalog/odbc_statement.h"

namespace catalog {

WriteTransaction::WriteTransaction(OdbcConnection& connection) : connection_(connection) {
    if (connection_.dbms() != Dbms::SQLite) {
        guard_.emplace(connection_);
        return;
    }
    turn_.emplace(connection_);
    // The driver's autocommit stays on: it would begin a deferred transaction.
    connection_.Prepared("BEGIN IMMEDIATE").ExecutePrepared({});
    open_ = true;
}

WriteTransaction::~WriteTransaction() {
    if (!open_) return;
    try {
        connection_.Prepared("ROLLBACK").ExecutePrepared({});
    } catch (...) {
        // Runs while an error propagates; that one is the one to report.
    }
    turn_.reset();
}

void WriteTransaction::Commit() {
    if (guard_) {
        guard_->Commit();
        return;
    }
    connection_.Prepared("COMMIT").ExecutePrepared({});
    open_ = false;
    turn_.reset();
}

}  // namespace catalog
