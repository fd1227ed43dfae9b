// What the conversion engine needs from its front end: the main dialog, the
// batch command, or a test. Every call comes from the worker thread; a Qt
// front end carries each one out on its UI thread and returns the answer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/message_sink.h"

namespace engine {

// Control ids the engine locks and unlocks around a run.
enum ControlId : int {
    kIdConvert = 1,
    kIdExit = 2,
    kIdStationList = 1000,
    kIdStartField = 1016,
    kIdDurationField = 1017,
    kIdConvertFiles = 1020,
    kIdGainCheck = 1023,
    kIdChannelList = 1024,
    kIdSelectAll = 1025,
    kIdClearStations = 1026,
};

struct StartDateTime {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

class FrontEnd : public platform::MessageSink {
public:
    // Status pane 0 ("" clears it).
    virtual void ShowCurrentFile(const std::string& text) = 0;
    // True when name equals, ignoring case, a selected station entry.
    virtual bool IsStationSelected(const std::string& name) = 0;
    // Recompute and show the free space of the output disk.
    virtual void RefreshFreeSpace() = 0;

    // Texts of the selected station entries, in ascending entry order.
    virtual std::vector<std::string> SelectedStations() = 0;
    // GetDateTime of the start field.
    virtual StartDateTime StartFieldDateTime() = 0;
    // The text of the duration field (DDD hh:mm:ss).
    virtual std::string DurationText() = 0;

    // The channel list: item count, check state (state image 2), column 0
    // text (at most 15 characters).
    virtual int ChannelItemCount() = 0;
    virtual bool IsChannelItemChecked(int item) = 0;
    virtual std::string ChannelItemText(int item) = 0;

    virtual void EnableControl(int id, bool enable) = 0;
    virtual void Beep() = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // The open-file dialog, multiple selection, starting in initialDir.
    // Full paths in the dialog's order; nullopt when cancelled or failed.
    virtual std::optional<std::vector<std::string>> PickRecordingFiles(
        const std::string& initialDir) = 0;

    // Called last on the worker thread when a run has ended (not blocking
    // for the front end: a dialog may queue it).
    virtual void RunFinished() {}

    // Progress for front ends that show more than the status text (the batch
    // command); the dialog needs neither. A recording's data block was read
    // and its channels handed to the writer, `traces` of them written.
    virtual void RecordingConverted(const std::string& /*path*/, std::int64_t /*dataBytes*/,
                                    int /*traces*/) {}
    // A station's source directory could not be listed; the run goes on.
    virtual void SourceDirectoryUnreadable(const std::string& /*station*/,
                                           const std::string& /*dir*/) {}
};

}  // namespace engine
