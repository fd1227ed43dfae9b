// The record of recordings: what became of each recording of a source
// directory (kelvaron_recordings) and the trace files it wrote
// (kelvaron_recording_traces). A catalogue without these tables is an older
// one: the converter then works without the record, and asks RecordExists
// once per run.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/odbc_connection.h"

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

// Replaces the record of record.sourcePath and its trace rows in one
// transaction; the claim on it ends. Raises DatabaseError.
void WriteRecordingRecord(OdbcConnection& connection, const RecordingRecord& record);
// The same for several recordings, all in one transaction.
void WriteRecordingRecords(OdbcConnection& connection, const std::vector<RecordingRecord>& records);

// Claims the recording for claimant until claimedUntil (Unix seconds), in
// one transaction: only when nobody holds it or the holder's claim ended
// before now. An entry not yet recorded gets a "seen" record carrying the
// claim (station, size and mtime from entry). Returns the record as it
// stands once claimed, nullopt when another converter holds it. Raises
// DatabaseError.
std::optional<RecordingRecord> ClaimRecording(OdbcConnection& connection,
                                              const RecordingRecord& entry,
                                              const std::string& claimant, std::int64_t now,
                                              std::int64_t claimedUntil);

// The source path of the recording whose record names tracePath (as
// FILELIST's CPATH names it) among its trace files; nullopt when none does.
// Raises DatabaseError.
std::optional<std::string> RecordedSourceOf(OdbcConnection& connection,
                                            const std::string& tracePath);

// Ends claimant's claim on sourcePath (a no-op when it holds none).
void ReleaseRecording(OdbcConnection& connection, const std::string& sourcePath,
                      const std::string& claimant);

}  // namespace catalog
