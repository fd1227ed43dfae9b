// The entry points that write to the catalogue and the trace tree. Kept apart
// so that code with outputs of its own links without them.
#include "catalog/event_list.h"
#include "engine/convert_recording.h"
#include "engine/driver_bodies.h"
#include "engine/recording_outputs.h"
#include "engine/trace_writer.h"

namespace engine {
namespace {

class Catalogue final : public RecordingOutputs {
public:
    void RegisterEvent(const std::string& station, double eventStart) override {
        ::RegisterEvent(station, eventStart);
    }
    void WriteChannelTrace(const std::uint8_t* data, std::int64_t dataSize, double start,
                           const std::string& channel, const std::string& station,
                           std::int32_t channelPosition, std::int32_t recordSeconds,
                           std::int32_t channelCount, std::int32_t gainFactor) override {
        ::WriteChannelTrace(data, dataSize, start, channel, station, channelPosition, recordSeconds,
                            channelCount, gainFactor);
    }
    bool WriteIncompleteChannelTrace(const std::uint8_t* data, std::int64_t dataSize, double start,
                                     const std::string& channel, const std::string& station,
                                     std::int32_t channelPosition, std::int32_t recordSeconds,
                                     std::int32_t channelCount, std::int32_t gainFactor) override {
        return engine::WriteIncompleteChannelTrace(data, dataSize, start, channel, station,
                                                   channelPosition, recordSeconds, channelCount,
                                                   gainFactor);
    }
};

}  // namespace

RecordingOutputs& CatalogueOutputs() {
    static Catalogue outputs;
    return outputs;
}

}  // namespace engine

int ConvertRecording(const std::string& station, const std::string& path,
                     engine::FrontEnd& dialog) {
    platform::IniFile header(path);
    return engine::ConvertRecording(station, header, dialog, engine::CatalogueOutputs());
}

bool StartConvertFiles(ConvertRequest& request) {
    return engine::StartConvertFiles(request, engine::CatalogueOutputs());
}

bool StartConvertWindow(engine::FrontEnd& dialog) {
    return engine::StartConvertWindow(dialog, engine::CatalogueOutputs());
}
