#include "catalog/writer_turn.h"

#include <map>
#include <memory>
#include <string>

namespace catalog {
namespace {

std::recursive_timed_mutex& TurnOf(const std::string& connectionString) {
    static std::mutex lock;
    // Never removed: a process opens few catalogues, and a turn may be
    // waited for while its connection closes.
    static std::map<std::string, std::unique_ptr<std::recursive_timed_mutex>> turns;
    const std::lock_guard<std::mutex> hold(lock);
    std::unique_ptr<std::recursive_timed_mutex>& turn = turns[connectionString];
    if (!turn) turn = std::make_unique<std::recursive_timed_mutex>();
    return *turn;
}

}  // namespace

WriterTurn::WriterTurn(const OdbcConnection& connection) {
    if (connection.dbms() != Dbms::SQLite) return;
    std::recursive_timed_mutex& turn = TurnOf(connection.connectionString());
    if (turn.try_lock_for(kWriterTurnWait)) turn_ = &turn;
}

WriterTurn::~WriterTurn() {
    if (turn_) turn_->unlock();
}

}  // namespace catalog
