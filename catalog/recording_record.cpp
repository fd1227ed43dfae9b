#include "catalog/recording_record.h"

#include <algorithm>
#include <array>
#include <set>

#include "catalog/odbc_row_stream.h"
#include "catalog/odbc_statement.h"
#include "catalog/schema_install.h"
#include "catalog/source_listing.h"
#include "catalog/write_transaction.h"
#include "platform/text_encoding.h"

namespace catalog {

namespace {

constexpr std::array<std::string_view, 5> kOutcomeTexts = {"seen", "converted", "incomplete",
                                                           "skipped", "failed"};

// What a scan of a directory needs of each record; the full record adds
// the rest. Every column read costs a driver call per row.
constexpr const char* kScanColumns =
    "SELECT source_path, station, file_size, file_mtime, start_time, span_seconds, outcome";
constexpr const char* kMoreColumns = ", message, recorded_at, host, claimed_by, claimed_until";

// Statements a request to PostgreSQL carries at most when records are
// written: three a record, so a batch of records goes in a few requests.
constexpr std::size_t kStatementsPerRequest = 150;

constexpr const char* kInsertRecord =
    "INSERT INTO kelvaron_recordings (source_path, station, file_size, file_mtime, start_time, "
    "span_seconds, outcome, message, recorded_at, host, claimed_by, claimed_until) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

std::string Text(const SqlValue& value) {
    if (const auto* s = std::get_if<std::string>(&value)) return *s;
    return {};
}

std::int64_t Integer(const SqlValue& value) {
    if (const auto* i = std::get_if<std::int64_t>(&value)) return *i;
    return 0;
}

SqlValue NullableText(const std::string& text) {
    if (text.empty()) return std::monostate{};
    return text;
}

constexpr const char* kReplaceRecord =
    " ON CONFLICT (source_path) DO UPDATE SET station = excluded.station, "
    "file_size = excluded.file_size, file_mtime = excluded.file_mtime, "
    "start_time = excluded.start_time, span_seconds = excluded.span_seconds, "
    "outcome = excluded.outcome, message = excluded.message, recorded_at = excluded.recorded_at, "
    "host = excluded.host, claimed_by = NULL, claimed_until = NULL";

// How the columns of kScanColumns and kMoreColumns are read.
constexpr std::array<SqlType, 12> kRecordTypes = {
    SqlType::Text,   SqlType::Text,   SqlType::BigInt, SqlType::BigInt,
    SqlType::Double, SqlType::Double, SqlType::Text,   SqlType::Text,
    SqlType::BigInt, SqlType::Text,   SqlType::Text,   SqlType::BigInt};
constexpr std::size_t kScanColumnCount = 7;

// A row written by another program whose outcome we do not know is "seen":
// looked at, not converted, so a sync converts it again.
RecordingRecord ReadRecord(const std::vector<SqlValue>& cells) {
    RecordingRecord record;
    record.sourcePath = Text(cells[0]);
    record.station = Text(cells[1]);
    record.fileSize = Integer(cells[2]);
    record.fileMtime = Integer(cells[3]);
    record.startTime = Optional<double>(cells[4]);
    record.spanSeconds = Optional<double>(cells[5]);
    record.outcome = OutcomeFromText(Text(cells[6])).value_or(RecordingOutcome::Seen);
    if (cells.size() == kScanColumnCount) return record;
    record.message = Text(cells[7]);
    record.recordedAt = Integer(cells[8]);
    record.host = Text(cells[9]);
    record.claimedBy = Text(cells[10]);
    record.claimedUntil = Optional<std::int64_t>(cells[11]);
    return record;
}

std::vector<SqlValue> RecordValues(const RecordingRecord& r) {
    return {r.sourcePath,
            r.station,
            r.fileSize,
            r.fileMtime,
            Nullable(r.startTime),
            Nullable(r.spanSeconds),
            std::string(OutcomeText(r.outcome)),
            NullableText(r.message),
            r.recordedAt,
            r.host,
            NullableText(r.claimedBy),
            Nullable(r.claimedUntil)};
}

// LIKE's own characters in a path match only themselves.
std::string LikePrefix(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '\\' || c == '%' || c == '_') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

void LoadTraces(OdbcConnection& connection, const std::string& where,
                const std::vector<SqlValue>& params, RecordingRecords& records) {
    OdbcStatement statement(connection);
    statement.Execute(
        "SELECT t.source_path, t.channel, t.trace_path FROM kelvaron_recording_traces t "
        "JOIN kelvaron_recordings r ON r.source_path = t.source_path WHERE " +
            where + " ORDER BY t.source_path, t.channel, t.trace_path",
        params);
    OdbcRowStream rows(statement, {SqlType::Text, SqlType::Text, SqlType::Text});
    while (const std::vector<SqlValue>* cells = rows.Next()) {
        auto found = records.find(Text((*cells)[0]));
        if (found == records.end()) continue;
        found->second.traces.push_back({Text((*cells)[1]), Text((*cells)[2])});
    }
}

RecordingRecords LoadRecords(OdbcConnection& connection, const std::string& where,
                             const std::vector<SqlValue>& params, bool withTraces, bool full = true,
                             RowBlockShape shape = {}) {
    RecordingRecords records;
    OdbcStatement statement(connection);
    statement.Execute(std::string(kScanColumns) + (full ? kMoreColumns : "") +
                          " FROM kelvaron_recordings r WHERE " + where,
                      params);
    const std::size_t columns = full ? kRecordTypes.size() : kScanColumnCount;
    OdbcRowStream rows(statement, {kRecordTypes.begin(), kRecordTypes.begin() + columns}, shape);
    while (const std::vector<SqlValue>* cells = rows.Next()) {
        RecordingRecord record = ReadRecord(*cells);
        std::string key = record.sourcePath;
        records.emplace(std::move(key), std::move(record));
    }
    if (withTraces) LoadTraces(connection, where, params, records);
    return records;
}

std::optional<RecordingRecord> LoadOne(OdbcConnection& connection, const std::string& sourcePath) {
    RecordingRecords found =
        LoadRecords(connection, "r.source_path = ?", {sourcePath}, false, true, {.rows = 1});
    if (found.empty()) return std::nullopt;
    return std::move(found.begin()->second);
}

}  // namespace

std::string_view OutcomeText(RecordingOutcome outcome) {
    return kOutcomeTexts[static_cast<std::size_t>(outcome)];
}

std::optional<RecordingOutcome> OutcomeFromText(std::string_view text) {
    for (std::size_t i = 0; i < kOutcomeTexts.size(); ++i)
        if (kOutcomeTexts[i] == text) return static_cast<RecordingOutcome>(i);
    return std::nullopt;
}

std::string RecordKey(std::string_view path) { return platform::Text8ToUtf8(path); }

bool RecordExists(OdbcConnection& connection) {
    return ExistingRecordTables(connection).size() == kRecordTables.size();
}

RecordingRecords LoadStationRecords(OdbcConnection& connection, const std::string& station,
                                    bool withTraces) {
    return LoadRecords(connection, "r.station = ?", {station}, withTraces);
}

namespace {

// The paths that begin with prefix: a range of the key's index where the
// column compares bytes (SQLite's default; "C" on PostgreSQL, which uses the
// index only when the column has that collation), else a LIKE.
ScanNeed PrefixCondition(OdbcConnection& connection, const std::string& prefix) {
    std::string upper = prefix;
    upper.back() = '/' + 1;
    switch (connection.dbms()) {
        case Dbms::SQLite:
            return {"r.source_path >= ? AND r.source_path < ?", {prefix, upper}, {}};
        case Dbms::PostgreSQL:
            return {"r.source_path COLLATE \"C\" >= ? AND r.source_path COLLATE \"C\" < ?",
                    {prefix, upper},
                    {}};
        default:
            return {"r.source_path LIKE ? ESCAPE '\\'", {LikePrefix(prefix) + "%"}, {}};
    }
}

std::string DirectoryPrefix(const std::string& directory) {
    std::string prefix = RecordKey(directory);
    if (prefix.empty() || prefix.back() != '/') prefix += '/';
    return prefix;
}

RecordingRecords LoadPrefixed(OdbcConnection& connection, const std::string& prefix,
                              bool withTraces, bool full, const ScanNeed* need) {
    const ScanNeed condition = PrefixCondition(connection, prefix);
    std::string where = condition.where;
    std::vector<SqlValue> params = condition.params;
    if (need) {
        where += " AND (" + need->where + ")";
        params.insert(params.end(), need->params.begin(), need->params.end());
    }
    return LoadRecords(connection, where, params, withTraces, full);
}

RecordingRecords LoadDirectory(OdbcConnection& connection, const std::string& directory,
                               bool withTraces, bool full, const ScanNeed* need = nullptr) {
    const std::string prefix = DirectoryPrefix(directory);
    RecordingRecords records = LoadPrefixed(connection, prefix, withTraces, full, need);
    // LIKE folds case on some systems; a path below a subdirectory is not an
    // entry of this one.
    for (auto it = records.begin(); it != records.end();) {
        const std::string& path = it->first;
        const bool inside = path.compare(0, prefix.size(), prefix) == 0 &&
                            path.find('/', prefix.size()) == std::string::npos;
        it = inside ? std::next(it) : records.erase(it);
    }
    return records;
}

}  // namespace

RecordingRecords LoadDirectoryRecords(OdbcConnection& connection, const std::string& directory,
                                      bool withTraces) {
    return LoadDirectory(connection, directory, withTraces, true);
}

RecordingRecords LoadDirectoryScan(OdbcConnection& connection, const std::string& directory) {
    return LoadDirectory(connection, directory, false, false);
}

namespace {

constexpr double kLargest = 1e15;

}  // namespace

bool PlacedRecord(const RecordingRecord& record) {
    return record.startTime && record.spanSeconds && *record.startTime >= -kLargest &&
           *record.startTime <= kLargest && *record.spanSeconds >= 0 &&
           *record.spanSeconds <= kLargest;
}

void RecordsSum::Add(const RecordingRecord& record) {
    if (record.outcome == RecordingOutcome::Seen) ++unsettled;
    const std::string name = platform::Text8ToUtf8(record.station);
    if (!severalStations && !station) {
        station = name;
    } else if (station && *station != name) {
        station.reset();
        severalStations = true;
    }
    if (!PlacedRecord(record)) {
        ++unplaced;
        return;
    }
    const double end = *record.startTime + *record.spanSeconds;
    firstStart = firstStart ? std::min(*firstStart, *record.startTime) : *record.startTime;
    lastEnd = lastEnd ? std::max(*lastEnd, end) : end;
}

std::int64_t CountPrefixedRecords(OdbcConnection& connection, const std::string& directory) {
    const ScanNeed prefix = PrefixCondition(connection, DirectoryPrefix(directory));
    OdbcStatement statement(connection);
    statement.Execute("SELECT COUNT(*) FROM kelvaron_recordings r WHERE " + prefix.where,
                      prefix.params);
    if (!statement.Fetch()) return 0;
    return Optional<std::int64_t>(statement.Get(1, SqlType::BigInt)).value_or(0);
}

ScanNeed UnsettledRecords() {
    std::string settled;
    for (std::size_t i = 1; i < kOutcomeTexts.size(); ++i)
        settled += (settled.empty() ? "'" : ", '") + std::string(kOutcomeTexts[i]) + "'";
    return {"r.outcome IS NULL OR r.outcome NOT IN (" + settled + ")",
            {},
            [](const RecordsSum& sum) { return sum.unsettled == 0; }};
}

ScanNeed RecordsNearWindow(const std::string& station, double windowStart, double windowEnd) {
    // Outside the window by more than a second either way, judged only for
    // placed records (PlacedRecord), where no rounding can turn the answer.
    // NULLs are tested first: a comparison with one is neither true nor false.
    constexpr double kMargin = 1;
    const double before = windowStart - kMargin, after = windowEnd + kMargin;
    std::string name = platform::Text8ToUtf8(station);
    ScanNeed need{
        "NOT (r.station = ? AND r.start_time IS NOT NULL AND "
        "r.span_seconds IS NOT NULL AND r.start_time >= ? AND r.start_time <= ? AND "
        "r.span_seconds >= 0 AND r.span_seconds <= ? AND "
        "(r.start_time + r.span_seconds < ? OR r.start_time > ?))",
        {name, -kLargest, kLargest, kLargest, before, after},
        {}};
    need.noneNeeded = [name, before, after](const RecordsSum& sum) {
        return sum.unplaced == 0 && sum.station == name && sum.firstStart && sum.lastEnd &&
               (*sum.lastEnd < before || *sum.firstStart > after);
    };
    return need;
}

RecordingRecords LoadDirectoryScan(OdbcConnection& connection, const std::string& directory,
                                   const ScanNeed& need) {
    return LoadDirectory(connection, directory, false, false, &need);
}

void WriteRecordingRecord(OdbcConnection& connection, const RecordingRecord& record,
                          bool listings) {
    WriteRecordingRecords(connection, {record}, listings);
}

void WriteRecordingRecords(OdbcConnection& connection, const std::vector<RecordingRecord>& records,
                           bool listings) {
    WriteTransaction transaction(connection);
    OdbcStatement statement(connection);
    if (listings) {
        std::set<std::string> directories;
        for (const RecordingRecord& record : records)
            directories.insert(ListingDirectoryOf(record.sourcePath));
        TouchSourceListings(statement, directories);
    }
    // PostgreSQL is sent the statements in requests of many, which it still
    // runs in turn: across a network each request costs a round trip.
    const std::size_t perRequest =
        connection.dbms() == Dbms::PostgreSQL ? kStatementsPerRequest : 1;
    std::string sql;
    std::vector<SqlValue> params;
    std::size_t pending = 0;
    const auto send = [&] {
        if (pending == 0) return;
        statement.Execute(sql, params);
        sql.clear();
        params.clear();
        pending = 0;
    };
    const auto add = [&](const std::string& next, const std::vector<SqlValue>& values) {
        sql += (sql.empty() ? "" : "; ") + next;
        params.insert(params.end(), values.begin(), values.end());
        if (++pending >= perRequest) send();
    };
    for (const RecordingRecord& record : records) {
        RecordingRecord stored = record;
        stored.claimedBy.clear();
        stored.claimedUntil.reset();
        // An update in place, not a delete and an insert: two converters
        // recording one recording at once would both insert. The row's lock
        // then keeps the second one's traces until the first has committed.
        add(std::string(kInsertRecord) + kReplaceRecord, RecordValues(stored));
        add("DELETE FROM kelvaron_recording_traces WHERE source_path = ?", {record.sourcePath});
        if (record.traces.empty()) continue;
        std::string insert =
            "INSERT INTO kelvaron_recording_traces (source_path, channel, trace_path) VALUES ";
        std::vector<SqlValue> values;
        for (const RecordedTrace& trace : record.traces) {
            insert += values.empty() ? "(?, ?, ?)" : ", (?, ?, ?)";
            values.insert(values.end(), {record.sourcePath, trace.channel, trace.tracePath});
        }
        add(insert + " ON CONFLICT (source_path, trace_path) DO NOTHING", values);
    }
    send();
    transaction.Commit();
}

std::optional<RecordingRecord> ClaimRecording(OdbcConnection& connection,
                                              const RecordingRecord& entry,
                                              const std::string& claimant, std::int64_t now,
                                              std::int64_t claimedUntil, bool listings) {
    WriteTransaction transaction(connection);
    OdbcStatement statement(connection);
    RecordingRecord fresh = entry;
    fresh.outcome = RecordingOutcome::Seen;
    fresh.startTime.reset();
    fresh.spanSeconds.reset();
    fresh.message.clear();
    fresh.recordedAt = now;
    fresh.claimedBy = claimant;
    fresh.claimedUntil = claimedUntil;
    // A claim is only asked for an entry that is new or changed, or still to
    // convert: its directory's digest goes either way. Taken first, as every
    // writer does, so that two transactions wait for each other in one order.
    if (listings) TouchSourceListings(statement, {ListingDirectoryOf(entry.sourcePath)});
    // Both systems take the conflict clause; a second converter's insert
    // waits for the first one's commit and then inserts nothing.
    statement.Execute(std::string(kInsertRecord) + " ON CONFLICT (source_path) DO NOTHING",
                      RecordValues(fresh));
    bool won = statement.AffectedRows() == 1;
    if (!won) {
        // The condition is judged again on the row as the other's commit left
        // it, so of two converters at most one sees the claim free.
        statement.Execute(
            "UPDATE kelvaron_recordings SET claimed_by = ?, claimed_until = ? "
            "WHERE source_path = ? AND (claimed_by IS NULL OR claimed_by = ? OR "
            "claimed_until IS NULL OR claimed_until < ?)",
            {claimant, claimedUntil, entry.sourcePath, claimant, now});
        won = statement.AffectedRows() == 1;
    }
    std::optional<RecordingRecord> claimed;
    if (won) claimed = LoadOne(connection, entry.sourcePath);
    transaction.Commit();
    return claimed;
}

std::optional<std::string> RecordedSourceOf(OdbcConnection& connection,
                                            const std::string& tracePath) {
    OdbcStatement statement(connection);
    // The latest writer of a path is the one whose file is there.
    statement.Execute(
        "SELECT t.source_path FROM kelvaron_recording_traces t "
        "JOIN kelvaron_recordings r ON r.source_path = t.source_path "
        "WHERE t.trace_path = ? ORDER BY r.recorded_at DESC",
        {tracePath});
    if (!statement.Fetch()) return std::nullopt;
    return Text(statement.Get(1, SqlType::Text));
}

void ReleaseRecording(OdbcConnection& connection, const std::string& sourcePath,
                      const std::string& claimant) {
    OdbcStatement statement(connection);
    statement.Execute(
        "UPDATE kelvaron_recordings SET claimed_by = NULL, claimed_until = NULL "
        "WHERE source_path = ? AND claimed_by = ?",
        {sourcePath, claimant});
}

}  // namespace catalog
