// Runs on a front end's worker: one at a time, a stop request honoured
// between trace files, RunFinished as the last event.
#include "engine/run_control.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <new>
#include <string>
#include <vector>

#include "formats/date_time.h"
#include "platform/kelvaron_settings.h"
#include "tests/engine/engine_fakes.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace {

using engine_test::FakeObserver;
using engine_test::FakeOutputs;
using engine_test::ScopedWorkingDir;
using testing_support::MakeRecording;
using testing_support::RecordingPlan;
using testing_support::TempDir;
using Strings = std::vector<std::string>;

// Holds a worker at a point until the test lets it go.
class Gate {
public:
    void Wait() {
        std::unique_lock lock(mutex_);
        arrived_ = true;
        changed_.notify_all();
        changed_.wait(lock, [&] { return open_; });
    }
    void AwaitArrival() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return arrived_; });
    }
    void Open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool arrived_ = false, open_ = false;
};

class RunControlTest : public ::testing::Test {
protected:
    RunControlTest() : cwd(dir.path()) {
        // STA2's recordings would be in the common directory, which does not exist.
        dir.Write("kelvaron.ini", "[KELVARON]\r\nDIR=" + dir.File("common") +
                                      "\r\n[STA1]\r\nDIR=" + dir.File("src") + "\r\n");
        for (const char* time : {"14:10:00", "14:20:00", "14:30:00"}) {
            RecordingPlan plan;
            plan.time = time;
            MakeRecording(plan).WriteTo(dir.File(std::string("src/") + time + ".dat"));
        }
        request.stations = {"STA1", "STA2"};
        request.windowStart = EpochFromCalendar(2007, 11, 29, 14, 0, 0);
        request.windowLength = 3600;
        request.settings = platform::ResolveRunSettings(request.stations);
    }

    TempDir dir;
    ScopedWorkingDir cwd;
    engine::RunRequest request;
    FakeObserver front;
    FakeOutputs outputs;
    engine::RunWorker worker;  // destroyed first: it waits for its run
};

TEST_F(RunControlTest, NeverTwoRunsAtOnce) {
    Gate gate;
    front.onEntry = [&](const engine::RunProgress&) { gate.Wait(); };
    ASSERT_TRUE(worker.Start(request, front, outputs));
    gate.AwaitArrival();
    EXPECT_TRUE(worker.Active());

    FakeObserver second;
    EXPECT_FALSE(worker.Start(request, second, outputs));

    front.onEntry = nullptr;
    gate.Open();
    worker.Join();
    EXPECT_FALSE(worker.Active());
    EXPECT_TRUE(second.log().empty()) << "a refused run touches nothing";
    EXPECT_EQ(outputs.traces.size(), 9u);
    EXPECT_EQ(front.log().back(), "RunFinished");
    EXPECT_EQ(front.Calls("RunFinished").size(), 1u);

    // Once it has ended, the next run starts.
    FakeObserver third;
    request.mode = engine::RunMode::Files;
    EXPECT_TRUE(worker.Start(request, third, outputs));
    worker.Join();
    EXPECT_EQ(third.log(), (Strings{"RunFinished"}));
}

TEST_F(RunControlTest, StopRequestIsHonouredBetweenTraceFiles) {
    outputs.beforeWrite = [&](const std::string&) { worker.RequestStop(); };
    ASSERT_TRUE(worker.Start(request, front, outputs));
    worker.Join();
    EXPECT_EQ(outputs.traces.size(), 1u) << "the trace file in hand is finished, no other begins";
    // The run still ends properly: the station cut short, no second station.
    EXPECT_EQ(front.Calls("StationFinished:"), (Strings{"StationFinished:STA1:0"}));
    EXPECT_EQ(front.log().back(), "RunFinished");
    EXPECT_TRUE(front.summary().stopped);
}

TEST_F(RunControlTest, StopRequestEndsAFileRunBetweenFiles) {
    request.mode = engine::RunMode::Files;
    request.files = {dir.File("src/14:10:00.dat"), dir.File("src/14:20:00.dat")};
    request.channels = {{"SHN", true}};
    outputs.beforeWrite = [&](const std::string&) { worker.RequestStop(); };
    ASSERT_TRUE(worker.Start(request, front, outputs));
    worker.Join();
    EXPECT_EQ(outputs.ChannelsWritten(), (Strings{"SHN@1"}));
    EXPECT_EQ(front.Calls("Entry:").size(), 1u);
}

TEST_F(RunControlTest, StopRequestedBeforeAStartDoesNotStopTheNextRun) {
    worker.RequestStop();
    ASSERT_TRUE(worker.Start(request, front, outputs));
    worker.Join();
    EXPECT_EQ(outputs.traces.size(), 9u);
}

TEST_F(RunControlTest, SomethingEscapingARunStillFinishesIt) {
    front.onEntry = [](const engine::RunProgress&) { throw std::bad_alloc(); };
    ASSERT_TRUE(worker.Start(request, front, outputs));
    worker.Join();
    EXPECT_EQ(front.log().back(), "RunFinished");
    EXPECT_FALSE(worker.Active());
}

}  // namespace
