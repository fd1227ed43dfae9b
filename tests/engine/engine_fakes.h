// A recording observer and recording outputs for the engine tests.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <stop_token>
#include <string>
#include <vector>

#include "engine/recording_outputs.h"
#include "engine/run_context.h"
#include "engine/run_observer.h"

namespace engine_test {

// Logs every event as one line ("Entry:x", "StationFinished:STA1:1", ...).
class FakeObserver : public engine::RunObserver {
public:
    // Runs on the worker at every entry in work (a test may hold the run there).
    std::function<void(const engine::RunProgress&)> onEntry;

    void StationBegins(const std::string& station) override;
    void SourceDirectoryUnreadable(const std::string& station, const std::string& dir) override;
    void StationFinished(const std::string& station, bool completed) override;
    void EntryInWork(const engine::RunProgress& progress) override;
    void RecordingConverted(const std::string& path, int traces) override;
    void RecordingSkipped(const std::string& path, engine::SkipReason reason) override;
    void RecordingNotConverted(const std::string& path, int written, int failed) override;
    void TraceWritten(const std::string& catalogPath) override;
    void ShowMessage(const engine::RunMessage& message) override;
    void RunFinished(const engine::RunSummary& summary) override;

    std::vector<std::string> log() const;
    // The log lines that start with prefix.
    std::vector<std::string> Calls(const std::string& prefix) const;
    // "Message:caption:error:text" lines.
    std::vector<std::string> messages() const { return Calls("Message:"); }
    std::vector<engine::RunMessage> fullMessages() const;
    engine::RunSummary summary() const;

private:
    void Log(std::string line);
    mutable std::mutex mutex_;
    std::vector<std::string> log_;
    std::vector<engine::RunMessage> messages_;
    engine::RunSummary summary_;
};

struct TraceCall {
    std::string data;  // the whole block handed over
    std::int64_t dataSize;
    double start;
    std::string channel, station;
    std::int32_t position, recordSeconds, channelCount, gain;
    bool incomplete = false;  // handed on as from an incomplete recording
};

struct EventCall {
    std::string station;
    double start;
};

// Records what ConvertRecording hands on; `beforeWrite` may throw or stop.
// Each trace "is written" as STATION/CHANNEL of 512 bytes.
class FakeOutputs : public engine::RecordingOutputs {
public:
    std::vector<EventCall> events;
    std::vector<TraceCall> traces;
    std::function<void(const std::string& channel)> beforeWrite;
    std::function<void()> beforeEvent;
    // What a trace of an incomplete recording answers: false as for a longer trace kept.
    bool writeIncomplete = true;

    void RegisterEvent(const std::string& station, double eventStart) override;
    std::unique_ptr<engine::RecordingTraces> WriteTraces(
        const engine::DataBlock& block, const std::vector<engine::ChannelTrace>& traces,
        const std::function<bool()>& stop) override;

    std::vector<std::string> ChannelsWritten() const;

private:
    static constexpr std::int64_t kLargestKeptBlock = 64 << 20;
    engine::WrittenTrace Write(const engine::ChannelTrace& trace);
};

// Changes the working directory for one test (kelvaron.ini is read from it).
class ScopedWorkingDir {
public:
    explicit ScopedWorkingDir(const std::string& dir);
    ~ScopedWorkingDir();

private:
    std::string previous_;
};

}  // namespace engine_test
