#include "catalog/connection_loss.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string>

namespace catalog {

namespace {

// The drivers put some causes into their text only, under a general SQLSTATE.
template <std::size_t N>
bool SaysAnyOf(const DatabaseError& error, const char* const (&parts)[N]) {
    std::string text = error.what();
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::any_of(std::begin(parts), std::end(parts),
                       [&](const char* part) { return text.find(part) != std::string::npos; });
}

template <std::size_t S, std::size_t N>
bool HasStateOrSays(const DatabaseError& error, const char* const (&states)[S],
                    const char* const (&parts)[N]) {
    return std::any_of(std::begin(states), std::end(states),
                       [&](const char* state) { return error.sqlState() == state; }) ||
           SaysAnyOf(error, parts);
}

}  // namespace

bool IsConnectionLost(const DatabaseError& error) {
    const std::string& state = error.sqlState();
    if (state.rfind("08", 0) == 0) return true;
    // PostgreSQL's administrator shutdown, crash shutdown, cannot connect now.
    if (state == "57P01" || state == "57P02" || state == "57P03") return true;
    // psqlODBC reports some losses with a general SQLSTATE.
    static constexpr const char* kLostTexts[] = {
        "connection lost",
        "connection has been lost",
        "server closed the connection",
        "no connection to the server",
        "could not send data to server",
        "could not receive data from server",
        "terminating connection",
    };
    return SaysAnyOf(error, kLostTexts);
}

bool IsWriteRefused(const DatabaseError& error) {
    // PostgreSQL: a read-only transaction (a standby, default_transaction_read_only),
    // a full disk; SQLite (SQLITE_READONLY, SQLITE_FULL) and PostgreSQL under a
    // general SQLSTATE.
    static constexpr const char* kStates[] = {"25006", "53100"};
    static constexpr const char* kTexts[] = {
        "attempt to write a readonly database",
        "database or disk is full",
        "read-only transaction",
        "no space left on device",
    };
    return HasStateOrSays(error, kStates, kTexts);
}

bool IsValueTooLong(const DatabaseError& error) {
    // String data right truncation; PostgreSQL's program limit (an index row).
    static constexpr const char* kStates[] = {"22001", "54000"};
    static constexpr const char* kTexts[] = {
        "value too long",
        "string data, right truncated",
        "index row size",
    };
    return HasStateOrSays(error, kStates, kTexts);
}

}  // namespace catalog
