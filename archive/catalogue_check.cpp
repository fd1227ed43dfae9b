#include "archive/catalogue_check.h"

#include <mutex>

#include "archive/rows_read_ahead.h"
#include "catalog/file_list_rows.h"
#include "catalog/recording_record.h"

namespace engine {

CheckSummary CheckAgainstCatalogue(CheckRequest request, catalog::OdbcConnection& database,
                                   CheckObserver& observer) {
    // The connection serves the reader of the rows and the judging of the
    // files one at a time.
    std::mutex catalogue;
    if (request.fix && catalog::RecordExists(database))
        request.recordedSource = [&](const std::string& tracePath) {
            std::lock_guard lock(catalogue);
            return catalog::RecordedSourceOf(database, tracePath);
        };
    catalog::FileListRows rows(database, request.stations);
    RowsReadAhead ahead([&rows](catalog::FileListRow& row) { return rows.Next(row); }, catalogue);
    return CheckArchive(
        request, [&ahead](catalog::FileListRow& row) { return ahead.Next(row); },
        [&](const std::string& path) {
            std::lock_guard lock(catalogue);
            catalog::RemoveFileListRows(database, path);
        },
        observer,
        [&](const std::string& path) {
            std::lock_guard lock(catalogue);
            return catalog::FindFileListRow(database, path);
        });
}

}  // namespace engine
