// Runs on worker threads: one at a time, a stop request honoured between
// trace files, RunFinished as the last call.
#include <gtest/gtest.h>

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <new>
#include <string>
#include <vector>

#include "engine/driver_bodies.h"
#include "engine/drivers.h"
#include "tests/engine/engine_fakes.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace {

using engine_test::FakeFrontEnd;
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
        front.stations = {"STA1", "STA2"};
        front.start = {2007, 11, 29, 14, 0, 0};
        front.duration = "000 01:00:00";
    }
    ~RunControlTest() override { engine::WaitForRun(); }

    TempDir dir;
    ScopedWorkingDir cwd;
    FakeFrontEnd front;
    FakeOutputs outputs;
};

TEST_F(RunControlTest, NeverTwoRunsAtOnce) {
    Gate gate;
    front.onRunBegins = [&] { gate.Wait(); };
    ASSERT_TRUE(engine::StartConvertWindow(front, outputs));
    gate.AwaitArrival();
    EXPECT_TRUE(engine::IsRunActive());

    FakeFrontEnd second;
    second.picked = Strings{};
    ConvertRequest request;
    request.dialog = &second;
    EXPECT_FALSE(engine::StartConvertWindow(second, outputs));
    EXPECT_FALSE(engine::StartConvertFiles(request, outputs));

    gate.Open();
    engine::WaitForRun();
    EXPECT_FALSE(engine::IsRunActive());
    EXPECT_TRUE(second.log().empty()) << "a refused run touches nothing";
    EXPECT_EQ(outputs.traces.size(), 9u);
    EXPECT_EQ(front.log().back(), "RunFinished");
    EXPECT_EQ(front.Calls("RunFinished").size(), 1u);

    // Once it has ended, the next run starts.
    FakeFrontEnd third;
    third.picked.reset();
    request.dialog = &third;
    EXPECT_TRUE(engine::StartConvertFiles(request, outputs));
    engine::WaitForRun();
    EXPECT_EQ(third.log().back(), "RunFinished");
}

TEST_F(RunControlTest, StopRequestIsHonouredBetweenTraceFiles) {
    outputs.beforeWrite = [](const std::string&) { engine::RequestStop(); };
    ASSERT_TRUE(engine::StartConvertWindow(front, outputs));
    engine::WaitForRun();
    EXPECT_EQ(outputs.traces.size(), 1u) << "the trace file in hand is finished, no other begins";
    // The run still ends properly: controls back, status cleared, no second station.
    const Strings log = front.log();
    EXPECT_EQ(front.Calls("BeginWaitCursor").size(), 1u);
    EXPECT_EQ(front.Calls("Beep").size(), 0u);
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[log.size() - 3], "Enable:1017:1");
    EXPECT_EQ(log[log.size() - 2], "ShowCurrentFile:");
    EXPECT_EQ(log.back(), "RunFinished");
}

TEST_F(RunControlTest, StopRequestEndsAFileRunBetweenFiles) {
    front.picked = Strings{dir.File("src/14:10:00.dat"), dir.File("src/14:20:00.dat")};
    front.channels = {{"SHN", true}};
    outputs.beforeWrite = [](const std::string&) { engine::RequestStop(); };
    ConvertRequest request;
    request.dialog = &front;
    ASSERT_TRUE(engine::StartConvertFiles(request, outputs));
    engine::WaitForRun();
    EXPECT_EQ(outputs.ChannelsWritten(), (Strings{"SHN@1"}));
    EXPECT_EQ(front.Calls("ShowCurrentFile:" + dir.File("src")).size(), 1u);
}

TEST_F(RunControlTest, StopRequestedBeforeAStartDoesNotStopTheNextRun) {
    engine::RequestStop();
    ASSERT_TRUE(engine::StartConvertWindow(front, outputs));
    engine::WaitForRun();
    EXPECT_EQ(outputs.traces.size(), 9u);
}

TEST_F(RunControlTest, FileRunWorksOnACopyOfTheRequest) {
    Gate gate;
    front.picked.reset();
    front.onRunBegins = [&] { gate.Wait(); };
    ConvertRequest request;
    std::strcpy(request.station, "STA1");
    request.dialog = &front;
    ASSERT_TRUE(engine::StartConvertFiles(request, outputs));
    // The dialog refills its request for a run that will be refused.
    std::strcpy(request.station, "STA2");
    FakeFrontEnd other;
    request.dialog = &other;
    gate.AwaitArrival();
    gate.Open();
    engine::WaitForRun();
    EXPECT_EQ(front.log().front(), "PickRecordingFiles:" + dir.File("src") + "/");
    EXPECT_EQ(front.log().back(), "RunFinished");
    EXPECT_TRUE(other.log().empty());
}

TEST_F(RunControlTest, SomethingEscapingARunStillGivesTheControlsBack) {
    front.onRunBegins = [] { throw std::bad_alloc(); };
    ASSERT_TRUE(engine::StartConvertWindow(front, outputs));
    engine::WaitForRun();
    const Strings log = front.log();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[log.size() - 3], "Enable:1017:1");
    EXPECT_EQ(log[log.size() - 2], "ShowCurrentFile:");
    EXPECT_EQ(log.back(), "RunFinished");
}

TEST_F(RunControlTest, RequestWithoutDialogStartsNothing) {
    ConvertRequest request;
    EXPECT_FALSE(engine::StartConvertFiles(request, outputs));
    EXPECT_FALSE(engine::IsRunActive());
}

}  // namespace
