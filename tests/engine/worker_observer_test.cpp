// Workers' events reach a front end one whole event at a time, each
// recording with its own trace files.
#include "engine/worker_observer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/lost_catalogue.h"

namespace {

// A front end that is not safe to call from two threads: it notes any
// overlap, and gathers trace files for the recording that ends next, as
// the console's report does.
class OneAtATime final : public engine::RunObserver {
public:
    void EntryInWork(const engine::RunProgress&) override { Enter(); }
    void TraceWritten(const std::string& path) override {
        Enter();
        traces.push_back(path);
    }
    void RecordingConverted(const std::string& path, int) override {
        Enter();
        // Every trace file gathered must be this recording's.
        for (const std::string& trace : traces)
            if (trace.rfind(path + "/", 0) != 0) ++strayTraces;
        traces.clear();
    }
    void ShowMessage(const engine::RunMessage& message) override {
        Enter();
        if (message.text == engine::kCatalogueLostText) ++lost;
    }
    void RunFinished(const engine::RunSummary&) override { ++finished; }

    int overlaps = 0, strayTraces = 0, finished = 0, lost = 0;

private:
    void Enter() {
        if (inside.exchange(true)) ++overlaps;
        std::this_thread::sleep_for(std::chrono::microseconds(50));
        inside = false;
    }
    std::atomic<bool> inside{false};
    std::vector<std::string> traces;
};

TEST(WorkerObserver, PassesEachEventWholeAndEachRecordingWithItsOwnTraces) {
    OneAtATime front;
    engine::WorkerShare share;
    {
        std::vector<std::jthread> workers;
        for (int w = 0; w < 4; ++w)
            workers.emplace_back([&front, &share, w] {
                engine::WorkerObserver seen(front, share);
                for (int r = 0; r < 30; ++r) {
                    const std::string recording = "w" + std::to_string(w) + "r" + std::to_string(r);
                    seen.EntryInWork({recording});
                    seen.TraceWritten(recording + "/SHZ");
                    seen.ShowMessage({"a channel failed", "", "kelvaron"});
                    seen.TraceWritten(recording + "/SHE");
                    seen.RecordingConverted(recording, 2);
                }
                // Each worker meets the catalogue gone for good.
                seen.ShowMessage({engine::kCatalogueLostText, "no server", "kelvaron"});
                seen.RunFinished({});
            });
    }
    EXPECT_EQ(front.overlaps, 0);
    EXPECT_EQ(front.strayTraces, 0);
    EXPECT_EQ(front.finished, 0) << "the run's end is the pool's to tell, once";
    EXPECT_EQ(front.lost, 1) << "the operator is told once that the catalogue is gone";
}

}  // namespace
