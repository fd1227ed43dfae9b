// The record of recordings: what became of each recording of a source
// directory (kelvaron_recordings) and the trace files it wrote
// (kelvaron_recording_traces). A catalogue without these tables is an older
// one: the converter then works without the record, and asks RecordExists
// once per run.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/odbc_connection.h"
#include "catalog/sql_value.h"

namespace catalog {

enum class RecordingOutcome { Seen, Converted, Incomplete, Skipped, Failed };

// "seen", "converted", "incomplete", "skipped", "failed": the column's texts.
std::string_view OutcomeText(RecordingOutcome outcome);
// nullopt for a text that is none of those (a row written by someone else).
std::optional<RecordingOutcome> OutcomeFromText(std::string_view text);

struct RecordedTrace {
    std::string channel;
    std::string tracePath;  // as FILELIST's CPATH names it
    bool operator==(const RecordedTrace&) const = default;
};

struct RecordingRecord {
    std::string sourcePath;  // key: the entry's full path as the scan lists it
    std::string station;
    std::int64_t fileSize = 0;
    std::int64_t fileMtime = 0;  // ns since the epoch
    std::optional<double> startTime;
    std::optional<double> spanSeconds;
    RecordingOutcome outcome = RecordingOutcome::Seen;
    std::string message;          // skip reason or failure message; "" is NULL
    std::int64_t recordedAt = 0;  // Unix seconds
    std::string host;       // the converter that wrote it, "host:pid" (older records: the host)
    std::string claimedBy;  // "" is NULL
    std::optional<std::int64_t> claimedUntil;
    std::vector<RecordedTrace> traces;  // filled by the loads that ask for them

    // Whether the entry, as stat sees it now, is the one recorded.
    bool Matches(std::int64_t size, std::int64_t mtime) const {
        return fileSize == size && fileMtime == mtime;
    }
};

// Paths come back as the catalogue holds texts (platform::Text8ToUtf8): an
// entry's record is found under RecordKey(its path).
using RecordingRecords = std::map<std::string, RecordingRecord>;
std::string RecordKey(std::string_view path);

// Whether both tables of the record exist. Raises DatabaseError.
bool RecordExists(OdbcConnection& connection);

// The records whose station is station / whose source path lies directly in
// directory (a '/' after it, no further '/'), by source path. withTraces
// also reads their trace rows. Raises DatabaseError.
RecordingRecords LoadStationRecords(OdbcConnection& connection, const std::string& station,
                                    bool withTraces = false);
RecordingRecords LoadDirectoryRecords(OdbcConnection& connection, const std::string& directory,
                                      bool withTraces = false);

// The same records of a directory with what a run's scan of it needs:
// path, station, size, time, span and outcome (message, host and claim
// left empty).
RecordingRecords LoadDirectoryScan(OdbcConnection& connection, const std::string& directory);

// What the records of a directory's entries hold in sum: kept with the
// directory's listing (catalog/source_listing.h), so that a scan of an
// unchanged directory can tell that it needs none of them.
struct RecordsSum {
    std::int64_t unsettled = 0;          // "seen" (or an outcome not ours)
    std::int64_t unplaced = 0;           // no plain start and span (PlacedRecord)
    std::optional<std::string> station;  // the one station all name; nullopt: several, or none
    bool severalStations = false;
    std::optional<double> firstStart, lastEnd;  // of the placed ones
    void Add(const RecordingRecord& record);
};

// Start and span are plain numbers: finite, within 10^15, the span not
// negative, so that sums and comparisons of them are the same in SQL.
bool PlacedRecord(const RecordingRecord& record);

// Which of a directory's records a scan reads when it knows that every entry
// is as recorded (catalog/source_listing.h): those it cannot judge from that
// alone. The rest are left unread; none at all when noneNeeded says so of
// the sum kept with the listing.
struct ScanNeed {
    std::string where;  // a condition on the records' columns (alias r)
    std::vector<SqlValue> params;
    std::function<bool(const RecordsSum&)> noneNeeded;
};
// How many records lie under directory (its entries', and those of any
// directory below it): a cheap count, that changes when records go.
std::int64_t CountPrefixedRecords(OdbcConnection& connection, const std::string& directory);

// A sync's: the records of no settled outcome (every other one is unchanged).
ScanNeed UnsettledRecords();
// A time-window run's: all but the station's records that surely end before
// windowStart or begin after windowEnd (with a margin, so that the run's own
// judgement decides every record near an edge).
ScanNeed RecordsNearWindow(const std::string& station, double windowStart, double windowEnd);
RecordingRecords LoadDirectoryScan(OdbcConnection& connection, const std::string& directory,
                                   const ScanNeed& need);

// Replaces the record of record.sourcePath and its trace rows in one
// transaction; the claim on it ends. listings: the catalogue has
// kelvaron_source_listings, whose count of writes for each directory written
// goes up in the same transaction. Raises DatabaseError.
void WriteRecordingRecord(OdbcConnection& connection, const RecordingRecord& record,
                          bool listings = false);
// The same for several recordings, all in one transaction.
void WriteRecordingRecords(OdbcConnection& connection, const std::vector<RecordingRecord>& records,
                           bool listings = false);

// Claims the recording for claimant until claimedUntil (Unix seconds), in
// one transaction: only when nobody holds it or the holder's claim ended
// before now. An entry not yet recorded gets a "seen" record carrying the
// claim (station, size and mtime from entry). Returns the record as it
// stands once claimed, nullopt when another converter holds it. Raises
// DatabaseError.
// listings: as for WriteRecordingRecords (a new entry's record is a write).
std::optional<RecordingRecord> ClaimRecording(OdbcConnection& connection,
                                              const RecordingRecord& entry,
                                              const std::string& claimant, std::int64_t now,
                                              std::int64_t claimedUntil, bool listings = false);

// The source path of the recording whose record names tracePath (as
// FILELIST's CPATH names it) among its trace files; nullopt when none does.
// Raises DatabaseError.
std::optional<std::string> RecordedSourceOf(OdbcConnection& connection,
                                            const std::string& tracePath);

// Ends claimant's claim on sourcePath (a no-op when it holds none).
void ReleaseRecording(OdbcConnection& connection, const std::string& sourcePath,
                      const std::string& claimant);

}  // namespace catalog
