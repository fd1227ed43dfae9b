// The record of recordings on each back end: added to an older catalogue
// and nothing else, read back as written, found by directory and station,
// and claimed by one converter at a time.
#include "catalog/recording_record.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "catalog/catalogue.h"
#include "catalog/connection_string.h"
#include "catalog/schema_install.h"
#include "catalog/source_listing.h"
#include "catalog/sql_script.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/catalogue_queries.h"

namespace {

using catalog::RecordingOutcome;
using catalog::RecordingRecord;
using testing_support::CountRows;
using testing_support::ExecuteOnCatalogue;
using Strings = std::vector<std::string>;

const Strings kBase = {"eventlist", "sitechan", "FILELIST"};
const Strings kRecord = {"kelvaron_recordings", "kelvaron_recording_traces"};
const std::string kListings = "kelvaron_source_listings";

class RecordOfRecordings : public testing_support::CatalogueTest {
protected:
    RecordingRecord Entry(const std::string& path, std::int64_t size = 100) {
        RecordingRecord r;
        r.sourcePath = path;
        r.station = "STA1";
        r.fileSize = size;
        // Past 2^53: a double would round it.
        r.fileMtime = 1'733'000'000'123'456'789;
        r.recordedAt = 1'733'000'000;
        r.host = "converter-1";
        return r;
    }
};

TEST_P(RecordOfRecordings, UpgradeAddsWhatTheRecordLacksOnlyWhenNothingIsInTheWay) {
    const struct {
        const char* name;
        const char* prepare;  // run on the fresh three-table catalogue
        bool upgraded;
        Strings existing, missingBase;
        Strings created;
    } cases[] = {
        {"the three tables", "", true, {}, {}, {kRecord[0], kRecord[1], kListings}},
        {"FILELIST missing", "DROP TABLE FILELIST", false, {}, {"FILELIST"}, {}},
        {"the record's first table there",
         "CREATE TABLE kelvaron_recordings (x INTEGER)",
         false,
         {"kelvaron_recordings"},
         {},
         {}},
        {"the traces table there",
         "CREATE TABLE kelvaron_recording_traces (x INTEGER)",
         false,
         {"kelvaron_recording_traces"},
         {},
         {}},
        {"a record from before the listings",
         "CREATE TABLE kelvaron_recordings (x INTEGER); "
         "CREATE TABLE kelvaron_recording_traces (x INTEGER)",
         true,
         {},
         {},
         {kListings}},
        {"the listings alone there",
         "CREATE TABLE kelvaron_source_listings (x INTEGER)",
         false,
         {kListings},
         {},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        backend().OpenFreshCatalogue();
        ExecuteOnCatalogue("INSERT INTO FILELIST (CPATH) VALUES ('kept')", {});
        if (*c.prepare) catalog::ExecuteSqlScript(theDatabase, c.prepare);
        const Strings before = catalog::ExistingRecordTables(theDatabase);
        const bool listingsBefore = catalog::ListingTableExists(theDatabase);

        const catalog::SchemaUpgradeResult result = catalog::UpgradeCatalogueSchema(theDatabase);
        EXPECT_EQ(result.upgraded, c.upgraded);
        EXPECT_EQ(result.existing, c.existing);
        EXPECT_EQ(result.missingBase, c.missingBase);
        EXPECT_EQ(result.created, c.created);
        EXPECT_EQ(catalog::ExistingRecordTables(theDatabase), c.upgraded ? kRecord : before);
        EXPECT_EQ(catalog::ListingTableExists(theDatabase), c.upgraded || listingsBefore);
        EXPECT_EQ(catalog::RecordExists(theDatabase), c.upgraded);
        if (c.missingBase.empty()) {
            EXPECT_EQ(CountRows("FILELIST", "CPATH = 'kept'"), 1);
        }
    }
    // Once there, a second upgrade and an init both refuse.
    EXPECT_FALSE(catalog::UpgradeCatalogueSchema(theDatabase).upgraded);
    EXPECT_FALSE(catalog::InitCatalogueSchema(theDatabase).created);
}

TEST_P(RecordOfRecordings, ARecordReadsBackAsWrittenAndIsFoundByItsDirectoryAndStation) {
    ASSERT_TRUE(catalog::UpgradeCatalogueSchema(theDatabase).upgraded);
    RecordingRecord full = Entry("/src/a_b/rec1.dat");
    full.startTime = 1'196'346'645.25;
    full.spanSeconds = 3600.5;
    full.outcome = RecordingOutcome::Incomplete;
    full.message = "SHZ: no space left";
    full.traces = {{"SHE", "STA1/1429112007/143045-29112007.SHE"},
                   {"SHN", "STA1/1429112007/143045-29112007.SHN"}};
    RecordingRecord bare = Entry("/src/a_b/\xEA\xF0\xE2.dat");  // a CP1251 name
    bare.station = "STA2";
    bare.outcome = RecordingOutcome::Skipped;
    const RecordingRecord elsewhere[] = {Entry("/src/aXb/rec2.dat"), Entry("/src/a_b/sub/r.dat"),
                                         Entry("/src/A_B/rec3.dat")};
    for (const RecordingRecord& r : elsewhere) catalog::WriteRecordingRecord(theDatabase, r);
    catalog::WriteRecordingRecord(theDatabase, bare);
    RecordingRecord first = full;
    first.traces = {{"SHZ", "old/path.SHZ"}};
    catalog::WriteRecordingRecord(theDatabase, first);
    catalog::WriteRecordingRecord(theDatabase, full);  // replaces record and traces

    const catalog::RecordingRecords byDirectory =
        catalog::LoadDirectoryRecords(theDatabase, "/src/a_b", true);
    ASSERT_EQ(byDirectory.size(), 2u);
    const RecordingRecord& got = byDirectory.at(catalog::RecordKey(full.sourcePath));
    EXPECT_EQ(got.station, full.station);
    EXPECT_EQ(got.fileSize, full.fileSize);
    EXPECT_EQ(got.fileMtime, full.fileMtime);
    EXPECT_EQ(got.startTime, full.startTime);
    EXPECT_EQ(got.spanSeconds, full.spanSeconds);
    EXPECT_EQ(got.outcome, full.outcome);
    EXPECT_EQ(got.message, full.message);
    EXPECT_EQ(got.recordedAt, full.recordedAt);
    EXPECT_EQ(got.host, full.host);
    EXPECT_EQ(got.traces, full.traces);
    const RecordingRecord& other = byDirectory.at(catalog::RecordKey(bare.sourcePath));
    EXPECT_EQ(other.outcome, RecordingOutcome::Skipped);
    EXPECT_FALSE(other.startTime.has_value());
    EXPECT_EQ(other.message, "");
    EXPECT_TRUE(other.traces.empty());
    EXPECT_EQ(CountRows("kelvaron_recordings", "message IS NULL"), 4);

    const catalog::RecordingRecords byStation = catalog::LoadStationRecords(theDatabase, "STA2");
    ASSERT_EQ(byStation.size(), 1u);
    EXPECT_EQ(byStation.begin()->first, catalog::RecordKey(bare.sourcePath));
}

TEST_P(RecordOfRecordings, AClaimIsWonOnlyWhenFreeOrExpired) {
    ASSERT_TRUE(catalog::UpgradeCatalogueSchema(theDatabase).upgraded);
    constexpr std::int64_t now = 2'000'000'000;
    const struct {
        const char* name;
        const char* holder;  // nullptr: no record yet; "": recorded, unclaimed
        std::int64_t until;
        bool won;
    } cases[] = {
        {"not yet recorded", nullptr, 0, true},
        {"recorded, unclaimed", "", 0, true},
        {"held by another", "other:1", now + 60, false},
        {"another's claim ended", "other:1", now - 1, true},
        {"held by this one", "me:1", now + 60, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExecuteOnCatalogue("DELETE FROM kelvaron_recordings");
        RecordingRecord entry = Entry("/src/one.dat", 555);
        if (c.holder) {
            RecordingRecord recorded = entry;
            recorded.outcome = RecordingOutcome::Converted;
            catalog::WriteRecordingRecord(theDatabase, recorded);
            if (*c.holder)
                ExecuteOnCatalogue(
                    "UPDATE kelvaron_recordings SET claimed_by = ?, claimed_until = ?",
                    {std::string(c.holder), c.until});
        }
        const auto claimed = catalog::ClaimRecording(theDatabase, entry, "me:1", now, now + 600);
        ASSERT_EQ(claimed.has_value(), c.won);
        const std::string holder = c.won ? "me:1" : c.holder;
        EXPECT_EQ(CountRows("kelvaron_recordings", "claimed_by = ?", {holder}), 1);
        if (!c.won) continue;
        EXPECT_EQ(claimed->claimedBy, "me:1");
        EXPECT_EQ(claimed->outcome,
                  c.holder ? RecordingOutcome::Converted : RecordingOutcome::Seen);
        catalog::ReleaseRecording(theDatabase, entry.sourcePath, "me:1");
        EXPECT_EQ(CountRows("kelvaron_recordings", "claimed_by IS NULL"), 1);
    }
}

TEST_P(RecordOfRecordings, OfTwoConvertersClaimingTheSameRecordingsEachIsWonOnce) {
    ASSERT_TRUE(catalog::UpgradeCatalogueSchema(theDatabase).upgraded);
    constexpr int kRecordings = 40;
    std::map<int, std::atomic<int>> wins;
    for (int i = 0; i < kRecordings; ++i) wins[i] = 0;
    const std::string connection = catalog::ComposeConnectionString(backend().Login());
    const auto claimAll = [&](const std::string& claimant) {
        try {
            catalog::OdbcConnection database;
            database.Open(connection);
            for (int i = 0; i < kRecordings; ++i) {
                const RecordingRecord entry = Entry("/src/r" + std::to_string(i) + ".dat");
                if (catalog::ClaimRecording(database, entry, claimant, 100, 1000)) ++wins[i];
            }
        } catch (const std::exception& error) {
            ADD_FAILURE() << claimant << ": " << error.what();
        }
    };
    std::thread one(claimAll, "one:1"), two(claimAll, "two:2");
    one.join();
    two.join();
    for (int i = 0; i < kRecordings; ++i) EXPECT_EQ(wins[i], 1) << "recording " << i;
    EXPECT_EQ(CountRows("kelvaron_recordings"), kRecordings);
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(RecordOfRecordings);

}  // namespace
