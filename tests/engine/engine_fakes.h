// A recording front end and recording outputs for the engine tests.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "engine/front_end.h"
#include "engine/recording_outputs.h"

namespace engine_test {

struct ChannelItem {
    std::string text;
    bool checked = true;
};

// Logs every call as one line ("ShowCurrentFile:x", "Enable:1020:0", ...).
class FakeFrontEnd : public engine::FrontEnd {
public:
    std::vector<std::string> stations;  // the selected station entries
    engine::StartDateTime start;
    std::string duration = "000 00:30:00";
    std::vector<ChannelItem> channels;
    std::optional<std::vector<std::string>> picked;  // nullopt: file dialog cancelled
    // Runs on the worker when SelectedStations / PickRecordingFiles are asked.
    std::function<void()> onRunBegins;

    void ShowMessage(const std::string& text, const std::string& caption,
                     platform::MessageIcon icon) override;
    void ShowCurrentFile(const std::string& text) override { Log("ShowCurrentFile:" + text); }
    bool IsStationSelected(const std::string& name) override;
    void RefreshFreeSpace() override { Log("RefreshFreeSpace"); }
    std::vector<std::string> SelectedStations() override;
    engine::StartDateTime StartFieldDateTime() override { return start; }
    std::string DurationText() override { return duration; }
    int ChannelItemCount() override { return static_cast<int>(channels.size()); }
    bool IsChannelItemChecked(int item) override { return channels.at(item).checked; }
    std::string ChannelItemText(int item) override { return channels.at(item).text; }
    void EnableControl(int id, bool enable) override;
    void Beep() override { Log("Beep"); }
    void BeginWaitCursor() override { Log("BeginWaitCursor"); }
    void EndWaitCursor() override { Log("EndWaitCursor"); }
    std::optional<std::vector<std::string>> PickRecordingFiles(
        const std::string& initialDir) override;
    void RunFinished() override { Log("RunFinished"); }
    void SourceDirectoryUnreadable(const std::string& station, const std::string& dir) override {
        Log("SourceDirectoryUnreadable:" + station + ":" + dir);
    }

    std::vector<std::string> log() const;
    // The log lines that start with prefix.
    std::vector<std::string> Calls(const std::string& prefix) const;
    std::vector<std::string> messages() const { return Calls("Message:"); }

private:
    void Log(std::string line);
    mutable std::mutex mutex_;
    std::vector<std::string> log_;
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
class FakeOutputs : public engine::RecordingOutputs {
public:
    std::vector<EventCall> events;
    std::vector<TraceCall> traces;
    std::function<void(const std::string& channel)> beforeWrite;
    std::function<void()> beforeEvent;
    // What WriteIncompleteChannelTrace answers: false as for a longer trace kept.
    bool writeIncomplete = true;

    void RegisterEvent(const std::string& station, double eventStart) override;
    void WriteChannelTrace(const std::uint8_t* data, std::int64_t dataSize, double start,
                           const std::string& channel, const std::string& station,
                           std::int32_t channelPosition, std::int32_t recordSeconds,
                           std::int32_t channelCount, std::int32_t gainFactor) override;
    bool WriteIncompleteChannelTrace(const std::uint8_t* data, std::int64_t dataSize, double start,
                                     const std::string& channel, const std::string& station,
                                     std::int32_t channelPosition, std::int32_t recordSeconds,
                                     std::int32_t channelCount, std::int32_t gainFactor) override;

    std::vector<std::string> ChannelsWritten() const;
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
