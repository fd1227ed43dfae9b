// Shared pieces of the engine benchmarks: a silent observer, outputs that
// drop everything, timing and the process's own I/O counters.
#pragma once

#include <chrono>
#include <cstdint>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "engine/recording_outputs.h"
#include "engine/run_observer.h"
#include "tests/support/process_reads.h"

namespace bench {

class SilentFrontEnd : public engine::RunObserver {
public:
    int messages = 0;
    void EntryInWork(const engine::RunProgress&) override {}
    void ShowMessage(const engine::RunMessage&) override { ++messages; }
    void RunFinished(const engine::RunSummary&) override {}
};

class CountingOutputs : public engine::RecordingOutputs {
public:
    int events = 0, traces = 0;
    void RegisterEvent(const std::string&, double) override { ++events; }
    std::unique_ptr<engine::RecordingTraces> WriteTraces(
        const engine::DataBlock& block, const std::vector<engine::ChannelTrace>& list,
        const std::function<bool()>& stop) override {
        return engine::TracesInMemory(block, list, stop, [this](const engine::ChannelTrace&) {
            ++traces;
            return engine::WrittenTrace{};
        });
    }
};

template <class F>
double Seconds(F&& f) {
    const auto begin = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

// Bytes this process has asked read(2) and friends for so far ("rchar").
using testing_support::BytesReadByProcess;

// Peak resident set size in bytes since the last ResetPeakMemory.
inline std::uint64_t PeakMemory() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stoull(line.substr(6)) * 1024;
    return 0;
}
inline void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

}  // namespace bench
