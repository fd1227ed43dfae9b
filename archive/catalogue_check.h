// The check of the data tree against the catalogue it is given: FILELIST's
// rows read ahead on a thread of their own while the files are judged.
#pragma once

#include "archive/archive_check.h"
#include "catalog/odbc_connection.h"

namespace engine {

// CheckArchive over request's stations with the rows, removals and lookups
// of database; with fix, the record of recordings (when the catalogue keeps
// it) names the recording behind a trace file. Catalogue errors pass through.
CheckSummary CheckAgainstCatalogue(CheckRequest request, catalog::OdbcConnection& database,
                                   CheckObserver& observer);

}  // namespace engine
