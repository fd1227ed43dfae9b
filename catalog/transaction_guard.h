// A transaction on one connection that is rolled back unless committed.
#pragma once

#include "catalog/odbc_connection.h"

namespace catalog {

class TransactionGuard {
public:
    // Switches autocommit off: what follows is one transaction.
    explicit TransactionGuard(OdbcConnection& connection);
    // Rolls back unless Commit() succeeded, and switches autocommit on again.
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;

    void Commit();

private:
    OdbcConnection& connection_;
    bool committed_ = false;
};

}  // namespace catalog
