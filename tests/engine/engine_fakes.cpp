#include "tests/engine/engine_fakes.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <stdexcept>

#include "platform/ini_syntax.h"

namespace engine_test {

void FakeFrontEnd::ShowMessage(const std::string& text, const std::string& caption,
                               platform::MessageIcon icon) {
    Log("Message:" + caption + ":" + (icon == platform::MessageIcon::Error ? "error:" : "none:") +
        text);
}

bool FakeFrontEnd::IsStationSelected(const std::string& name) {
    Log("IsStationSelected:" + name);
    return std::any_of(stations.begin(), stations.end(),
                       [&](const std::string& s) { return platform::EqualsNoCase(s, name); });
}

std::vector<std::string> FakeFrontEnd::SelectedStations() {
    Log("SelectedStations");
    if (onRunBegins) onRunBegins();
    return stations;
}

void FakeFrontEnd::EnableControl(int id, bool enable) {
    Log("Enable:" + std::to_string(id) + ":" + (enable ? "1" : "0"));
}

std::optional<std::vector<std::string>> FakeFrontEnd::PickRecordingFiles(
    const std::string& initialDir) {
    Log("PickRecordingFiles:" + initialDir);
    if (onRunBegins) onRunBegins();
    return picked;
}

std::vector<std::string> FakeFrontEnd::log() const {
    std::lock_guard lock(mutex_);
    return log_;
}

std::vector<std::string> FakeFrontEnd::Calls(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& line : log())
        if (line.rfind(prefix, 0) == 0) out.push_back(line);
    return out;
}

void FakeFrontEnd::Log(std::string line) {
    std::lock_guard lock(mutex_);
    log_.push_back(std::move(line));
}

void FakeOutputs::RegisterEvent(const std::string& station, double eventStart) {
    if (beforeEvent) beforeEvent();
    events.push_back({station, eventStart});
}

void FakeOutputs::WriteChannelTrace(const std::uint8_t* data, std::int64_t dataSize, double start,
                                    const std::string& channel, const std::string& station,
                                    std::int32_t channelPosition, std::int32_t recordSeconds,
                                    std::int32_t channelCount, std::int32_t gainFactor) {
    if (beforeWrite) beforeWrite(channel);
    // Huge blocks are only checked for their size.
    std::string bytes = dataSize <= (64 << 20) ? std::string(reinterpret_cast<const char*>(data),
                                                             static_cast<std::size_t>(dataSize))
                                               : std::string();
    traces.push_back({std::move(bytes), dataSize, start, channel, station, channelPosition,
                      recordSeconds, channelCount, gainFactor});
}

bool FakeOutputs::WriteIncompleteChannelTrace(const std::uint8_t* data, std::int64_t dataSize,
                                              double start, const std::string& channel,
                                              const std::string& station,
                                              std::int32_t channelPosition,
                                              std::int32_t recordSeconds, std::int32_t channelCount,
                                              std::int32_t gainFactor) {
    if (!writeIncomplete) return false;
    WriteChannelTrace(data, dataSize, start, channel, station, channelPosition, recordSeconds,
                      channelCount, gainFactor);
    traces.back().incomplete = true;
    return true;
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

ScopedWorkingDir::~ScopedWorkingDir() { (void)::chdir(previous_.c_str()); }

}  // namespace engine_test
