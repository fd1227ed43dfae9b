#include "catalog/source_listing.h"

#include "catalog/odbc_statement.h"
#include "catalog/schema_install.h"
#include "catalog/sql_value.h"

namespace catalog {

bool ListingTableExists(OdbcConnection& connection) {
    return CatalogueTableExists(connection, kListingTable);
}

SourceListing LoadSourceListing(OdbcConnection& connection, const std::string& directory) {
    OdbcStatement statement(connection);
    statement.Execute(
        "SELECT listing, generation, unsettled, unplaced, station, first_start, last_end, records, "
        "last_change "
        "FROM kelvaron_source_listings WHERE directory = ?",
        {directory});
    SourceListing found;
    if (!statement.Fetch()) return found;
    found.digest = Optional<std::string>(statement.Get(1, SqlType::Text));
    found.generation = Optional<std::int64_t>(statement.Get(2, SqlType::BigInt)).value_or(0);
    RecordsSum& sum = found.sum;
    // A row without its sum (written by hand) tells nothing: nothing is known
    // to be unneeded.
    const auto unsettled = Optional<std::int64_t>(statement.Get(3, SqlType::BigInt));
    const auto unplaced = Optional<std::int64_t>(statement.Get(4, SqlType::BigInt));
    sum.unsettled = unsettled.value_or(1);
    sum.unplaced = unplaced.value_or(1);
    sum.station = Optional<std::string>(statement.Get(5, SqlType::Text));
    sum.severalStations = !sum.station;
    sum.firstStart = Optional<double>(statement.Get(6, SqlType::Double));
    sum.lastEnd = Optional<double>(statement.Get(7, SqlType::Double));
    found.records = Optional<std::int64_t>(statement.Get(8, SqlType::BigInt));
    found.lastChange = Optional<std::int64_t>(statement.Get(9, SqlType::BigInt));
    return found;
}

bool KeepSourceListing(OdbcConnection& connection, const std::string& directory,
                       const std::string& digest, std::int64_t generation, std::int64_t records,
                       std::int64_t lastChange, const RecordsSum& sum) {
    OdbcStatement statement(connection);
    // The same values, in the same order, for both statements.
    std::vector<SqlValue> params = {digest,
                                    records,
                                    lastChange,
                                    sum.unsettled,
                                    sum.unplaced,
                                    Nullable(sum.station),
                                    Nullable(sum.firstStart),
                                    Nullable(sum.lastEnd)};
    params.emplace_back(directory);
    params.emplace_back(generation);
    statement.Execute(
        "UPDATE kelvaron_source_listings SET listing = ?, records = ?, last_change = ?, "
        "unsettled = ?, unplaced = ?, station = ?, first_start = ?, last_end = ? "
        "WHERE directory = ? AND generation = ?",
        params);
    if (statement.AffectedRows() == 1) return true;
    if (generation != 0) return false;
    // No record of the directory was written through this table yet (records
    // from before it): a first row, unless another converter made one since.
    statement.Execute(
        "INSERT INTO kelvaron_source_listings (listing, records, last_change, unsettled, "
        "unplaced, station, first_start, last_end, directory, generation) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (directory) DO NOTHING",
        params);
    return statement.AffectedRows() == 1;
}

void TouchSourceListings(OdbcStatement& statement, const std::set<std::string>& directories) {
    for (const std::string& directory : directories)
        statement.Execute(
            "INSERT INTO kelvaron_source_listings (directory, listing, generation) "
            "VALUES (?, NULL, 1) ON CONFLICT (directory) DO UPDATE SET listing = NULL, "
            "generation = kelvaron_source_listings.generation + 1",
            {directory});
}

std::string ListingDirectoryOf(const std::string& recordPath) {
    return recordPath.substr(0, recordPath.rfind('/') + 1);
}

}  // namespace catalog
