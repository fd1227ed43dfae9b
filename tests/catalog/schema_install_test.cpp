// Setting up a catalogue on each back end: the tables on an empty database,
// a refusal that changes nothing on one that has them, and the indexes that
// the converter's row lookups need, found missing and added.
#include "catalog/schema_install.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/catalogue.h"
#include "catalog/database_error.h"
#include "catalog/lookup_indexes.h"
#include "catalog/sql_script.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/catalogue_queries.h"

namespace {

using testing_support::CountRows;
using testing_support::ExecuteOnCatalogue;
using Strings = std::vector<std::string>;

const Strings kAllTables = {"eventlist", "sitechan", "FILELIST"};

class CatalogueSetUp : public testing_support::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        if (HasFatalFailure()) return;
        for (const std::string& table : kAllTables) ExecuteOnCatalogue("DROP TABLE " + table);
    }
};

TEST_P(CatalogueSetUp, InitCreatesTheTablesWithTheirLookupIndexesOnAnEmptyCatalogue) {
    ASSERT_EQ(catalog::ExistingCatalogueTables(theDatabase), Strings{});
    const catalog::SchemaInitResult result = catalog::InitCatalogueSchema(theDatabase);
    EXPECT_TRUE(result.created);
    EXPECT_EQ(catalog::ExistingCatalogueTables(theDatabase), kAllTables);
    EXPECT_TRUE(
        catalog::MissingLookupIndexes(theDatabase, catalog::ExistingCatalogueTables(theDatabase))
            .empty());
}

TEST_P(CatalogueSetUp, InitRefusesWhenAnyTableExistsAndChangesNothing) {
    for (const std::string& table : kAllTables) {
        SCOPED_TRACE(table);
        ExecuteOnCatalogue("CREATE TABLE " + table + " (x INTEGER)");
        ExecuteOnCatalogue("INSERT INTO " + table + " (x) VALUES (7)");
        const catalog::SchemaInitResult result = catalog::InitCatalogueSchema(theDatabase);
        EXPECT_FALSE(result.created);
        EXPECT_EQ(result.existing, Strings{table});
        EXPECT_EQ(catalog::ExistingCatalogueTables(theDatabase), Strings{table});
        EXPECT_EQ(CountRows(table, "x = 7"), 1);
        ExecuteOnCatalogue("DROP TABLE " + table);
    }
}

TEST_P(CatalogueSetUp, AStatementThatFailsLeavesNoTableBehind) {
    EXPECT_THROW(
        catalog::InstallSchema(theDatabase,
                               "CREATE TABLE eventlist (sta VARCHAR(255));\n"
                               "CREATE TABLE sitechan (sta VARCHAR(255));\n"
                               "CREATE TABLE FILELIST (CPATH VARCHAR(255), CPATH INTEGER);"),
        catalog::DatabaseError);
    EXPECT_EQ(catalog::ExistingCatalogueTables(theDatabase), Strings{});
}

TEST_P(CatalogueSetUp, TheIndexCheckNamesWhatATableLacksAndAddingItSatisfiesIt) {
    const std::string keyedEvents =
        "CREATE TABLE eventlist (sta VARCHAR(255), tbegin DOUBLE PRECISION, "
        "UNIQUE (sta, tbegin))";
    const std::string keyedFiles =
        "CREATE TABLE FILELIST (STA VARCHAR(255), CPATH VARCHAR(255) "
        "NOT NULL PRIMARY KEY)";
    const std::string plainEvents =
        "CREATE TABLE eventlist (sta VARCHAR(255), tbegin DOUBLE PRECISION)";
    const std::string plainFiles = "CREATE TABLE FILELIST (STA VARCHAR(255), CPATH VARCHAR(255))";
    const struct {
        const char* name;
        std::string script;
        Strings missing;
    } cases[] = {
        {"keyed tables", keyedEvents + ";" + keyedFiles, {}},
        {"no keys", plainEvents + ";" + plainFiles, {"filelist_cpath", "eventlist_sta_tbegin"}},
        {"FILELIST unkeyed", keyedEvents + ";" + plainFiles, {"filelist_cpath"}},
        {"CPATH second in its index",
         keyedEvents + ";" + plainFiles + "; CREATE INDEX f_sta_cpath ON FILELIST (STA, CPATH)",
         {"filelist_cpath"}},
        {"events by station only",
         plainEvents + ";" + keyedFiles + "; CREATE INDEX e_sta ON eventlist (sta)",
         {"eventlist_sta_tbegin"}},
        {"events by start, then station",
         plainEvents + ";" + keyedFiles + "; CREATE INDEX e_t_s ON eventlist (tbegin, sta)",
         {}},
        {"CPATH first of two",
         keyedEvents + ";" + plainFiles + "; CREATE INDEX f_cpath_sta ON FILELIST (CPATH, STA)",
         {}},
        {"lower-case names in the index",
         plainEvents + ";" + plainFiles + "; CREATE INDEX f_c ON FILELIST (cpath)",
         {"eventlist_sta_tbegin"}},
        {"no FILELIST at all", plainEvents, {"eventlist_sta_tbegin"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const std::string& table : kAllTables)
            ExecuteOnCatalogue("DROP TABLE IF EXISTS " + table);
        catalog::ExecuteSqlScript(theDatabase, c.script);

        const std::vector<catalog::LookupIndex> missing = catalog::MissingLookupIndexes(
            theDatabase, catalog::ExistingCatalogueTables(theDatabase));
        Strings names;
        for (const catalog::LookupIndex& index : missing) names.push_back(index.name);
        EXPECT_EQ(names, c.missing);
        catalog::AddLookupIndexes(theDatabase, missing);
        EXPECT_TRUE(catalog::MissingLookupIndexes(theDatabase,
                                                  catalog::ExistingCatalogueTables(theDatabase))
                        .empty());
    }
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(CatalogueSetUp);

}  // namespace
