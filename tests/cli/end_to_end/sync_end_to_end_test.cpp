// kelvaron-batch sync, and the window run over the record of recordings, on
// each catalogue back end: what is new or changed is converted whatever its
// time, what is unchanged is neither converted nor rewritten, an archive
// that window runs filled is taken as it is, and two syncs at once convert
// each recording once.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <functional>
#include <future>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "catalog/catalogue.h"
#include "catalog/recording_record.h"
#include "catalog/schema_install.h"
#include "catalog/sql_script.h"
#include "platform/host_name.h"
#include "platform/message_catalogue.h"
#include "platform/operator_texts.h"
#include "tests/cli/end_to_end/batch_process.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/catalogue_queries.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace {

using catalog::SqlType;
using cli_test::BatchResult;
using testing_support::CountRows;
using testing_support::QueryCatalogue;
using testing_support::RecordingPlan;
using Strings = std::vector<std::string>;

// Every column of every record: a run that rewrites one changes recorded_at.
constexpr const char* kAllRecords =
    "SELECT source_path, station, file_size, file_mtime, start_time, span_seconds, outcome, "
    "message, recorded_at, host FROM kelvaron_recordings ORDER BY source_path";
const std::vector<SqlType> kRecordTypes = {
    SqlType::Text,   SqlType::Text, SqlType::BigInt, SqlType::BigInt, SqlType::Double,
    SqlType::Double, SqlType::Text, SqlType::Text,   SqlType::BigInt, SqlType::Text};

int Occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// The names of the recordings a verbose run says it converted, sorted.
Strings ConvertedNames(const std::string& errors) {
    Strings names;
    std::istringstream lines(errors);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("конвертирован ", 0) == 0) names.push_back(line.substr(line.rfind('/') + 1));
    std::sort(names.begin(), names.end());
    return names;
}

class SyncEndToEnd : public testing_support::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        if (HasFatalFailure()) return;
        ::mkdir(work.File("data").c_str(), 0755);
        testing_support::WriteTvxIni(work.File("tvx.ini"), backend().Login(), work.File("data"));
        work.Write("kelvaron.ini",
                   "[KELVARON]\r\nNSTA=1\r\nSTA0=STA1\r\nDIR=src\r\n"
                   "TIME=14:00:00 29/11/2007\r\nTIMEQTY=000 01:00:00\r\n");
    }

    void Upgrade() { ASSERT_TRUE(catalog::UpgradeCatalogueSchema(theDatabase).upgraded); }

    // A recording of STA1 in src/, last modified `age` seconds ago.
    void Put(const std::string& name, const std::string& date, const std::string& time,
             int records = 3, int age = 600) {
        RecordingPlan plan;
        plan.date = date;
        plan.time = time;
        plan.data.records = records;
        testing_support::MakeRecording(plan).WriteTo(work.File("src/" + name));
        Age(name, age);
    }
    void Age(const std::string& name, int seconds) {
        const auto then = std::chrono::system_clock::now() - std::chrono::seconds(seconds);
        const timespec t{std::chrono::system_clock::to_time_t(then), 0};
        const timespec times[2] = {t, t};
        ASSERT_EQ(::utimensat(AT_FDCWD, work.File("src/" + name).c_str(), times, 0), 0);
    }
    // Rewrites a header text in place: same size, same modification time.
    void RewriteInPlace(const std::string& name, const std::string& from, const std::string& to) {
        struct stat before {};
        ASSERT_EQ(::stat(work.File("src/" + name).c_str(), &before), 0);
        std::string bytes = testing_support::ReadFileBytes(work.File("src/" + name));
        ASSERT_NE(bytes.find(from), std::string::npos);
        bytes.replace(bytes.find(from), from.size(), to);
        work.Write("src/" + name, bytes);
        const timespec times[2] = {before.st_mtim, before.st_mtim};
        ASSERT_EQ(::utimensat(AT_FDCWD, work.File("src/" + name).c_str(), times, 0), 0);
    }

    BatchResult Batch(const Strings& args) {
        return cli_test::RunBatchProcess(work.path(), args, {"TVX_INI=" + work.File("tvx.ini")});
    }
    std::vector<testing_support::Row> Records() {
        return QueryCatalogue(kAllRecords, kRecordTypes);
    }
    // The trace files with their modification times.
    std::vector<std::pair<std::string, std::int64_t>> Traces() {
        std::vector<std::pair<std::string, std::int64_t>> traces;
        for (auto& row :
             QueryCatalogue("SELECT CPATH FROM FILELIST ORDER BY CPATH", {SqlType::Text})) {
            const std::string path = std::get<std::string>(row[0]);
            struct stat st {};
            ::stat(work.File("data/" + path).c_str(), &st);
            traces.emplace_back(path, st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec);
        }
        return traces;
    }

    testing_support::TempDir work;
};

TEST_P(SyncEndToEnd, ConvertsWhatIsNewOrChangedWhateverItsTimeAndNothingElse) {
    Upgrade();
    Put("a.dat", "29.11.2007", "14:30:45");
    Put("b.dat", "29.11.2007", "16:00:00");
    const struct {
        const char* name;
        std::function<void()> change;
        Strings args;
        Strings converted;
        bool writes;  // the record, the rows or a trace file change
    } steps[] = {
        {"first sync", [] {}, {"sync", "-v"}, {"a.dat", "b.dat"}, true},
        {"a recording dated a week earlier dropped in",
         [&] { Put("c.dat", "22.11.2007", "09:00:00"); },
         {"sync", "-v"},
         {"c.dat"},
         true},
        {"one still arriving is left",
         [&] { Put("d.dat", "29.11.2007", "17:00:00", 3, 0); },
         {"sync", "-v"},
         {},
         false},
        {"once settled it is converted",
         [&] { Age("d.dat", 120); },
         {"sync", "-v"},
         {"d.dat"},
         true},
        {"a changed recording",
         [&] { Put("b.dat", "29.11.2007", "16:00:00", 5); },
         {"sync", "-v"},
         {"b.dat"},
         true},
        {"--from leaves what ended before it",
         [&] { Put("e.dat", "01.11.2007", "09:00:00"); },
         {"sync", "-v", "--from", "2007-11-20"},
         {},
         true},
        {"and a sync without it converts it", [] {}, {"sync", "-v"}, {"e.dat"}, true},
        {"the plan of a dry run writes nothing",
         [&] { Put("f.dat", "30.11.2007", "00:00:00"); },
         {"sync", "-n"},
         {},
         false},
        {"the recording the dry run planned", [] {}, {"sync", "-v"}, {"f.dat"}, true},
        {"nothing changed", [] {}, {"sync", "-v"}, {}, false},
        // Decided from the record, never read: had the window run read b's
        // rewritten header it would convert b, now inside the window.
        {"a window run judges an unchanged recording by its record",
         [&] { RewriteInPlace("b.dat", "TIME_INT=16:00:00", "TIME_INT=14:20:00"); },
         {"window", "-v"},
         {"a.dat"},
         true},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        const auto records = Records();
        const auto traces = Traces();
        const BatchResult run = Batch(step.args);
        EXPECT_EQ(run.status, 0) << run.errors;
        EXPECT_EQ(ConvertedNames(run.errors), step.converted) << run.errors;
        if (!step.writes) {
            EXPECT_EQ(Records(), records);
            EXPECT_EQ(Traces(), traces);
        }
    }
    EXPECT_EQ(CountRows("kelvaron_recordings", "outcome = 'converted'"), 6);
    EXPECT_EQ(CountRows("kelvaron_recording_traces"), 18);
}

TEST_P(SyncEndToEnd, TheFirstSyncOverAnArchiveThatWindowRunsFilledWritesNothing) {
    Put("a.dat", "29.11.2007", "14:30:45");
    Put("b.dat", "29.11.2007", "14:50:00");
    const BatchResult window = Batch({"window"});
    ASSERT_EQ(window.status, 0) << window.errors;
    const BatchResult refused = Batch({"sync"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.errors.find("kelvaron-batch catalogue upgrade"), std::string::npos)
        << refused.errors;
    Upgrade();
    const auto traces = Traces();
    ASSERT_EQ(traces.size(), 6u);

    const BatchResult sync = Batch({"sync", "-v"});
    EXPECT_EQ(sync.status, 0) << sync.errors;
    EXPECT_EQ(ConvertedNames(sync.errors), Strings{}) << sync.errors;
    EXPECT_EQ(Traces(), traces);
    EXPECT_EQ(CountRows("eventlist"), 0);
    EXPECT_EQ(CountRows("kelvaron_recordings", "outcome = 'converted'"), 2);
    EXPECT_EQ(CountRows("kelvaron_recording_traces"), 6);
}

// A sync over a directory whose listing it kept takes every entry the
// listing covers as recorded without reading its record; whatever else
// changes the directory or its record since is seen all the same.
TEST_P(SyncEndToEnd, AnUnchangedDirectoryIsTakenFromItsListingUntilAnythingChanges) {
    Upgrade();
    Put("a.dat", "29.11.2007", "14:30:45");
    Put("b.dat", "29.11.2007", "16:00:00");
    ASSERT_EQ(Batch({"sync"}).status, 0);
    const struct {
        const char* name;
        std::function<void()> change;
        Strings converted;
        int recorded;  // records of converted recordings after the sync
        bool writesTraces;
        int seen = 0;  // records left "seen"
    } steps[] = {
        {"nothing changed", [] {}, {}, 2, false},
        {"an older recording dropped in",
         [&] { Put("c.dat", "22.11.2007", "09:00:00"); },
         {"c.dat"},
         3,
         true},
        // The probe: a record changed by hand, behind the converters' backs,
        // is not read when the listing covers its entry.
        {"one more dropped in, the rest taken from the listing unread",
         [&] {
             testing_support::ExecuteOnCatalogue(
                 "UPDATE kelvaron_recordings SET outcome = 'seen' WHERE source_path LIKE "
                 "'%/a.dat'");
             Put("d.dat", "23.11.2007", "09:00:00");
         },
         {"d.dat"},
         3,
         true,
         1},
        {"the record emptied by hand",
         [] {
             testing_support::ExecuteOnCatalogue("DELETE FROM kelvaron_recording_traces");
             testing_support::ExecuteOnCatalogue("DELETE FROM kelvaron_recordings");
         },
         {},  // taken as they are in the archive
         4,
         false},
        {"another converter records a recording as only seen",
         [&] {
             catalog::RecordingRecords records =
                 catalog::LoadDirectoryRecords(theDatabase, work.File("src/"), true);
             ASSERT_EQ(records.size(), 4u);
             catalog::RecordingRecord seen = records.begin()->second;
             seen.outcome = catalog::RecordingOutcome::Seen;
             catalog::WriteRecordingRecord(theDatabase, seen, true);
         },
         {},
         4,
         false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        const auto traces = Traces();
        const BatchResult run = Batch({"sync", "-v"});
        EXPECT_EQ(run.status, 0) << run.errors;
        EXPECT_EQ(ConvertedNames(run.errors), step.converted) << run.errors;
        EXPECT_EQ(CountRows("kelvaron_recordings", "outcome = 'converted'"), step.recorded);
        EXPECT_EQ(CountRows("kelvaron_recordings", "outcome = 'seen'"), step.seen);
        if (!step.writesTraces) {
            EXPECT_EQ(Traces(), traces);
        }
        EXPECT_EQ(CountRows("kelvaron_source_listings", "listing IS NOT NULL"), 1)
            << "each sync keeps the listing for the next";
    }
}

TEST_P(SyncEndToEnd, TwoSyncsAtOnceConvertEachRecordingOnce) {
    Upgrade();
    constexpr int kRecordings = 24;
    Strings all;
    for (int i = 0; i < kRecordings; ++i) {
        const std::string name = "r" + std::to_string(100 + i) + ".dat";
        Put(name, "29.11.2007", (i < 10 ? "0" : "") + std::to_string(i) + ":00:00");
        all.push_back(name);
    }
    // Each converter is named in its records as host:pid.
    const auto sync = [&](std::string& converter) {
        return cli_test::RunBatchProcess(
            work.path(), {"sync", "-v"}, {"TVX_INI=" + work.File("tvx.ini")},
            [&](pid_t pid) { converter = platform::HostName() + ":" + std::to_string(pid); });
    };
    std::string converter1, converter2;
    auto one = std::async(std::launch::async, [&] { return sync(converter1); });
    auto two = std::async(std::launch::async, [&] { return sync(converter2); });
    const BatchResult first = one.get(), second = two.get();
    EXPECT_EQ(first.status, 0) << first.errors;
    EXPECT_EQ(second.status, 0) << second.errors;
    Strings both = ConvertedNames(first.errors);
    const Strings other = ConvertedNames(second.errors);
    both.insert(both.end(), other.begin(), other.end());
    std::sort(both.begin(), both.end());
    EXPECT_EQ(both, all) << first.errors << second.errors;
    EXPECT_EQ(CountRows("FILELIST"), 3 * kRecordings);
    EXPECT_EQ(CountRows("kelvaron_recordings", "claimed_by IS NULL AND outcome = 'converted'"),
              kRecordings);
    for (const auto& [result, converter] : {std::pair{&first, converter1}, {&second, converter2}})
        for (const std::string& name : ConvertedNames(result->errors))
            EXPECT_EQ(CountRows("kelvaron_recordings",
                                "host = '" + converter + "' AND source_path LIKE '%/" + name + "'"),
                      1)
                << name << " by " << converter;
    // status names the converter of the last conversion.
    const BatchResult status = Batch({"status"});
    EXPECT_TRUE(status.output.find("конвертер " + converter1) != std::string::npos ||
                status.output.find("конвертер " + converter2) != std::string::npos)
        << status.output;
}

// Everything a sync leaves in the archive that a later run relies on: the
// rows (without their load dates), the record without who wrote it when, and
// the trace files' bytes.
struct Archive {
    std::vector<testing_support::Row> files, events, records, traces;
    std::map<std::string, std::string> bytes;
    bool operator==(const Archive&) const = default;
};

// A catalogue failure in the middle of a sync: PostgreSQL drops the sync's
// connection (its backend is terminated) while the third recording's first
// row goes in; SQLite, which has no connection to lose, refuses that insert.
void BreakTheThirdRecordingsRow(testing_support::CatalogueBackendKind kind) {
    if (kind == testing_support::CatalogueBackendKind::PostgreSQL) {
        testing_support::ExecuteOnCatalogue(
            "CREATE OR REPLACE FUNCTION kelvaron_test_drop() RETURNS trigger LANGUAGE plpgsql AS "
            "$$ BEGIN IF NEW.cpath LIKE '%/020000-%' THEN "
            "PERFORM pg_terminate_backend(pg_backend_pid()); PERFORM pg_sleep(10); END IF; "
            "RETURN NEW; END $$");
        testing_support::ExecuteOnCatalogue(
            "CREATE TRIGGER kelvaron_test_drop BEFORE INSERT ON FILELIST "
            "FOR EACH ROW EXECUTE FUNCTION kelvaron_test_drop()");
    } else {
        testing_support::ExecuteOnCatalogue(
            "CREATE TRIGGER kelvaron_test_drop BEFORE INSERT ON FILELIST "
            "WHEN NEW.CPATH LIKE '%/020000-%' "
            "BEGIN SELECT RAISE(ABORT, 'insert refused by the test'); END");
    }
}

TEST_P(SyncEndToEnd, ACatalogueFailureCostsOnlyTheRecordingInHand) {
    Upgrade();
    Strings all;
    for (int i = 0; i < 5; ++i) {
        all.push_back("r" + std::to_string(100 + i) + ".dat");
        Put(all.back(), "29.11.2007", "0" + std::to_string(i) + ":00:00");
    }
    const auto archive = [&] {
        Archive a;
        a.files = QueryCatalogue(
            "SELECT STA, TBEGIN, TQTY, CH, SPS, GAIN, CPATH, FOFF, DATATYPE, CREATER FROM "
            "FILELIST ORDER BY CPATH",
            {SqlType::Text, SqlType::Double, SqlType::Double, SqlType::Text, SqlType::Double,
             SqlType::Integer, SqlType::Text, SqlType::Integer, SqlType::Integer, SqlType::Text});
        a.events = QueryCatalogue("SELECT sta, tbegin FROM eventlist ORDER BY sta, tbegin",
                                  {SqlType::Text, SqlType::Double});
        a.records = QueryCatalogue(
            "SELECT source_path, station, file_size, file_mtime, start_time, span_seconds, "
            "outcome, message, claimed_by FROM kelvaron_recordings ORDER BY source_path",
            {SqlType::Text, SqlType::Text, SqlType::BigInt, SqlType::BigInt, SqlType::Double,
             SqlType::Double, SqlType::Text, SqlType::Text, SqlType::Text});
        a.traces = QueryCatalogue(
            "SELECT source_path, channel, trace_path FROM kelvaron_recording_traces "
            "ORDER BY source_path, trace_path",
            {SqlType::Text, SqlType::Text, SqlType::Text});
        for (const auto& entry : std::filesystem::recursive_directory_iterator(work.File("data")))
            if (entry.is_regular_file())
                a.bytes[entry.path().string()] = testing_support::ReadFileBytes(entry.path());
        return a;
    };

    BreakTheThirdRecordingsRow(GetParam());
    const BatchResult broken = Batch({"sync", "-v"});
    testing_support::ExecuteOnCatalogue(
        "DROP TRIGGER kelvaron_test_drop" +
        std::string(GetParam() == testing_support::CatalogueBackendKind::SQLite ? ""
                                                                                : " ON FILELIST"));
    EXPECT_EQ(broken.status, 1) << broken.errors;
    EXPECT_EQ(ConvertedNames(broken.errors), (Strings{all[0], all[1], all[3], all[4]}))
        << broken.errors;
    std::size_t failures = 0;
    std::istringstream lines(broken.errors);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("kelvaron: ", 0) == 0) {
            ++failures;
            EXPECT_NE(line.find("файл src/" + all[2] + ")"), std::string::npos) << line;
        }
    EXPECT_EQ(failures, 1u) << broken.errors;
    EXPECT_EQ(CountRows("kelvaron_recordings", "outcome = 'converted'"), 4);
    // The claim on the failed recording is no longer held.
    EXPECT_EQ(CountRows("kelvaron_recordings", "claimed_by IS NOT NULL"), 0);

    const BatchResult rest = Batch({"sync", "-v"});
    EXPECT_EQ(rest.status, 0) << rest.errors;
    EXPECT_EQ(ConvertedNames(rest.errors), Strings{all[2]}) << rest.errors;
    const Archive afterTheFailure = archive();

    for (const char* table :
         {"FILELIST", "eventlist", "kelvaron_recording_traces", "kelvaron_recordings"})
        testing_support::ExecuteOnCatalogue(std::string("DELETE FROM ") + table);
    std::filesystem::remove_all(work.File("data/STA1"));
    const BatchResult clean = Batch({"sync"});
    EXPECT_EQ(clean.status, 0) << clean.errors;
    const Archive cleanRun = archive();
    EXPECT_EQ(afterTheFailure.files.size(), 15u);
    EXPECT_TRUE(afterTheFailure == cleanRun);
}

// A catalogue that takes no writes ends the sync at its first claim; the
// summary names the recordings it leaves, as a time-window run's does: those
// new or changed since the record, not the one recorded as converted.
TEST_P(SyncEndToEnd, ACatalogueRefusingWritesEndsTheSyncAndNamesWhatIsLeft) {
    Upgrade();
    Put("a.dat", "29.11.2007", "01:00:00");
    ASSERT_EQ(Batch({"sync"}).status, 0);
    Put("b.dat", "29.11.2007", "02:00:00");
    Put("c.dat", "29.11.2007", "03:00:00");
    Put("d.dat", "29.11.2007", "04:00:00");
    testing_support::WriteTvxIni(work.File("tvx.ini"), backend().ReadOnlyLogin(),
                                 work.File("data"));
    const BatchResult result = Batch({"sync"});
    EXPECT_EQ(result.status, 1) << result.errors;
    EXPECT_NE(
        result.errors.find(platform::TranslateMessage(platform::texts::kCatalogueRefusesWrites)),
        std::string::npos)
        << result.errors;
    EXPECT_NE(result.errors.find(platform::texts::SummaryLeftUnconverted(2, "STA1 2")),
              std::string::npos)
        << result.errors;
    EXPECT_EQ(CountRows("FILELIST"), 3);
}

// A source path of about 2000 bytes: a new catalogue records it; one whose
// record was made with 1024-character paths (PostgreSQL holds it to that)
// refuses each such recording by name and cause, and the station goes on.
TEST_P(SyncEndToEnd, ALongSourcePathIsRecordedOrRefusedByName) {
    const bool postgres = GetParam() == testing_support::CatalogueBackendKind::PostgreSQL;
    std::string deep = work.File("");
    for (int i = 0; i < 10; ++i) deep += std::string(200, static_cast<char>('a' + i)) + "/";
    ASSERT_TRUE(std::filesystem::create_directories(deep + "src"));
    work.Write(deep.substr(work.path().size() + 1) + "kelvaron.ini",
               "[KELVARON]\r\nNSTA=1\r\nSTA0=STA1\r\nDIR=src\r\n"
               "TIME=00:00:00 29/11/2007\r\nTIMEQTY=000 03:00:00\r\n");
    const Strings names = {"long-a.dat", "long-b.dat"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        RecordingPlan plan;
        plan.time = "0" + std::to_string(i) + ":00:00";
        const std::string path = deep + "src/" + names[i];
        testing_support::MakeRecording(plan).WriteTo(path);
        const timespec old{std::time(nullptr) - 600, 0};
        const timespec times[2] = {old, old};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }
    const std::size_t bytes = (deep + "src/" + names[0]).size();
    ASSERT_GT(bytes, 2000u);
    const struct {
        const char* name;
        bool narrow;
    } cases[] = {{"a new catalogue", false}, {"a catalogue made with the narrow column", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* table : {"kelvaron_source_listings", "kelvaron_recording_traces",
                                  "kelvaron_recordings", "FILELIST", "eventlist"})
            testing_support::ExecuteOnCatalogue(std::string("DROP TABLE IF EXISTS ") + table);
        testing_support::ExecuteOnCatalogue("DROP TABLE sitechan");
        catalog::ExecuteSqlScript(theDatabase,
                                  testing_support::ReadFileBytes(backend().SchemaPath()));
        std::filesystem::remove_all(work.File("data/STA1"));
        // SQLite keeps a text of any length whatever its declared type: its
        // older catalogues take the path as they are.
        if (c.narrow && postgres)
            for (const char* table : {"kelvaron_recordings", "kelvaron_recording_traces"})
                testing_support::ExecuteOnCatalogue(std::string("ALTER TABLE ") + table +
                                                    " ALTER COLUMN source_path TYPE VARCHAR(1024)");
        const BatchResult run =
            cli_test::RunBatchProcess(deep, {"sync", "-v"}, {"TVX_INI=" + work.File("tvx.ini")});
        const bool refused = c.narrow && postgres;
        EXPECT_EQ(run.status, refused ? 1 : 0) << run.errors;
        EXPECT_EQ(ConvertedNames(run.errors), refused ? Strings{} : names) << run.errors;
        for (const std::string& name : names)
            EXPECT_EQ(Occurrences(run.errors, platform::texts::RecordPathTooLong(bytes) +
                                                  " (Станция STA1, файл src/" + name + ")"),
                      refused ? 1 : 0)
                << run.errors;
        EXPECT_EQ(CountRows("kelvaron_recordings", "outcome = 'converted'"), refused ? 0 : 2);
        EXPECT_EQ(CountRows("FILELIST"), refused ? 0 : 6);
        // A window run writes the traces first: one the record cannot keep
        // is counted a failure, not converted as well.
        const BatchResult window =
            cli_test::RunBatchProcess(deep, {"window"}, {"TVX_INI=" + work.File("tvx.ini")});
        EXPECT_EQ(window.status, refused ? 1 : 0) << window.errors;
        EXPECT_NE(window.errors.find(refused ? ", конвертировано 0, " : ", конвертировано 2, "),
                  std::string::npos)
            << window.errors;
    }
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(SyncEndToEnd);

}  // namespace
