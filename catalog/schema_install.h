// Creating the catalogue's tables on an empty database. The converter itself
// never does this: it is the administrator's `catalogue init`.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/odbc_connection.h"

namespace catalog {

// The three tables the converter reads and writes, as its SQL names them.
inline constexpr std::array<const char*, 3> kCatalogueTables = {"eventlist", "sitechan",
                                                                "FILELIST"};

// The record of recordings (catalog/recording_record.h): our own tables,
// created by init with the three and added to an older catalogue by upgrade.
inline constexpr std::array<const char*, 2> kRecordTables = {"kelvaron_recordings",
                                                             "kelvaron_recording_traces"};

// Whether the connection sees a table or view of that name (SQLTables;
// compared without regard to case, as unquoted SQL names are).
bool CatalogueTableExists(OdbcConnection& connection, std::string_view table);

// Those of kCatalogueTables that exist, in that order.
std::vector<std::string> ExistingCatalogueTables(OdbcConnection& connection);

// Those of kRecordTables that exist, in that order.
std::vector<std::string> ExistingRecordTables(OdbcConnection& connection);

// The statements of script that create one of tables ("CREATE TABLE name",
// compared without regard to case), in the script's order.
std::vector<std::string> StatementsCreating(std::string_view script,
                                            const std::vector<std::string>& tables);

// Runs every statement of script in one transaction: all or nothing. Raises
// DatabaseError with the failing statement's text after rolling back.
void InstallSchema(OdbcConnection& connection, std::string_view script);
void InstallStatements(OdbcConnection& connection, const std::vector<std::string>& statements);

struct SchemaInitResult {
    bool created = false;
    std::vector<std::string> existing;  // why not: the tables already there
};

// Creates the tables with the schema for the connection's DBMS, unless any
// of them (the record's included) exists: then nothing is changed. Raises
// DatabaseError.
SchemaInitResult InitCatalogueSchema(OdbcConnection& connection);

struct SchemaUpgradeResult {
    bool upgraded = false;
    std::vector<std::string> created;      // the tables added
    std::vector<std::string> existing;     // why not: record tables already there
    std::vector<std::string> missingBase;  // why not: tables of the three not there
};

// Adds the record's tables, and nothing else, in one transaction to a
// catalogue that has the three tables and none of the record's, or the
// listings table alone to one whose record came before it; otherwise
// changes nothing. Raises DatabaseError.
SchemaUpgradeResult UpgradeCatalogueSchema(OdbcConnection& connection);

}  // namespace catalog
