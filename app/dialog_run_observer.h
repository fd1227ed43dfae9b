// The observer the dialog hands to the engine's worker. The worker never
// touches a widget: every event is posted to the dialog's thread and carried
// out there by the dialog; only a message makes the worker wait, until its box
// is closed or the run is asked to stop. So the dialog's thread may wait for a
// worker, as it does when the window is closed during a run.
#pragma once

#include <QPointer>
#include <string>

#include "engine/run_control.h"
#include "engine/run_observer.h"
#include "engine/run_report.h"

class CConverterDlg;

namespace app {

class DialogRunObserver final : public engine::RunObserver {
public:
    // worker: the one whose runs report here (its stop request ends a wait
    // for a message box).
    DialogRunObserver(CConverterDlg& dialog, const engine::RunWorker& worker);

    void StationBegins(const std::string& station) override;
    void SourceDirectoryUnreadable(const std::string& station, const std::string& dir) override;
    void StationFinished(const std::string& station, bool completed) override;
    void EntryInWork(const engine::RunProgress& progress) override;
    void RecordingConverted(const std::string& path, int traces) override;
    void RecordingNotConverted(const std::string& path, int written, int failed) override;
    void RecordingSkipped(const std::string& path, engine::SkipReason reason) override;
    void TraceWritten(const std::string& catalogPath) override;
    // Waits until the box has been closed, or until the run is asked to stop.
    void ShowMessage(const engine::RunMessage& message) override;
    // Hands the dialog the summary and the run's report.
    void RunFinished(const engine::RunSummary& summary) override;

private:
    // Runs f(dialog) on the dialog's thread later; nothing once it has gone.
    template <typename F>
    void Post(F&& f);

    QPointer<CConverterDlg> dialog_;
    const engine::RunWorker& worker_;
    // The run's report, kept on the worker's thread until the run ends.
    engine::RunReport report_;
};

}  // namespace app
