// CConverterDlg as the engine's front end. A worker never touches a widget:
// each call is carried out on the dialog's thread while the worker waits
// (blocking queued call). The dialog's thread never waits for a worker,
// except when the window is closed during a run, and then it keeps serving
// these calls while it waits.
#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QThread>
#include <QTimer>
#include <type_traits>

#include "app/converter_dlg.h"
#include "app/free_space_pane.h"
#include "app/settings_text.h"
#include "app/text_8bit.h"
#include "app/ui_hooks.h"
#include "controls/date_time_edit.h"
#include "controls/mask_edit.h"
#include "platform/file_system.h"
#include "platform/ini_file.h"
#include "platform/text_encoding.h"

namespace {

constexpr std::size_t kDataDirChars = 127;

}  // namespace

template <typename F>
auto CConverterDlg::OnUiThread(F&& f) -> decltype(f()) {
    using Result = decltype(f());
    if (QThread::currentThread() == thread()) return f();
    if constexpr (std::is_void_v<Result>) {
        QMetaObject::invokeMethod(this, std::forward<F>(f), Qt::BlockingQueuedConnection);
    } else {
        Result result{};
        QMetaObject::invokeMethod(
            this, [&] { result = f(); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

void CConverterDlg::ShowMessage(const std::string& text, const std::string& caption,
                                platform::MessageIcon icon) {
    OnUiThread(
        [&] { app::ShowMessageBox(this, app::FromText8(text), app::FromText8(caption), icon); });
}

void CConverterDlg::ShowCurrentFile(const std::string& text) {
    OnUiThread([&] {
        m_paneFile->setText(app::FromText8(text));
        m_paneFile->repaint();
    });
}

bool CConverterDlg::IsStationSelected(const std::string& name) {
    return OnUiThread([&] {
        const QString wanted = app::FromText8(name);
        for (int row = 0; row < m_listStations->count(); ++row) {
            if (!m_listStations->item(row)->isSelected()) continue;
            if (QString::compare(app::FromText8(StationText8(row)), wanted, Qt::CaseInsensitive) ==
                0)
                return true;
        }
        return false;
    });
}

void CConverterDlg::RefreshFreeSpace() {
    // The text the pane paints is replaced on the dialog's thread only.
    OnUiThread([&] {
        std::string dir =
            platform::ReadIniString(platform::TvxIniPath(), "DATA", "DIR", "", kDataDirChars);
        const std::optional<std::uint64_t> free = platform::FreeBytesForCaller(dir);
        m_strFreeSpace = app::FreeSpaceText(free);
        if (m_paneFreeSpace) {
            if (free)
                m_paneFreeSpace->update();
            else
                m_paneFreeSpace->repaint();
        }
    });
}

std::vector<std::string> CConverterDlg::SelectedStations() {
    return OnUiThread([&] {
        std::vector<std::string> stations;
        for (int row = 0; row < m_listStations->count(); ++row)
            if (m_listStations->item(row)->isSelected()) stations.push_back(StationText8(row));
        return stations;
    });
}

engine::StartDateTime CConverterDlg::StartFieldDateTime() {
    return OnUiThread([&] {
        engine::StartDateTime t;
        m_editStart->GetDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second);
        return t;
    });
}

std::string CConverterDlg::DurationText() {
    return OnUiThread([&] { return app::ToText8(m_editDuration->text()); });
}

int CConverterDlg::ChannelItemCount() {
    return OnUiThread([&] { return m_listChannels->GetItemCount(); });
}

bool CConverterDlg::IsChannelItemChecked(int item) {
    return OnUiThread(
        [&] { return m_listChannels->GetItemState(item, app::kStateMask) == app::kStateChecked; });
}

std::string CConverterDlg::ChannelItemText(int item) {
    return OnUiThread(
        [&] { return platform::CutText8(m_listChannels->GetItemText8(item), kChannelChars); });
}

void CConverterDlg::EnableControl(int id, bool enable) {
    OnUiThread([&] {
        if (QWidget* w = GetDlgItem(id)) w->setEnabled(enable);
    });
}

void CConverterDlg::Beep() {
    OnUiThread([] { QApplication::beep(); });
}

void CConverterDlg::BeginWaitCursor() {
    OnUiThread([&] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_waitCursors;
    });
}

void CConverterDlg::EndWaitCursor() {
    OnUiThread([&] {
        if (m_waitCursors == 0) return;
        QApplication::restoreOverrideCursor();
        --m_waitCursors;
    });
}

std::optional<std::vector<std::string>> CConverterDlg::PickRecordingFiles(
    const std::string& initialDir) {
    return OnUiThread([&]() -> std::optional<std::vector<std::string>> {
        const std::optional<QStringList> picked =
            app::ShowOpenFilesDialog(this, app::FromText8(initialDir));
        if (!picked) return std::nullopt;
        std::vector<std::string> paths;
        for (const QString& p : *picked) paths.push_back(QFile::encodeName(p).toStdString());
        return paths;
    });
}

void CConverterDlg::RunFinished() {
    // Not waited for: the worker is on its way out.
    QMetaObject::invokeMethod(
        this,
        [this] {
            while (m_waitCursors > 0) {
                QApplication::restoreOverrideCursor();
                --m_waitCursors;
            }
            emit runEnded();
        },
        Qt::QueuedConnection);
}

void CConverterDlg::WaitForRunWhilePainting() {
    if (!engine::IsRunActive()) return;
    engine::RequestStop();
    QEventLoop loop;
    connect(this, &CConverterDlg::runEnded, &loop, &QEventLoop::quit);
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [&loop] {
        if (!engine::IsRunActive()) loop.quit();
    });
    poll.start(20);
    if (engine::IsRunActive()) loop.exec();
    // The worker has made its last call to the dialog; let its thread end.
    engine::WaitForRun();
}
