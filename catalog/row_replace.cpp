#include "catalog/row_replace.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "catalog/database_error.h"
#include "catalog/odbc_statement.h"
#include "catalog/write_transaction.h"

namespace catalog {
namespace {

constexpr int kAttempts = 4;
constexpr auto kFirstPause = std::chrono::milliseconds(50);

// Locks for different tables and keys rarely share a hash; when they do, two
// unrelated replaces merely wait for each other.
constexpr const char* kKeyLockSql = "SELECT pg_advisory_xact_lock(hashtext(?), hashtext(?))";

std::string KeyText(const std::vector<SqlValue>& key) {
    std::string text;
    for (const SqlValue& value : key) {
        if (!text.empty()) text += '\x1f';
        if (const auto* s = std::get_if<std::string>(&value)) {
            text += *s;
        } else if (const auto* d = std::get_if<double>(&value)) {
            char digits[32];
            std::snprintf(digits, sizeof digits, "%.17g", *d);
            text += digits;
        } else if (const auto* i = std::get_if<std::int32_t>(&value)) {
            text += std::to_string(*i);
        } else if (const auto* l = std::get_if<std::int64_t>(&value)) {
            text += std::to_string(*l);
        }
    }
    return text;
}

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

void ReplaceOnce(OdbcConnection& database, const RowReplace& row) {
    if (database.dbms() == Dbms::PostgreSQL) {
        // The key's lock, the DELETE and the INSERT reach the server as one
        // request: across a network each request costs a round trip. With no
        // transaction open, the server runs such a request as a transaction
        // of its own: the statements in turn, each with a snapshot of its
        // own, so that the DELETE sees the row of a writer the lock waited
        // for; the lock held to the end; a failure of any undoes them all.
        std::vector<SqlValue> params{row.table, KeyText(row.keyValues)};
        params.insert(params.end(), row.keyValues.begin(), row.keyValues.end());
        params.insert(params.end(), row.rowValues.begin(), row.rowValues.end());
        OdbcStatement& replace = database.Prepared(std::string(kKeyLockSql) + "; " + row.deleteSql +
                                                   "; " + row.insertSql);
        replace.ExecutePrepared(params);
        while (replace.Fetch()) {
        }
        return;
    }
    WriteTransaction transaction(database);
    database.Prepared(row.deleteSql).ExecutePrepared(row.keyValues);
    database.Prepared(row.insertSql).ExecutePrepared(row.rowValues);
    transaction.Commit();
}

}  // namespace

bool IsWriteConflict(const DatabaseError& error) {
    const std::string& state = error.sqlState();
    if (state == "23505" || state == "40001" || state == "40P01") return true;
    const std::string text = error.what();
    // A busy SQLite is not among them: it has waited for the lock already.
    return Contains(text, "UNIQUE constraint failed") || Contains(text, "duplicate key value");
}

void ReplaceRow(OdbcConnection& database, const RowReplace& row) {
    auto pause = kFirstPause;
    for (int attempt = 1;; ++attempt) {
        try {
            ReplaceOnce(database, row);
            return;
        } catch (const DatabaseError& error) {
            if (attempt == kAttempts || !IsWriteConflict(error)) throw;
        }
        std::this_thread::sleep_for(pause);
        pause *= 2;
    }
}

}  // namespace catalog
