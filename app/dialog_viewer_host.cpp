#include "app/dialog_viewer_host.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <map>
#include <optional>
#include <stdexcept>

#include "app/converter_dlg.h"
#include "catalog/file_list_paths.h"
#include "catalog/recording_record.h"
#include "engine/drivers.h"
#include "engine/recorded_entries.h"
#include "formats/date_time.h"
#include "formats/recorder/recorder_text.h"
#include "platform/kelvaron_settings.h"
#include "platform/operator_texts.h"
#include "res/resource_ids.h"
#include "ui/text_8bit.h"

namespace app {

namespace {

// The record of recordings' account: the trace files the converted and
// partly converted recordings wrote, and the recordings that failed.
class RecordedConversions final : public plot::ConvertedTraces {
public:
    explicit RecordedConversions(const catalog::RecordingRecords& records)
        : paths_(TracePaths(records)) {
        for (const auto& [key, record] : records)
            if (record.outcome == catalog::RecordingOutcome::Failed)
                failed_.emplace(key, record.message);
    }
    bool HoldsTrace(const std::string& station, const std::string& channel,
                    double start) const override {
        return paths_.HoldsTrace(station, channel, start);
    }
    // Looked up as a run records it: the listed path made absolute.
    std::optional<std::string> FailureOf(const std::string& sourcePath) const override {
        const auto it = failed_.find(catalog::RecordKey(engine::RecordPath(sourcePath)));
        if (it == failed_.end()) return std::nullopt;
        return it->second;
    }

private:
    static std::vector<std::string> TracePaths(const catalog::RecordingRecords& records) {
        std::vector<std::string> paths;
        for (const auto& [key, record] : records) {
            if (record.outcome != catalog::RecordingOutcome::Converted &&
                record.outcome != catalog::RecordingOutcome::Incomplete)
                continue;
            for (const catalog::RecordedTrace& trace : record.traces)
                paths.push_back(trace.tracePath);
        }
        return paths;
    }

    plot::CataloguedTracePaths paths_;
    std::map<std::string, std::string> failed_;
};

class DialogViewerHost final : public ViewerHost {
public:
    DialogViewerHost(CConverterDlg& dialog, catalog::OdbcConnection& database)
        : ViewerHost(&dialog), dialog_(dialog), database_(database) {
        for (int id : {res::kIdStartField, res::kIdDurationField})
            if (auto* edit = qobject_cast<QLineEdit*>(dialog.GetDlgItem(id)))
                connect(edit, &QLineEdit::textChanged, this, &ViewerHost::windowChanged);
        connect(&dialog, &CConverterDlg::runEnded, this, &ViewerHost::runEnded);
    }

    std::vector<std::string> SelectedStations() const override {
        return dialog_.BuildRequest(engine::RunMode::Window).stations;
    }

    // The window as a run would take it from the fields.
    TimeWindow Window() const override {
        const engine::RunRequest request = dialog_.BuildRequest(engine::RunMode::Window);
        return {request.windowStart, request.windowLength};
    }

    std::string SourceDirectory(const std::string& station) const override {
        const std::string named = platform::ReadSourceDirectory(
            platform::KelvaronIniPath(), station, platform::kSourceDirectoryChars);
        // Unset, it is no directory to look in: "/" would list the root.
        return named.empty() ? named : platform::ListedSourceDirectory(named);
    }

    // Asked on the dialog's thread, once a listing has arrived.
    std::unique_ptr<plot::ConvertedTraces> CataloguedTraces(
        const std::string& station) const override {
        // The connection is the run's while a run lasts.
        if (dialog_.IsRunActive())
            throw std::runtime_error(ToText8(
                QCoreApplication::translate("CRecordingViewer", platform::texts::kRunInProgress)));
        // The record of recordings, where the catalogue keeps it, says which
        // trace files each recording wrote; FILELIST alone can only be searched
        // by the path a channel would have.
        if (!catalog::RecordExists(database_))
            return std::make_unique<plot::CataloguedTracePaths>(
                ListStationTracePaths(database_, station));
        return std::make_unique<RecordedConversions>(
            catalog::LoadStationRecords(database_, station, true));
    }

    bool IsRunActive() const override { return dialog_.IsRunActive(); }

private:
    CConverterDlg& dialog_;
    catalog::OdbcConnection& database_;
};

}  // namespace

ViewerHost* MakeDialogViewerHost(CConverterDlg& dialog, catalog::OdbcConnection& database) {
    return new DialogViewerHost(dialog, database);
}

}  // namespace app
