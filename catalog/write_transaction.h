// A transaction that writes from its first statement on, rolled back unless
// committed. On SQLite it takes the write lock at once (BEGIN IMMEDIATE): a
// transaction that read first could not take it while another converter
// writes, and would fail at once instead of waiting its turn. Writers of
// this process take their turns first (see writer_turn.h).
#pragma once

#include <optional>

#include "catalog/odbc_connection.h"
#include "catalog/transaction_guard.h"
#include "catalog/writer_turn.h"

namespace catalog {

class WriteTransaction {
public:
    // Raises DatabaseError (on SQLite after waiting for the lock).
    explicit WriteTransaction(OdbcConnection& connection);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    void Commit();

private:
    OdbcConnection& connection_;
    std::optional<TransactionGuard> guard_;  // every system but SQLite
    std::optional<WriterTurn> turn_;         // SQLite: held to the commit
    bool open_ = false;                      // SQLite's own BEGIN ... COMMIT
};

}  // namespace catalog
