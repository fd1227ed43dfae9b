// CConverterDlg as the engine's front end: the run's events, carried out on
// the dialog's thread (its observer posts them here), and what a run reads
// and drives.
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QStatusBar>
#include <QThread>
#include <QToolButton>

#include "app/channel_list.h"
#include "app/converter_dlg.h"
#include "app/dialog_run_observer.h"
#include "app/free_space_pane.h"
#include "app/run_report_window.h"
#include "app/settings_text.h"
#include "app/ui_hooks.h"
#include "controls/date_time_edit.h"
#include "controls/mask_edit.h"
#include "engine/recording_outputs.h"
#include "formats/date_time.h"
#include "formats/recorder/recorder_text.h"
#include "platform/file_system.h"
#include "platform/ini_file.h"
#include "platform/kelvaron_settings.h"
#include "platform/message_catalogue.h"
#include "platform/operator_texts.h"
#include "platform/text_encoding.h"
#include "res/resource_ids.h"
#include "ui/text_8bit.h"

namespace {

constexpr std::size_t kDataDirChars = 127;

std::string Said(std::string_view text) { return platform::TranslateMessage(text); }

// The order in which a run locks and frees the dialog's controls.
constexpr int kLockedControls[] = {
    res::kIdConvert,     res::kIdExit,          res::kIdConvertFiles,
    res::kIdSelectAll,   res::kIdClearStations, res::kIdChannelList,
    res::kIdStationList, res::kIdStartField,    res::kIdDurationField,
};

}  // namespace

// -- a run's events --

void CConverterDlg::OnStationBegins() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++m_waitCursors;
}

void CConverterDlg::OnStationFinished(bool completed) {
    if (completed) QApplication::beep();
    EndWaitCursor();
}

void CConverterDlg::EndWaitCursor() {
    if (m_waitCursors > 0) {
        QApplication::restoreOverrideCursor();
        --m_waitCursors;
    }
}

void CConverterDlg::OnEntryInWork(const engine::RunProgress& progress) {
    ShowCurrentFile(progress.name);
    ShowProgress(progress);
}

void CConverterDlg::OnRunFinished(const engine::RunSummary& summary,
                                  const std::vector<std::string>& report) {
    if (m_runMode == engine::RunMode::Files) {
        EnableControls();
        RefreshFreeSpace();
        EndWaitCursor();
        EnableControls();
    } else {
        RefreshFreeSpace();
        EnableControls();
    }
    while (m_waitCursors > 0) EndWaitCursor();
    m_progress->hide();
    m_btnStop->hide();
    m_paneFile->setContentsMargins(0, 0, 0, 0);
    // Until the next action pane 0 says what the run did: a run that
    // converted nothing must not look like one that converted everything,
    // and one that failed begins with its failures. The pane is narrow: the
    // whole line is its tooltip, and a click opens the run's report.
    const std::string line = engine::SummaryLine(summary, Said);
    ShowCurrentFile(line);
    m_lastSummary = app::FromText8(line);
    m_lastReport.clear();
    for (const std::string& text : report) m_lastReport.push_back(app::FromText8(text));
    m_paneFile->setToolTip(m_lastSummary + QLatin1Char('\n') + tr(platform::texts::kReportHint));
    if (m_reportWindow) m_reportWindow->SetReport(m_lastSummary, m_lastReport);
    m_worker.Join();  // past its last event: ends at once
    m_runOpen = false;
    emit runEnded();
}

// -- running --

engine::RunRequest CConverterDlg::BuildRequest(engine::RunMode mode) const {
    engine::RunRequest request;
    request.mode = mode;
    for (int row = 0; row < m_listStations->count(); ++row)
        if (m_listStations->item(row)->isSelected()) request.stations.push_back(StationText8(row));
    const platform::CalendarFields t = StartFieldDateTime();
    request.windowStart = EpochFromCalendar(t);
    request.windowLength = engine::ParseDurationSeconds(app::ToText8(m_editDuration->text()));
    for (int i = 0; i < m_listChannels->GetItemCount(); ++i)
        request.channels.push_back(
            {platform::CutText8(m_listChannels->GetItemText8(i), platform::kChannelNameChars),
             IsChannelItemChecked(i)});
    return request;
}

bool CConverterDlg::StartRun(engine::RunRequest request) {
    // Read when the run starts, once each: the run reads neither file again.
    request.settings = platform::ResolveRunSettings(request.stations);
    m_runMode = request.mode;
    m_repeatsDeclined = false;
    if (!m_worker.Start(std::move(request), *m_observer, m_outputs)) return false;
    m_runOpen = true;
    m_progress->setValue(0);
    m_progress->show();
    m_btnStop->setEnabled(true);
    m_btnStop->show();
    m_paneFile->setToolTip(QString());
    // The name in work stays clear of the bar and of Stop.
    m_paneFile->setContentsMargins(0, 0, m_paneFile->width() - m_progress->x() + 4, 0);
    return true;
}

void CConverterDlg::OnStopRun() {
    if (!IsRunActive()) return;
    m_worker.RequestStop();
    m_btnStop->setEnabled(false);
}

app::RunReportWindow* CConverterDlg::OpenRunReport() {
    if (m_lastSummary.isEmpty()) return nullptr;
    if (!m_reportWindow) m_reportWindow = new app::RunReportWindow(this);
    m_reportWindow->SetReport(m_lastSummary, m_lastReport);
    m_reportWindow->show();
    m_reportWindow->raise();
    return m_reportWindow;
}

bool CConverterDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_paneFile && event->type() == QEvent::MouseButtonRelease && !IsRunActive() &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && OpenRunReport())
        return true;
    return QDialog::eventFilter(watched, event);
}

void CConverterDlg::StopRun() {
    m_worker.RequestStop();
    m_worker.Join();
    m_runOpen = false;  // its last events may still be queued; nothing waits for them
}

bool CConverterDlg::DataDirectoryIsSet() {
    const std::string problem = platform::DataDirectoryProblem(platform::TvxIniPath());
    if (problem.empty()) return true;
    app::ShowMessageBox(this, app::FromText8(problem),
                        QString::fromUtf8(platform::texts::kErrorCaption),
                        platform::MessageIcon::Error);
    return false;
}

void CConverterDlg::ShowRunMessage(const engine::RunMessage& m) {
    const QString text = app::FromText8(m.text);
    const QString caption = app::FromText8(m.caption);
    const QString detail = app::FromText8(m.detail);
    if (!m.repeated) {
        app::ShowMessageBox(this, text, caption, m.icon, detail);
        return;
    }
    // The same failure again (a full disk, a read-only tree): one question
    // instead of one box per channel.
    if (m_repeatsDeclined || m_worker.StopRequested()) return;
    if (app::AskToStopRun(this, text, caption, detail))
        m_worker.RequestStop();
    else
        m_repeatsDeclined = true;
}

void CConverterDlg::ShowProgress(const engine::RunProgress& p) {
    m_progress->setRange(0, p.entries);
    m_progress->setValue(p.entry);
    m_progress->setFormat(QString::fromUtf8(
        Said(platform::texts::ProgressText(p.entry, p.entries, p.station, p.stations))));
}

// -- what a run reads and drives --

void CConverterDlg::ShowCurrentFile(const std::string& text) {
    // Widgets are touched on the dialog's thread only; a caller on another
    // waits until the pane shows the text.
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [this, text] { ShowCurrentFile(text); }, Qt::BlockingQueuedConnection);
        return;
    }
    m_paneFile->setText(app::FromText8(text));
    m_paneFile->repaint();
}

void CConverterDlg::RefreshFreeSpace() {
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [this] { RefreshFreeSpace(); }, Qt::BlockingQueuedConnection);
        return;
    }
    const std::string dir = platform::ReadDataDirectory(platform::TvxIniPath(), kDataDirChars);
    const std::optional<std::uint64_t> free = platform::FreeBytesForCaller(dir);
    m_strFreeSpace = app::FreeSpaceText(free);
    if (m_paneFreeSpace) {
        if (free)
            m_paneFreeSpace->update();
        else
            m_paneFreeSpace->repaint();
    }
}

platform::CalendarFields CConverterDlg::StartFieldDateTime() const {
    platform::CalendarFields t;
    m_editStart->GetDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second);
    return t;
}

bool CConverterDlg::IsChannelItemChecked(int item) const {
    return m_listChannels->GetItemState(item, app::kStateMask) == app::kStateChecked;
}

void CConverterDlg::EnableControl(int id, bool enable) {
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(enable);
}

void CConverterDlg::DisableControls() {
    for (int id : kLockedControls) EnableControl(id, false);
}

void CConverterDlg::EnableControls() {
    for (int id : kLockedControls) EnableControl(id, true);
    ShowCurrentFile("");
}
