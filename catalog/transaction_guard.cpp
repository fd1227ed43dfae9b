#include "catalog/transaction_guard.h"

namespace catalog {

TransactionGuard::TransactionGuard(OdbcConnection& connection) : connection_(connection) {
    connection_.SetAutoCommit(false);
}

TransactionGuard::~TransactionGuard() {
    // Runs while an error may be propagating: a second failure here must not
    // replace the first, so both steps swallow theirs.
    try {
        if (!committed_) connection_.Rollback();
    } catch (...) {
    }
    try {
        connection_.SetAutoCommit(true);
    } catch (...) {
    }
}

void TransactionGuard::Commit() {
    connection_.Commit();
    committed_ = true;
}

}  // namespace catalog
