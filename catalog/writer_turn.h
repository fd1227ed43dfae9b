// The turns of one process's writers on one SQLite catalogue. SQLite lets one
// writer in at a time, and a writer that finds its lock taken sleeps in
// growing steps (1, 2, 5, 10 ms and on) however soon the lock is free again:
// with the one- or two-millisecond transactions of a trace's row, the
// workers of one converter lost most of what a second worker gains to those
// sleeps. The writers of this process therefore wait for each other here,
// and the next one goes on the moment the one before commits. Other
// converters still meet SQLite's lock and its wait; other systems take no turn.
#pragma once

#include <chrono>
#include <mutex>

#include "catalog/odbc_connection.h"

namespace catalog {

// Longest wait for a turn before the writer goes on without it: SQLite's own
// lock still keeps writers apart, so a turn held for long (its holder waits
// for another converter) costs no more than before.
inline constexpr std::chrono::seconds kWriterTurnWait{5};

class WriterTurn {
public:
    // Waits for the turn of the connection's catalogue (connections with the
    // same connection string share one) when it is SQLite's. A thread that
    // holds the turn already (a write on a second connection inside one on
    // the first) takes it again and waits for SQLite, as without turns.
    explicit WriterTurn(const OdbcConnection& connection);
    ~WriterTurn();
    WriterTurn(const WriterTurn&) = delete;
    WriterTurn& operator=(const WriterTurn&) = delete;

    // Whether the turn was taken (SQLite, within kWriterTurnWait).
    bool Held() const { return turn_ != nullptr; }

private:
    std::recursive_timed_mutex* turn_ = nullptr;  // held; nullptr: none taken
};

}  // namespace catalog
