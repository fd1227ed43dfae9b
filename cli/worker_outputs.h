// The outputs of the batch command's run workers: the first writes through
// the connection the command opened (and checked), each other through one
// of its own, opened with the same login.
#pragma once

#include <optional>

#include "catalog/connection_string.h"
#include "catalog/odbc_connection.h"
#include "engine/station_workers.h"

namespace cli {

// dryRun: the plan on the catalogue, nothing written. Without a login,
// another worker's connection reads tvx.ini for it.
engine::MakeOutputs CatalogueWorkers(catalog::OdbcConnection& database,
                                     std::optional<catalog::CatalogueLogin> login, bool dryRun);

}  // namespace cli
