#include "app/dialog_run_observer.h"

#include <QThread>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "app/converter_dlg.h"
#include "platform/message_catalogue.h"
#include "platform/operator_texts.h"

namespace app {

namespace {

std::string Said(std::string_view text) { return platform::TranslateMessage(text); }

// A message handed from the worker to the dialog's thread.
struct PendingMessage {
    std::mutex mutex;
    std::condition_variable_any shown;
    bool done = false;
    bool abandoned = false;  // the worker no longer waits: do not show it
};

}  // namespace

DialogRunObserver::DialogRunObserver(CConverterDlg& dialog, const engine::RunWorker& worker)
    : dialog_(&dialog), worker_(worker), report_(Said) {}

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

void DialogRunObserver::SourceDirectoryUnreadable(const std::string& station,
                                                  const std::string& dir) {
    // The station must not vanish silently: the operator is told, as the
    // batch command tells it.
    Post([](CConverterDlg& d) { d.ShowCurrentFile(""); });
    ShowMessage({platform::texts::UnreadableSourceDirectory(station, dir), "",
                 platform::texts::kErrorCaption});
}

void DialogRunObserver::StationFinished(const std::string&, bool completed) {
    Post([completed](CConverterDlg& d) { d.OnStationFinished(completed); });
}

void DialogRunObserver::RecordingConverted(const std::string& path, int) {
    report_.RecordingConverted(path);
}

void DialogRunObserver::RecordingNotConverted(const std::string& path, int written, int failed) {
    report_.RecordingNotConverted(path, written, failed);
}

void DialogRunObserver::RecordingSkipped(const std::string& path, engine::SkipReason reason) {
    report_.RecordingSkipped(path, reason);
}

void DialogRunObserver::TraceWritten(const std::string& catalogPath) {
    report_.TraceWritten(catalogPath);
}

void DialogRunObserver::EntryInWork(const engine::RunProgress& progress) {
    report_.EntryInWork();
    Post([progress](CConverterDlg& d) { d.OnEntryInWork(progress); });
}

void DialogRunObserver::ShowMessage(const engine::RunMessage& message) {
    report_.Message(message);
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
    std::vector<std::string> lines = report_.lines();
    report_ = engine::RunReport(Said);
    Post(
        [summary, lines = std::move(lines)](CConverterDlg& d) { d.OnRunFinished(summary, lines); });
}

}  // namespace app
