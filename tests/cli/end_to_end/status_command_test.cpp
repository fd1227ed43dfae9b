// `status` on each catalogue back end, over records as converters leave them:
// the exit status a monitor acts on, and what it is told.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>
#include <string>
#include <vector>

#include "catalog/catalogue.h"
#include "catalog/recording_record.h"
#include "catalog/schema_install.h"
#include "cli/batch_window.h"
#include "formats/date_time.h"
#include "tests/cli/end_to_end/batch_process.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/temp_dir.h"

namespace {

using catalog::RecordingOutcome;
using cli_test::BatchResult;

class StatusCommand : public testing_support::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        if (HasFatalFailure()) return;
        ::mkdir(work.File("data").c_str(), 0755);
        testing_support::WriteTvxIni(work.File("tvx.ini"), backend().Login(), work.File("data"));
        work.Write("kelvaron.ini", "[KELVARON]\nNSTA=2\nSTA0=LIVE\nSTA1=DEAD\n[LIVE]\nDIR=" +
                                       work.File("src/live") +
                                       "\n[DEAD]\nDIR=" + work.File("src/dead") + "\n");
        work.Write("src/live/waiting.rec", "not yet converted");
        work.Write("src/dead/old.rec", "converted long ago");
    }

    BatchResult Batch(const std::vector<std::string>& args) {
        return cli_test::RunBatchProcess(work.path(), args, {"TVX_INI=" + work.File("tvx.ini")});
    }

    // A record as a converter leaves it, for an entry that need not exist.
    void Record(const std::string& path, const std::string& station, RecordingOutcome outcome,
                double ageSeconds, const std::string& message = {}) {
        catalog::RecordingRecord r;
        r.sourcePath = catalog::RecordKey(path);
        r.station = station;
        r.startTime = EpochFromCalendar(cli::LocalWallClockNow()) - ageSeconds;
        r.spanSeconds = 3600;
        r.outcome = outcome;
        r.message = message;
        r.recordedAt = static_cast<std::int64_t>(std::time(nullptr));
        r.host = "here";
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0) {
            r.fileSize = st.st_size;
            r.fileMtime = std::int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec;
        }
        catalog::WriteRecordingRecord(theDatabase, r);
    }

    testing_support::TempDir work;
};

TEST_P(StatusCommand, TellsAMonitorWhichStationStoppedDeliveringOrFailed) {
    // Without the record there is nothing to tell: the command says what adds it.
    const BatchResult before = Batch({"status"});
    EXPECT_EQ(before.status, 2);
    EXPECT_NE(before.errors.find("catalogue upgrade"), std::string::npos) << before.errors;

    catalog::UpgradeCatalogueSchema(theDatabase);
    Record(work.File("src/live/fresh.rec"), "LIVE", RecordingOutcome::Converted, 600);
    Record(work.File("src/dead/old.rec"), "DEAD", RecordingOutcome::Converted, 3 * 86400);

    struct Case {
        std::vector<std::string> args;
        int status;
        std::string said;  // on stdout or stderr
    };
    const Case cases[] = {
        {{"status", "--max-age", "1h", "LIVE"}, 0, "ждут конвертирования 1"},
        {{"status", "--max-age", "1h", "DEAD"}, 1, "Станция DEAD: новейшей конвертированной"},
        {{"status", "--max-age", "4d", "DEAD"}, 0, "ждут конвертирования 0"},
        {{"status", "LIVE", "DEAD"}, 0, "(000 00:10:"},
    };
    for (const Case& c : cases) {
        const BatchResult r = Batch(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.back() << r.errors;
        EXPECT_NE((r.output + r.errors).find(c.said), std::string::npos) << c.args.back() << "\n"
                                                                         << r.output << r.errors;
    }

    // A failure anywhere makes the check fail; --failed names it with its message.
    Record(work.File("src/live/bad.rec"), "LIVE", RecordingOutcome::Failed, 60, "disk full");
    const BatchResult failed = Batch({"status", "--failed", "--max-age", "4d"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.output.find(work.File("src/live/bad.rec") +
                                 ": не конвертирована (конвертер here): disk full"),
              std::string::npos)
        << failed.output;
    const BatchResult json = Batch({"status", "--json", "--failed", "LIVE"});
    EXPECT_NE(json.output.find("\"converter\": \"here\", \"message\": \"disk full\""),
              std::string::npos)
        << json.output;
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(StatusCommand);

}  // namespace
