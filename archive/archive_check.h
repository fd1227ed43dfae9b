// The data tree against FILELIST: both walked in path order and merged, so
// memory does not grow with the archive. Reports each disagreement; with
// fix, removes rows whose files are missing and stale temporaries, and names
// for each trace file that a conversion would repair the recording it most
// likely came from. Never deletes or rewrites a trace file.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "archive/trace_file_check.h"
#include "catalog/file_list_rows.h"

namespace engine {

struct CheckProblem {
    CheckProblemKind kind;
    std::string path;  // full path of the file (data directory + CPATH)
    CheckReason reason;
    bool fixed = false;  // removed by the fix
};

class CheckObserver {
public:
    virtual ~CheckObserver() = default;
    virtual void Problem(const CheckProblem& problem) = 0;
    // Fix only: a trace file a conversion of recording would write again;
    // recording is "" when the station's source directory has none.
    virtual void Repair(const std::string& tracePath, const std::string& station,
                        const std::string& recording) = 0;
};

struct CheckSummary {
    std::int64_t files = 0;  // trace files (temporaries not counted)
    std::int64_t rows = 0;
    std::array<std::int64_t, kCheckProblemKinds> problems{};
    std::int64_t rowsRemoved = 0;
    std::int64_t temporariesRemoved = 0;
    std::int64_t total() const;
};

// The row of one CPATH as the catalogue holds it at the moment of asking.
using RowLookup = std::function<std::optional<catalog::FileListRow>(const std::string&)>;

// How long a trace file's writer may take from putting the file in place to
// committing its row; a file younger than this is judged against its row
// once it is this old, as the catalogue holds it then (see rowNow below).
inline constexpr int kRowSettleSeconds = 3;

struct CheckRequest {
    std::string dataDir;                // ends in "/"
    std::vector<std::string> stations;  // all when empty
    bool fix = false;
    int rowSettleSeconds = kRowSettleSeconds;
    // The recording the record of recordings says wrote a trace file (by its
    // CPATH), when the catalogue keeps the record; else the station's
    // directory is searched for a recording with the trace's start.
    std::function<std::optional<std::string>(const std::string&)> recordedSource;
};

// nextRow: the rows of the stations asked for, in byte order of CPATH.
// removeRows: deletes the rows of one CPATH (fix only). rowNow: asked again
// for a freshly written file that has no row or one that disagrees, since a
// writer at work registers its file only after it is in place (none: the
// rows of nextRow stand). Catalogue errors pass through; rows out of order
// raise std::runtime_error.
CheckSummary CheckArchive(const CheckRequest& request,
                          const std::function<bool(catalog::FileListRow&)>& nextRow,
                          const std::function<void(const std::string&)>& removeRows,
                          CheckObserver& observer, const RowLookup& rowNow = {});

}  // namespace engine
