// What a converter last saw of a source directory (kelvaron_source_listings):
// a digest of its entries, kept when each entry had its record as seen, and
// a count of the writes to those records since. A look whose entries give
// the same digest, with no record of the directory written since, knows
// every entry is as recorded without reading the records.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "catalog/odbc_connection.h"
#include "catalog/recording_record.h"

namespace catalog {

class OdbcStatement;

inline constexpr const char* kListingTable = "kelvaron_source_listings";

// Whether the catalogue has the table (an older record has not: runs then
// read every record). Raises DatabaseError.
bool ListingTableExists(OdbcConnection& connection);

struct SourceListing {
    std::optional<std::string> digest;       // nullopt: none kept, or a record written since
    std::int64_t generation = 0;             // 0 when the directory has no row
    std::optional<std::int64_t> records;     // CountPrefixedRecords when digest was kept
    std::optional<std::int64_t> lastChange;  // the entries' newest inode change then, ns
    RecordsSum sum;                          // of the entries' records, then
};

// The directory's row (directory as its entries' record paths begin, with
// its "/"). Raises DatabaseError.
SourceListing LoadSourceListing(OdbcConnection& connection, const std::string& directory);

// Keeps digest for the directory, if its records were written exactly
// `generation` times (the count a converter read before reading them, plus
// its own writes since): otherwise another converter wrote one meanwhile,
// and nothing is kept. True when kept. Raises DatabaseError.
bool KeepSourceListing(OdbcConnection& connection, const std::string& directory,
                       const std::string& digest, std::int64_t generation, std::int64_t records,
                       std::int64_t lastChange, const RecordsSum& sum);

// Counts a write to the records of the directories' entries and clears
// their digests; inside the writing transaction, on its statement.
void TouchSourceListings(OdbcStatement& statement, const std::set<std::string>& directories);

// The directory of a record path: up to and with its last "/".
std::string ListingDirectoryOf(const std::string& recordPath);

}  // namespace catalog
