// The loop over a source directory gets each entry's own look from the
// read-ahead, whichever entries it asks for; the next entry to be converted
// is read while the loop is busy; an entry the loop passes over by its record
// is never looked at.
#include "engine/entry_read_ahead.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/stat.h>

#include <filesystem>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "engine/station_workers.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace {

struct EntryCase {
    const char* name;
    const char* station;  // STA1's recordings are converted, STA2's is another station's
    bool looksAt;         // not passed over by its record
    bool asked;           // the loop asks for its look (a sync whose claim fails does not)
    bool readWhole;       // read ahead, and converted: all the conversion reads is in memory
};

const EntryCase kEntries[] = {
    {"a.rec", "STA1", true, true, false},  // the first look is taken when asked
    {"b.rec", "STA1", false, false, false},
    {"c.rec", "STA1", true, true, true},    // read while a.rec is converted
    {"d.rec", "STA2", true, true, false},   // read ahead, but only its header
    {"e.rec", "STA1", true, true, false},   // d.rec was not converted: nothing read ahead
    {"f.rec", "STA1", true, false, false},  // read ahead, never asked for
    {"g.rec", "STA1", true, true, false},   // the look at f.rec was not of it
};

bool Converted(const EntryCase& e) { return std::string(e.station) == "STA1"; }

TEST(EntryReadAhead, EachLookIsTheEntrysOwnAndTheNextConvertedOneIsReadWhole) {
    testing_support::TempDir dir;
    const std::string source = dir.File("src") + "/";
    ::mkdir(source.c_str(), 0755);
    std::vector<engine::SourceEntry> entries;
    for (const EntryCase& e : kEntries) {
        testing_support::RecordingPlan plan;
        plan.station = e.station;
        plan.dataSec = "600";
        plan.data.records = 600;  // far more than the look at a header reads
        testing_support::MakeRecording(plan).WriteTo(source + e.name);
        entries.push_back({e.name, true});
    }
    std::mutex mutex;
    std::set<std::string> lookedAhead;  // by the helper
    const std::thread::id loop = std::this_thread::get_id();
    {
        engine::EntryReadAhead ahead(
            source, entries, "STA1", [](std::size_t i) { return kEntries[i].looksAt; },
            [&](const engine::SourceRecording& found) {
                const std::lock_guard lock(mutex);
                if (std::this_thread::get_id() != loop) lookedAhead.insert(found.path);
                return found.verdict == engine::SourceRecording::Verdict::Recording;
            });
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const EntryCase& e = kEntries[i];
            if (!e.asked) continue;
            SCOPED_TRACE(e.name);
            const engine::SourceRecording found = ahead.Examine(i);
            const engine::SourceRecording now =
                engine::ExamineSourceEntry(source, entries[i], "STA1");
            EXPECT_EQ(found.path, now.path);
            EXPECT_EQ(found.verdict, now.verdict);
            EXPECT_EQ(found.station, now.station);
            EXPECT_EQ(found.span.start, now.span.start);
            const bool whole =
                found.header->bytesRead() == std::filesystem::file_size(source + e.name);
            EXPECT_EQ(whole, e.readWhole);
        }
    }
    std::set<std::string> expected;
    for (std::size_t i = 0; i < entries.size(); ++i)
        for (std::size_t j = i + 1;
             kEntries[i].asked && Converted(kEntries[i]) && j < entries.size(); ++j)
            if (kEntries[j].looksAt) {
                expected.insert(source + kEntries[j].name);
                break;
            }
    EXPECT_EQ(lookedAhead, expected);
}

}  // namespace

namespace {

// A service pinned to fewer processors than the machine has (CPUAffinity=, a
// cpuset) gets as many workers, and a helper only where they leave one free.
TEST(EntryReadAhead, FitsTheProcessorsTheProcessMayRunOn) {
    cpu_set_t all;
    ASSERT_EQ(::sched_getaffinity(0, sizeof all, &all), 0);
    EXPECT_EQ(engine::MachineWorkers(), CPU_COUNT(&all));
    EXPECT_EQ(engine::ReadAheadFits(1), CPU_COUNT(&all) >= 2);
    std::thread pinned([&] {
        cpu_set_t one;
        CPU_ZERO(&one);
        for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
            if (CPU_ISSET(cpu, &all)) {
                CPU_SET(cpu, &one);
                break;
            }
        ASSERT_EQ(::sched_setaffinity(0, sizeof one, &one), 0);
        EXPECT_EQ(engine::MachineWorkers(), 1);
        EXPECT_FALSE(engine::ReadAheadFits(1));
    });
    pinned.join();
}

}  // namespace
