#include "app/dialog_run_observer.h"

#include <QThread>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "app/converter_dlg.h"

namespace app {

namespace {

// A message handed from the worker to the dialog's thread.
struct PendingMessage {
    std::mutex mutex;
    std::condition_variable_any shown;
    bool done = false;
    bool abandoned = false;  // the worker no longer waits: do not show it
};

}  // namespace

DialogRunObserver::DialogRunObserver(CConverterDlg& dialog, const engine::RunWorker& worker)
    : dialog_(&dialog), worker_(worker) {}

template <typename F>
void DialogRunObserver::Post(F&& f) {
    CConverterDlg* dialog = dialog_.data();
    if (!dialog) return;
    // The dialog is the call's context: a call still queued when it goes is dropped.
    QMetaObject::invokeMethod(
        dialog, [dialog, f = std::forward<F>(f)]() mutable { f(*dialog); }, Qt::QueuedConnection);
}

void DialogRunObserver::StationBegins(const std::string&) {
    Post([](CConverterDlg& d) { d.OnStationBegins(); });
}

void DialogRunObserver::SourceDirectoryUnreadable(const std::string&, const std::string&) {
    // Only the status is cleared: the run still holds every control.
    Post([](CConverterDlg& d) { d.ShowCurrentFile(""); });
}

void DialogRunObserver::StationFinished(const std::string&, bool completed) {
    Post([completed](CConverterDlg& d) { d.OnStationFinished(completed); });
}

void DialogRunObserver::EntryInWork(const engine::RunProgress& progress) {
    Post([progress](CConverterDlg& d) { d.OnEntryInWork(progress); });
}

void DialogRunObserver::ShowMessage(const engine::RunMessage& message) {
    CConverterDlg* dialog = dialog_.data();
    if (!dialog) return;
    if (QThread::currentThread() == dialog->thread()) {
        dialog->ShowRunMessage(message);
        return;
    }
    auto pending = std::make_shared<PendingMessage>();
    Post([message, pending](CConverterDlg& d) {
        {
            std::lock_guard lock(pending->mutex);
            if (pending->abandoned) return;
        }
        d.ShowRunMessage(message);
        std::lock_guard lock(pending->mutex);
        pending->done = true;
        pending->shown.notify_all();
    });
    std::unique_lock lock(pending->mutex);
    pending->shown.wait(lock, worker_.StopToken(), [&] { return pending->done; });
    if (!pending->done) pending->abandoned = true;
}

void DialogRunObserver::RunFinished(const engine::RunSummary& summary) {
    Post([summary](CConverterDlg& d) { d.OnRunFinished(summary); });
}

}  // namespace app
