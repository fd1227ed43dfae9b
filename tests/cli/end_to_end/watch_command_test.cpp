// `watch` on each catalogue back end, as a service runs it: recordings that
// arrive in pieces or are moved in whole are each converted once, after they
// settle, and SIGTERM ends the watcher at once with 0.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "catalog/catalogue.h"
#include "catalog/schema_install.h"
#include "tests/cli/end_to_end/batch_process.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/catalogue_queries.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace {

using cli_test::BatchResult;
using Clock = std::chrono::steady_clock;

class WatchCommand : public testing_support::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        if (HasFatalFailure()) return;
        catalog::UpgradeCatalogueSchema(theDatabase);
        ::mkdir(work.File("data").c_str(), 0755);
        ::mkdir(work.File("incoming").c_str(), 0755);
        ::mkdir(work.File("src").c_str(), 0755);
        testing_support::WriteTvxIni(work.File("tvx.ini"), backend().Login(), work.File("data"));
        work.Write("kelvaron.ini",
                   "[KELVARON]\nNSTA=1\nSTA0=STA1\n[STA1]\nDIR=" + work.File("src") + "\n");
    }

    static std::string Recording(const std::string& time) {
        testing_support::RecordingPlan plan;
        plan.time = time;
        plan.data.records = 4;
        return testing_support::MakeRecording(plan).Bytes();
    }

    // Waits until the catalogue holds rows trace files, or the time is up.
    static bool RowsWithin(int rows, std::chrono::seconds limit) {
        const auto until = Clock::now() + limit;
        while (Clock::now() < until) {
            if (testing_support::CountRows("FILELIST") >= rows) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        return false;
    }

    static std::size_t Occurrences(const std::string& text, const std::string& part) {
        std::size_t n = 0;
        for (std::size_t at = text.find(part); at != std::string::npos;
             at = text.find(part, at + 1))
            ++n;
        return n;
    }

    testing_support::TempDir work;
};

TEST_P(WatchCommand, ConvertsEachArrivalOnceItSettlesAndStopsAtOnce) {
    const std::string slow = Recording("10:00:00");
    const std::string whole = Recording("11:00:00");
    Clock::time_point signalled;
    bool converted = false;
    const BatchResult r = cli_test::RunBatchProcess(
        work.path(), {"watch", "--settle", "2"}, {"TVX_INI=" + work.File("tvx.ini")},
        [&](pid_t pid) {
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            // Copied in three pieces, each written and closed, a second apart.
            const std::size_t third = slow.size() / 3;
            for (int piece = 0; piece < 3; ++piece) {
                std::FILE* f = std::fopen(work.File("src/slow.rec").c_str(), "ab");
                const std::size_t from = piece * third;
                const std::size_t n = piece == 2 ? slow.size() - from : third;
                std::fwrite(slow.data() + from, 1, n, f);
                std::fclose(f);
                std::this_thread::sleep_for(std::chrono::seconds(1));
            }
            // Written elsewhere, then moved in under its final name.
            work.Write("incoming/whole.rec", whole);
            std::rename(work.File("incoming/whole.rec").c_str(),
                        work.File("src/whole.rec").c_str());
            converted = RowsWithin(6, std::chrono::seconds(20));
            // Another settle time and a full look: nothing is converted again.
            std::this_thread::sleep_for(std::chrono::seconds(3));
            signalled = Clock::now();
            ::kill(pid, SIGTERM);
        });
    const auto stopping = Clock::now() - signalled;
    EXPECT_TRUE(converted) << r.errors;
    EXPECT_EQ(r.status, 0) << r.errors;
    EXPECT_LT(stopping, std::chrono::seconds(2));
    EXPECT_EQ(testing_support::CountRows("FILELIST"), 6);
    EXPECT_EQ(testing_support::CountRows("kelvaron_recordings", "outcome = 'converted'"), 2);
    // One line per recording converted, each once.
    for (const char* name : {"/src/slow.rec", "/src/whole.rec"}) {
        const std::string path = work.path() + name;
        EXPECT_EQ(Occurrences(r.errors, path), 1u) << name << "\n" << r.errors;
    }
}

// Two watchers over one directory and one catalogue: each recording that
// arrives is converted by one of them, once, and has its rows once.
TEST_P(WatchCommand, TwoWatchersConvertEachArrivalOnce) {
    constexpr int kRecordings = 8;
    const std::vector<std::string> args = {"watch", "--settle", "1"};
    const std::vector<std::string> env = {"TVX_INI=" + work.File("tvx.ini")};
    std::atomic<pid_t> second{0};
    std::atomic<bool> done{false};
    BatchResult other;
    std::thread beside([&] {
        other = cli_test::RunBatchProcess(work.path(), args, env, [&](pid_t pid) {
            second = pid;
            while (!done) std::this_thread::sleep_for(std::chrono::milliseconds(50));
            ::kill(pid, SIGTERM);
        });
    });
    bool converted = false;
    const BatchResult first = cli_test::RunBatchProcess(work.path(), args, env, [&](pid_t pid) {
        while (second == 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        for (int i = 0; i < kRecordings; ++i) {
            const std::string name = "/r" + std::to_string(i) + ".rec";
            work.Write("incoming" + name, Recording("1" + std::to_string(i) + ":00:00"));
            std::rename(work.File("incoming" + name).c_str(), work.File("src" + name).c_str());
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
        }
        converted = RowsWithin(3 * kRecordings, std::chrono::seconds(30));
        std::this_thread::sleep_for(std::chrono::seconds(2));
        ::kill(pid, SIGTERM);
        done = true;
    });
    done = true;
    beside.join();
    EXPECT_TRUE(converted) << first.errors << other.errors;
    EXPECT_EQ(first.status, 0) << first.errors;
    EXPECT_EQ(other.status, 0) << other.errors;
    EXPECT_EQ(testing_support::CountRows("FILELIST"), 3 * kRecordings);
    EXPECT_EQ(testing_support::CountRows("kelvaron_recordings", "outcome = 'converted'"),
              kRecordings);
    for (int i = 0; i < kRecordings; ++i) {
        const std::string path = work.File("src/r" + std::to_string(i) + ".rec");
        EXPECT_EQ(Occurrences(first.errors + other.errors, path), 1u)
            << path << "\n"
            << first.errors << other.errors;
    }
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(WatchCommand);

}  // namespace
