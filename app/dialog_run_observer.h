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
    // Waits until the box has been closed, or until the run is asked to stop.
    void ShowMessage(const engine::RunMessage& message) override;
    void RunFinished(const engine::RunSummary& summary) override;

private:
    // Runs f(dialog) on the dialog's thread later; nothing once it has gone.
    template <typename F>
    void Post(F&& f);

    QPointer<CConverterDlg> dialog_;
    const engine::RunWorker& worker_;
};

}  // namespace app
