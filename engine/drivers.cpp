#include "engine/drivers.h"

#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <system_error>
#include <thread>

#include "engine/convert_recording.h"
#include "engine/date_time.h"
#include "engine/driver_bodies.h"
#include "engine/lost_catalogue.h"
#include "engine/recorder_header.h"
#include "engine/recorder_messages.h"
#include "engine/recorder_text.h"
#include "engine/run_control.h"
#include "platform/ini_file.h"

namespace {

using engine::FrontEnd;
using platform::MessageIcon;

constexpr const char* kErrorCaption = "Ошибка";
constexpr std::size_t kFileDialogDirChars = 15999;
constexpr std::size_t kWindowDirChars = 255;
constexpr std::size_t kExceptionTextChars = 255;

// The order in which a run locks and frees the dialog's controls.
constexpr int kLockedControls[] = {
    engine::kIdConvert,     engine::kIdExit,          engine::kIdConvertFiles,
    engine::kIdSelectAll,   engine::kIdClearStations, engine::kIdChannelList,
    engine::kIdStationList, engine::kIdStartField,    engine::kIdDurationField,
};

// An error's text as the message box takes it: at most 255 bytes, not
// ending inside a UTF-8 sequence.
std::string ExceptionText(const std::exception& e) {
    std::string text = e.what();
    if (text.size() > kExceptionTextChars) {
        std::size_t cut = kExceptionTextChars;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
        text.resize(cut);
    }
    return text;
}

void ShowException(FrontEnd& dialog, const std::exception& e) {
    dialog.ShowMessage(ExceptionText(e), platform::kApplicationTitle, MessageIcon::Error);
}

class WaitCursor {
public:
    explicit WaitCursor(FrontEnd& dialog) : dialog_(dialog) { dialog_.BeginWaitCursor(); }
    ~WaitCursor() { dialog_.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    FrontEnd& dialog_;
};

// Runs one run's thread procedure on a worker; false when no run could start.
bool StartWorker(FrontEnd& dialog, std::function<void()> procedure) {
    if (!engine::TryBeginRun()) return false;
    try {
        std::thread([&dialog, procedure = std::move(procedure)] {
            try {
                procedure();
            } catch (...) {
                // Nothing may leave a worker; the bodies report what they can.
                // Whatever ended the run early, the operator gets the controls back.
                try {
                    EnableControls(dialog);
                } catch (...) {
                }
            }
            try {
                dialog.RunFinished();
            } catch (...) {
            }
            engine::EndRun();
        }).detach();
    } catch (const std::system_error&) {
        engine::EndRun();
        return false;
    }
    return true;
}

}  // namespace

void DisableControls(FrontEnd& dialog) {
    for (int id : kLockedControls) dialog.EnableControl(id, false);
}

void EnableControls(FrontEnd& dialog) {
    for (int id : kLockedControls) dialog.EnableControl(id, true);
    dialog.ShowCurrentFile("");
}

namespace engine {

std::string SourceDirectory(const std::string& station, std::size_t maxChars) {
    platform::IniFile settings(platform::KelvaronIniPath());
    std::string dir = settings.GetString(station, "DIR", "", maxChars);
    if (dir.empty()) dir = settings.GetString("KELVARON", "DIR", "", maxChars);
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

bool StartConvertFiles(ConvertRequest& request, RecordingOutputs& outputs) {
    if (!request.dialog) return false;
    // The worker keeps its own copy: the dialog may refill its request.
    const ConvertRequest copy = request;
    return StartWorker(*copy.dialog, [copy, &outputs] { ConvertFilesThread(copy, outputs); });
}

bool StartConvertWindow(FrontEnd& dialog, RecordingOutputs& outputs) {
    return StartWorker(dialog, [&dialog, &outputs] { ConvertWindowThread(dialog, outputs); });
}

}  // namespace engine

int ConvertFilesThread(const ConvertRequest& request, engine::RecordingOutputs& outputs) {
    ConvertSelectedFiles(request, outputs);
    EnableControls(*request.dialog);
    return 0;
}

void ConvertSelectedFiles(const ConvertRequest& request, engine::RecordingOutputs& outputs) {
    FrontEnd& dialog = *request.dialog;
    const std::string station(request.station, strnlen(request.station, sizeof request.station));
    const auto files =
        dialog.PickRecordingFiles(engine::SourceDirectory(station, kFileDialogDirChars));
    if (!files) return;

    dialog.BeginWaitCursor();
    DisableControls(dialog);
    for (const std::string& path : *files) {
        if (engine::StopRequested()) break;
        dialog.ShowCurrentFile(path);
        platform::IniFile header(path);
        if (header.source() == platform::IniFile::Source::NotARegularFile) {
            dialog.ShowMessage(engine::NotARegularFileMessage(path), kErrorCaption,
                               MessageIcon::Error);
            continue;
        }
        const std::string name = engine::ReadStationName(header);
        if (name.empty()) {
            dialog.ShowMessage("В файле нет имени станции", kErrorCaption, MessageIcon::Error);
            continue;
        }
        if (!dialog.IsStationSelected(name)) {
            dialog.ShowMessage("Имя станции в файле '" + path + "' не совпадает с выбранным(и)",
                               kErrorCaption, MessageIcon::Error);
            continue;
        }
        try {
            engine::ConvertRecording(name, header, dialog, outputs);
        } catch (const std::exception& e) {
            ShowException(dialog, e);
            if (!engine::CatalogueUsableAfter(e, dialog)) break;
        }
    }
    EnableControls(dialog);
    dialog.RefreshFreeSpace();
    dialog.EndWaitCursor();
}

int ConvertWindowThread(FrontEnd& dialog, engine::RecordingOutputs& outputs) {
    for (const std::string& station : dialog.SelectedStations()) {
        if (engine::StopRequested()) break;
        const engine::StartDateTime t = dialog.StartFieldDateTime();
        const double start = EpochFromCalendar(t.year, t.month, t.day, t.hour, t.minute,
                                               static_cast<float>(t.second));
        const double length = engine::ParseDurationSeconds(dialog.DurationText());
        try {
            ConvertStationWindow(station, dialog, start, length, outputs);
        } catch (const std::exception& e) {
            ShowException(dialog, e);
            if (!engine::CatalogueUsableAfter(e, dialog)) break;
        }
    }
    dialog.RefreshFreeSpace();
    EnableControls(dialog);
    return 0;
}

void ConvertStationWindow(const std::string& station, FrontEnd& dialog, double start, double length,
                          engine::RecordingOutputs& outputs) {
    WaitCursor cursor(dialog);
    const std::string dir = engine::SourceDirectory(station, kWindowDirChars);
    std::error_code error;
    std::filesystem::directory_iterator entry(dir, error);
    if (error) {
        // Only the status is cleared: the run still holds every control.
        dialog.ShowCurrentFile("");
        dialog.SourceDirectoryUnreadable(station, dir);
    }
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        if (engine::StopRequested()) return;
        const std::string name = entry->path().filename().string();
        dialog.ShowCurrentFile(name);
        // The listing's own file type: sub-directories have no station name
        // anyway, and a pipe must not block the scan.
        std::error_code typeError;
        if (!entry->is_regular_file(typeError)) continue;
        platform::IniFile header(dir + name);
        const std::string fileStation = engine::ReadStationName(header);
        if (fileStation.empty() || fileStation != station) continue;
        const auto span = engine::ReadRecordingSpan(header);
        if (!span) continue;
        if (engine::Overlaps(start, length, span->start, span->dataSeconds))
            engine::ConvertRecording(station, header, dialog, outputs);
    }
    dialog.Beep();
}
