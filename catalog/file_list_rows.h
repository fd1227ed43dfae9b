// FILELIST read back in CPATH order, a batch of rows at a time, so that a
// catalogue of any size is read in bounded memory whatever the driver
// buffers; and the removal of the rows of one path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalog/odbc_connection.h"

namespace catalog {

// The columns of a row that a trace file's header can be compared with.
struct FileListRow {
    std::string station;  // STA
    double start = 0;     // TBEGIN
    double duration = 0;  // TQTY
    std::string channel;  // CH
    double rate = 0;      // SPS
    std::string path;     // CPATH
};

class FileListRows {
public:
    // stations: the rows whose CPATH lies in one of these station
    // directories ("STA/..."); every row when empty. A NULL CPATH names no
    // file and is not read. batchSize: rows fetched per query.
    FileListRows(OdbcConnection& database, std::vector<std::string> stations,
                 std::size_t batchSize = 2000);

    // The next row in byte order of CPATH; false after the last. Rows may be
    // removed between calls. Raises DatabaseError.
    bool Next(FileListRow& row);

private:
    bool FetchBatch();

    OdbcConnection& database_;
    std::vector<std::string> stations_;  // sorted as their directories are
    std::size_t station_ = 0;
    std::size_t batchSize_;
    std::string collate_;  // the binary collation's clause, "" when unknown
    std::vector<FileListRow> batch_;
    std::size_t next_ = 0;
    bool started_ = false, exhausted_ = false;
    std::string last_;           // CPATH of the last row handed out
    std::size_t lastCount_ = 0;  // rows with that CPATH handed out
};

// The row of path as the catalogue holds it now (the first, if several);
// nullopt when there is none. Raises DatabaseError.
std::optional<FileListRow> FindFileListRow(OdbcConnection& database, const std::string& path);

// Deletes every row whose CPATH is path, in a transaction of its own; returns
// how many. Raises DatabaseError (and then removes none).
std::int64_t RemoveFileListRows(OdbcConnection& database, const std::string& path);

}  // namespace catalog
