#include "tests/engine/engine_fakes.h"

#include <unistd.h>

#include <climits>
#include <stdexcept>

namespace engine_test {

void FakeObserver::StationBegins(const std::string& station) { Log("StationBegins:" + station); }

void FakeObserver::SourceDirectoryUnreadable(const std::string& station, const std::string& dir) {
    Log("SourceDirectoryUnreadable:" + station + ":" + dir);
}

void FakeObserver::StationFinished(const std::string& station, bool completed) {
    Log("StationFinished:" + station + (completed ? ":1" : ":0"));
}

void FakeObserver::EntryInWork(const engine::RunProgress& progress) {
    Log("Entry:" + progress.name);
    if (onEntry) onEntry(progress);
}

void FakeObserver::RecordingConverted(const std::string& path, int traces) {
    Log("Converted:" + path + ":" + std::to_string(traces));
}

void FakeObserver::RecordingNotConverted(const std::string& path, int written, int failed) {
    Log("NotConverted:" + std::to_string(written) + ":" + std::to_string(failed) + ":" + path);
}

void FakeObserver::RecordingSkipped(const std::string& path, engine::SkipReason reason) {
    Log("Skipped:" + path + ":" + std::to_string(static_cast<int>(reason)));
}

void FakeObserver::TraceWritten(const std::string& catalogPath) { Log("Trace:" + catalogPath); }

void FakeObserver::ShowMessage(const engine::RunMessage& message) {
    {
        std::lock_guard lock(mutex_);
        messages_.push_back(message);
    }
    Log("Message:" + message.caption + ":" +
        (message.icon == platform::MessageIcon::Error ? "error:" : "none:") + message.text);
}

void FakeObserver::RunFinished(const engine::RunSummary& summary) {
    {
        std::lock_guard lock(mutex_);
        summary_ = summary;
    }
    Log("RunFinished");
}

std::vector<std::string> FakeObserver::log() const {
    std::lock_guard lock(mutex_);
    return log_;
}

std::vector<std::string> FakeObserver::Calls(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& line : log())
        if (line.rfind(prefix, 0) == 0) out.push_back(line);
    return out;
}

std::vector<engine::RunMessage> FakeObserver::fullMessages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

engine::RunSummary FakeObserver::summary() const {
    std::lock_guard lock(mutex_);
    return summary_;
}

void FakeObserver::Log(std::string line) {
    std::lock_guard lock(mutex_);
    log_.push_back(std::move(line));
}

void FakeOutputs::RegisterEvent(const std::string& station, double eventStart) {
    if (beforeEvent) beforeEvent();
    events.push_back({station, eventStart});
}

std::unique_ptr<engine::RecordingTraces> FakeOutputs::WriteTraces(
    const engine::DataBlock& block, const std::vector<engine::ChannelTrace>& traces,
    const std::function<bool()>& stop) {
    // Huge blocks are only checked for their size, so they are not read.
    if (block.size() > kLargestKeptBlock) {
        class BySize final : public engine::RecordingTraces {
        public:
            BySize(FakeOutputs& outputs, std::vector<engine::ChannelTrace> traces)
                : outputs_(outputs), traces_(std::move(traces)) {}
            engine::WrittenTrace Finish(std::size_t i) override {
                return outputs_.Write(traces_.at(i));
            }

        private:
            FakeOutputs& outputs_;
            std::vector<engine::ChannelTrace> traces_;
        };
        std::vector<engine::ChannelTrace> sized = traces;
        for (engine::ChannelTrace& t : sized) t.dataSize = block.size();
        return std::make_unique<BySize>(*this, std::move(sized));
    }
    return engine::TracesInMemory(block, traces, stop,
                                  [this](const engine::ChannelTrace& t) { return Write(t); });
}

engine::WrittenTrace FakeOutputs::Write(const engine::ChannelTrace& t) {
    if (beforeWrite) beforeWrite(t.channel);
    if (t.keepLongerTrace && !writeIncomplete) return {t.station + "/" + t.channel, 0, true};
    std::string bytes = t.data != nullptr ? std::string(reinterpret_cast<const char*>(t.data),
                                                        static_cast<std::size_t>(t.dataSize))
                                          : std::string();
    traces.push_back({std::move(bytes), t.dataSize, t.start, t.channel, t.station,
                      t.channelPosition, t.recordSeconds, t.channelCount, t.gainFactor});
    traces.back().incomplete = t.keepLongerTrace;
    // A path of its own per start, as the data tree names it.
    return {t.station + "/" + std::to_string(t.start) + "." + t.channel, 512};
}

std::vector<std::string> FakeOutputs::ChannelsWritten() const {
    std::vector<std::string> out;
    for (const TraceCall& t : traces) out.push_back(t.channel + "@" + std::to_string(t.position));
    return out;
}

ScopedWorkingDir::ScopedWorkingDir(const std::string& dir) {
    char buffer[PATH_MAX];
    if (!::getcwd(buffer, sizeof buffer)) throw std::runtime_error("getcwd");
    previous_ = buffer;
    if (::chdir(dir.c_str()) != 0) throw std::runtime_error("chdir " + dir);
}

ScopedWorkingDir::~ScopedWorkingDir() {
    // A destructor has no one to tell; the next test's paths would show it.
    if (::chdir(previous_.c_str()) != 0) return;
}

}  // namespace engine_test
