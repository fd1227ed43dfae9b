// The outputs of the batch command's run workers: the first writes through
// the connection the command opened (and checked), each other through one
// of its own, opened with the same login.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "catalog/connection_string.h"
#include "catalog/odbc_connection.h"
#include "engine/station_workers.h"

namespace cli {

// The workers' own connections between the runs of one command (the passes
// of a watch): a worker leaves its connection here open, and a worker of the
// next run takes it instead of logging in again. Closed with this object.
class KeptConnections {
public:
    // An idle connection that still answers, or nullptr; one that no longer
    // answers is closed here.
    std::unique_ptr<catalog::OdbcConnection> Take();
    // Kept when open.
    void Give(std::unique_ptr<catalog::OdbcConnection> connection);
    void CloseAll();

private:
    std::mutex mutex_;
    std::vector<std::unique_ptr<catalog::OdbcConnection>> idle_;
};

// dryRun: the plan on the catalogue, nothing written. Without a login,
// another worker's connection reads tvx.ini for it. With kept, the other
// workers' connections are taken from it and left in it.
engine::MakeOutputs CatalogueWorkers(catalog::OdbcConnection& database,
                                     std::optional<catalog::CatalogueLogin> login, bool dryRun,
                                     KeptConnections* kept = nullptr);

}  // namespace cli
