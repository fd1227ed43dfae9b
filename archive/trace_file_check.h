// One trace file judged against its own header, its path and its FILELIST
// row: functions over the file's first bytes and size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalog/file_list_rows.h"
#include "formats/tvx/tvx_header_reading.h"

namespace engine {

enum class CheckProblemKind {
    MissingFile,     // a row whose file is missing
    NoRow,           // a trace file without a row
    BadHeader,       // not a TVX 4.0 header of the writer's shape
    BadSize,         // size is not 512 + 2 x samples
    RowDisagrees,    // header and row differ
    BadName,         // path does not follow the naming of its start and channel
    StaleTemporary,  // left by a writer that no longer runs
    DuplicateRow,    // a second row for the same path
    Unreadable,      // a file or directory that cannot be read
};
inline constexpr int kCheckProblemKinds = 9;

// Why a file or a row is a problem, as facts: the front end words it.
enum class CheckReasonCode {
    ShorterThanHeader,    // facts: the size
    NotTheHeader,         //
    SizeNotSamples,       // facts: the size, the header's duration "hh mm ss", its SpS text
    NameNotItsStart,      // facts: the path its start and channel give
    RowPathOutside,       // a row's path that is not one below the data directory
    NoRow,                //
    RowDisagrees,         // differences
    RowWithoutFile,       //
    StaleTemporary,       //
    MoreThanOneRow,       //
    NotARegularFile,      //
    FileUnreadable,       // error
    DirectoryUnreadable,  // error
};

// One column of a FILELIST row that says something else than the file.
struct RowDifference {
    enum class Column { Station, Channel, Start, Rate, Samples };
    Column column;
    std::string row;  // "": a start without a date, a sample count that is not a number
    std::string file;
};

struct CheckReason {
    CheckReason() = default;
    CheckReason(CheckReasonCode code, std::vector<std::string> facts = {}, int error = 0,
                std::vector<RowDifference> differences = {})
        : code(code), facts(std::move(facts)), error(error), differences(std::move(differences)) {}

    CheckReasonCode code = CheckReasonCode::NotTheHeader;
    std::vector<std::string> facts;
    int error = 0;  // errno
    std::vector<RowDifference> differences;
};

struct FileVerdict {
    std::optional<CheckProblemKind> problem;  // none: the file agrees
    CheckReason reason;
    std::optional<TraceHeaderFields> header;  // when it could be read
};

// The station and start a path of our naming names ("STA/hhDDMMYYYY/
// hhmmss-DDMMYYYY.CH"); nullopt for any other path.
struct NamedTrace {
    std::string station;
    TraceStart start;
};
std::optional<NamedTrace> TraceNamedBy(const std::string& relative);

// bytes: the file's first min(size, 512) bytes; relative: its path below the
// data directory; row: its FILELIST row, if any. One problem per file, the
// first of: header, size, name, row missing, row disagreeing.
FileVerdict JudgeTraceFile(const std::string& relative, const char* bytes, std::size_t byteCount,
                           std::uint64_t size, const catalog::FileListRow* row);

}  // namespace engine
