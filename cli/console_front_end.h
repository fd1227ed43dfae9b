// The engine's front end on the console: the selection comes from the command
// line and kelvaron.ini, messages go to stderr, progress to a terminal.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "engine/front_end.h"

namespace cli {

class ConsoleFrontEnd : public engine::FrontEnd {
public:
    // progress: keep a progress line on `err` (a terminal, not --quiet).
    ConsoleFrontEnd(std::FILE* err, bool progress);

    std::vector<std::string> stations;
    engine::StartDateTime start;
    std::string duration;
    std::vector<std::string> channels;  // all ticked
    std::vector<std::string> files;     // what the file dialog would return
    bool verbose = false;               // a line per converted recording

    void ShowMessage(const std::string& text, const std::string& caption,
                     platform::MessageIcon icon) override;
    void ShowCurrentFile(const std::string& text) override;
    bool IsStationSelected(const std::string& name) override;
    void RefreshFreeSpace() override {}
    std::vector<std::string> SelectedStations() override { return stations; }
    engine::StartDateTime StartFieldDateTime() override { return start; }
    std::string DurationText() override { return duration; }
    int ChannelItemCount() override { return static_cast<int>(channels.size()); }
    bool IsChannelItemChecked(int) override { return true; }
    std::string ChannelItemText(int item) override {
        return channels.at(static_cast<std::size_t>(item));
    }
    void EnableControl(int, bool) override {}
    void Beep() override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    std::optional<std::vector<std::string>> PickRecordingFiles(const std::string&) override {
        return files;
    }
    void RunFinished() override;
    void RecordingConverted(const std::string& path, std::int64_t dataBytes, int traces) override;
    void SourceDirectoryUnreadable(const std::string& station, const std::string& dir) override;

    // Something failed that the operator was told about.
    bool failed() const { return failed_; }
    int traces() const { return traces_; }

private:
    void Print(const std::string& line);
    void DrawProgress(bool force);
    void ClearProgress();

    std::FILE* err_;
    bool progress_;
    bool lineShown_ = false;
    bool failed_ = false;
    int scanned_ = 0, converted_ = 0, traces_ = 0;
    std::int64_t bytes_ = 0;
    std::chrono::steady_clock::time_point begin_, lastDraw_;
};

}  // namespace cli
