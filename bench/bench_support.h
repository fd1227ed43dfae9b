// Shared pieces of the engine benchmarks: a silent front end, outputs that
// drop everything, timing and the process's own I/O counters.
#pragma once

#include <chrono>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "engine/front_end.h"
#include "engine/recording_outputs.h"

namespace bench {

class SilentFrontEnd : public engine::FrontEnd {
public:
    std::vector<std::string> stations;
    engine::StartDateTime start;
    std::string duration = "000 01:00:00";
    int messages = 0;

    void ShowMessage(const std::string&, const std::string&, platform::MessageIcon) override {
        ++messages;
    }
    void ShowCurrentFile(const std::string&) override {}
    bool IsStationSelected(const std::string&) override { return true; }
    void RefreshFreeSpace() override {}
    std::vector<std::string> SelectedStations() override { return stations; }
    engine::StartDateTime StartFieldDateTime() override { return start; }
    std::string DurationText() override { return duration; }
    int ChannelItemCount() override { return 0; }
    bool IsChannelItemChecked(int) override { return false; }
    std::string ChannelItemText(int) override { return ""; }
    void EnableControl(int, bool) override {}
    void Beep() override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    std::optional<std::vector<std::string>> PickRecordingFiles(const std::string&) override {
        return std::nullopt;
    }
};

class CountingOutputs : public engine::RecordingOutputs {
public:
    int events = 0, traces = 0;
    void RegisterEvent(const std::string&, double) override { ++events; }
    void WriteChannelTrace(const std::uint8_t*, std::int64_t, double, const std::string&,
                           const std::string&, std::int32_t, std::int32_t, std::int32_t,
                           std::int32_t) override {
        ++traces;
    }
};

template <class F>
double Seconds(F&& f) {
    const auto begin = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

// Bytes this process has asked read(2) and friends for so far ("rchar").
inline std::uint64_t BytesReadByProcess() {
    std::ifstream io("/proc/self/io");
    std::string key;
    std::uint64_t value = 0;
    while (io >> key >> value)
        if (key == "rchar:") return value;
    return 0;
}

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
