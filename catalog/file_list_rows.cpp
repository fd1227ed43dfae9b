#include "catalog/file_list_rows.h"

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <array>

#include "catalog/database_error.h"
#include "catalog/odbc_row_stream.h"
#include "catalog/odbc_statement.h"
#include "catalog/transaction_guard.h"

namespace catalog {

namespace {

// A column already in byte order needs no clause, and keeps its index: an
// explicit COLLATE "C" on a column of the "C" default would sort every batch.
std::string PostgresCollation(OdbcConnection& database) {
    const std::string clause = " COLLATE \"C\"";
    try {
        OdbcStatement statement(database);
        statement.Execute(
            "SELECT CAST(collation for (CPATH) AS VARCHAR(255)), (SELECT CAST(datcollate AS "
            "VARCHAR(255)) FROM pg_database WHERE datname = current_database()) FROM FILELIST "
            "LIMIT 1");
        if (!statement.Fetch()) return clause;
        const SqlValue column = statement.Get(1, SqlType::Text);
        const SqlValue database = statement.Get(2, SqlType::Text);
        const auto is = [](const SqlValue& v, const char* text) {
            const auto* s = std::get_if<std::string>(&v);
            return s && *s == text;
        };
        const bool bytewiseDefault = is(database, "C") || is(database, "POSIX");
        if (is(column, "\"C\"") || is(column, "\"POSIX\"") ||
            (is(column, "\"default\"") && bytewiseDefault))
            return "";
    } catch (const DatabaseError&) {
        // Then the explicit clause: slower, never wrong.
    }
    return clause;
}

// ORDER BY and the range bounds must use the byte order the data tree is
// walked in, whatever collation the column was declared with.
std::string BinaryCollation(OdbcConnection& database) {
    char name[64] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(database.handle(), SQL_DBMS_NAME, name, sizeof name, &length)))
        return "";
    const std::string dbms(name);
    if (dbms.find("PostgreSQL") != std::string::npos) return PostgresCollation(database);
    if (dbms.find("SQLite") != std::string::npos) return " COLLATE BINARY";
    return "";
}

std::string AsText(const SqlValue& value) {
    if (const auto* s = std::get_if<std::string>(&value)) return *s;
    return {};
}
double AsDouble(const SqlValue& value) {
    if (const auto* d = std::get_if<double>(&value)) return *d;
    return 0;
}

constexpr const char* kRowColumns = "SELECT STA, TBEGIN, TQTY, CH, SPS, CPATH FROM FILELIST";
constexpr std::array<SqlType, 6> kRowTypes = {SqlType::Text, SqlType::Double, SqlType::Double,
                                              SqlType::Text, SqlType::Double, SqlType::Text};

// Columns 1-5 of kRowColumns into row; the path is read by the caller.
void ReadRowColumns(const std::vector<SqlValue>& cells, FileListRow& row) {
    row.station = AsText(cells[0]);
    row.start = AsDouble(cells[1]);
    row.duration = AsDouble(cells[2]);
    row.channel = AsText(cells[3]);
    row.rate = AsDouble(cells[4]);
}

}  // namespace

FileListRows::FileListRows(OdbcConnection& database, std::vector<std::string> stations,
                           std::size_t batchSize)
    : database_(database),
      stations_(std::move(stations)),
      batchSize_(std::max<std::size_t>(batchSize, 1)),
      collate_(BinaryCollation(database)) {
    for (std::string& s : stations_) s += '/';
    std::sort(stations_.begin(), stations_.end());
    stations_.erase(std::unique(stations_.begin(), stations_.end()), stations_.end());
}

bool FileListRows::FetchBatch() {
    batch_.clear();
    next_ = 0;
    const std::string cpath = "CPATH" + collate_;
    std::string sql = std::string(kRowColumns) + " WHERE CPATH IS NOT NULL";
    std::vector<SqlValue> params;
    if (!stations_.empty()) {
        // "STA/" <= CPATH < "STA0": the paths below the station's directory.
        std::string upper = stations_[station_];
        upper.back() = '/' + 1;
        sql += " AND " + cpath + " >= ? AND " + cpath + " < ?";
        params.push_back(stations_[station_]);
        params.push_back(upper);
    }
    if (started_) {
        // From the last path handed out on: rows with it that were handed out
        // already are skipped below, so a path's rows are never split or lost
        // across batches.
        sql += " AND " + cpath + " >= ?";
        params.push_back(last_);
    }
    const std::size_t limit = batchSize_ + (started_ ? lastCount_ : 0);
    sql += " ORDER BY " + cpath + " LIMIT " + std::to_string(limit);

    OdbcStatement statement(database_);
    statement.Execute(sql, params);
    OdbcRowStream rows(statement, {kRowTypes.begin(), kRowTypes.end()});
    std::size_t skip = started_ ? lastCount_ : 0;
    std::size_t fetched = 0;
    while (const std::vector<SqlValue>* cells = rows.Next()) {
        ++fetched;
        FileListRow row;
        row.path = AsText((*cells)[5]);
        if (skip > 0 && row.path == last_) {
            --skip;
            continue;
        }
        skip = 0;
        ReadRowColumns(*cells, row);
        batch_.push_back(std::move(row));
    }
    return fetched == limit;  // a full batch: there may be more
}

bool FileListRows::Next(FileListRow& row) {
    while (next_ == batch_.size()) {
        if (exhausted_) {
            if (stations_.empty() || station_ + 1 >= stations_.size()) return false;
            ++station_;
            started_ = false;
            exhausted_ = false;
            lastCount_ = 0;
        }
        // A full batch leaves at least batchSize_ rows after the skipped ones.
        exhausted_ = !FetchBatch();
        started_ = true;
    }
    row = std::move(batch_[next_++]);
    if (row.path == last_ && lastCount_ > 0) {
        ++lastCount_;
    } else {
        last_ = row.path;
        lastCount_ = 1;
    }
    return true;
}

std::optional<FileListRow> FindFileListRow(OdbcConnection& database, const std::string& path) {
    OdbcStatement statement(database);
    statement.Execute(std::string(kRowColumns) + " WHERE CPATH = ?", {path});
    OdbcRowStream rows(statement, {kRowTypes.begin(), kRowTypes.end()}, {.rows = 1});
    const std::vector<SqlValue>* cells = rows.Next();
    if (!cells) return std::nullopt;
    FileListRow row;
    ReadRowColumns(*cells, row);
    row.path = path;
    return row;
}

std::int64_t RemoveFileListRows(OdbcConnection& database, const std::string& path) {
    TransactionGuard transaction(database);
    OdbcStatement statement(database);
    statement.Execute("DELETE FROM FILELIST WHERE CPATH = ?", {path});
    const std::int64_t removed = statement.AffectedRows();
    transaction.Commit();
    return removed;
}

}  // namespace catalog
