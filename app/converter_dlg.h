// CConverterDlg: the operator's one window. Station list, channel list of the
// single selected station, start and duration of the time window, the five
// buttons, and a two-pane status bar (file in work, free space). It is also
// the engine's front end: it builds a run's request, owns the worker that
// carries it out, and carries out on its own thread the events that its
// observer (app/dialog_run_observer.h) posts there.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/channel_list.h"
#include "app/state_image_list.h"
#include "engine/recording_outputs.h"
#include "engine/run_control.h"
#include "engine/run_observer.h"
#include "platform/calendar_text.h"

class CDateTimeEdit;
class CMaskEdit;
class QCheckBox;
class QLabel;
class QProgressBar;
class QListWidget;
class QStatusBar;
class QToolButton;
class CRecordingViewer;
namespace catalog {
class OdbcConnection;
}
namespace widgets {
class CShadedIconButton;
}

namespace app {
class DialogRunObserver;
class FreeSpacePane;
class RunReportWindow;
class ViewerHost;
}  // namespace app

class CConverterDlg : public QDialog {
    Q_OBJECT

public:
    // database: the catalogue the channel list, the runs and the viewer use.
    explicit CConverterDlg(catalog::OdbcConnection& database, QWidget* parent = nullptr);
    ~CConverterDlg() override;

    // Runs OnInitDialog (once) and the modal loop.
    int DoModal();
    // The control of a dialog id (nullptr for an unknown id).
    QWidget* GetDlgItem(int id) const;

    // -- a run's events, carried out on the dialog's thread --
    void OnStationBegins();
    void OnStationFinished(bool completed);
    void OnEntryInWork(const engine::RunProgress& progress);
    void ShowRunMessage(const engine::RunMessage& message);
    // report: the run's lines as kelvaron-batch -v prints them.
    void OnRunFinished(const engine::RunSummary& summary, const std::vector<std::string>& report);

    // -- what a run reads and drives (UI thread; ShowCurrentFile and
    // RefreshFreeSpace called from another wait for the dialog's) --
    // Status pane 0 ("" clears it).
    void ShowCurrentFile(const std::string& text);
    // Recompute and show the free space of the output disk.
    void RefreshFreeSpace();
    // GetDateTime of the start field.
    platform::CalendarFields StartFieldDateTime() const;
    bool IsChannelItemChecked(int item) const;
    virtual void EnableControl(int id, bool enable);
    // The nine controls a run locks, in their order; unlocking clears pane 0.
    void DisableControls();
    void EnableControls();
    // The request of a run from the controls as they stand.
    engine::RunRequest BuildRequest(engine::RunMode mode) const;
    // True from a run's start until the dialog has carried out its last event.
    bool IsRunActive() const { return m_runOpen || m_worker.Active(); }
    // The Stop control: the run ends after the trace file in hand and the
    // dialog stays open.
    void OnStopRun();
    // The last run's report window, opened (and filled) by a click on pane 0;
    // nullptr before a run has ended.
    app::RunReportWindow* OpenRunReport();

    // -- the dialog's own operations (UI thread) --
    bool OnInitDialog();
    void OnOK();
    void OnConvertFiles();
    void OnCancel();
    void OnSelectAllStations();
    void OnClearStations();
    void OnSelchangeStations();
    void OnAbout();
    // The station list's context menu: view the recordings of one station.
    void ShowStationMenu(const QPoint& pos);
    // The viewer on the one selected station (nullptr unless exactly one is).
    CRecordingViewer* OpenRecordingViewer();
    // The save direction validates the start field; false when it is invalid.
    bool UpdateData(bool saveAndValidate);

    // The text pane 1 draws.
    const QString& FreeSpaceText() const { return m_strFreeSpace; }
    QString CurrentFileText() const;

    void DrawFreeSpacePane(QPainter& painter, const QRect& pane);

signals:
    void runEnded();

protected:
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void CreateStatusBar();
    void SetUpButtons();
    void LoadSettings();
    void InsertChannelColumns();
    void FillChannelList();
    int SelectedStationCount() const;
    std::string StationText8(int row) const;
    void AddStation(const std::string& name8);
    void SelectAllStations(bool select);
    // Asks a run to stop and waits for its worker.
    void StopRun();
    void ShowErrorText(const std::string& text);
    // Refuses a run without a data directory; true when one may start.
    bool DataDirectoryIsSet();
    bool StartRun(engine::RunRequest request);
    void ShowProgress(const engine::RunProgress& progress);
    void EndWaitCursor();

    CDateTimeEdit* m_editStart = nullptr;
    CMaskEdit* m_editDuration = nullptr;
    app::ChannelListView* m_listChannels = nullptr;
    app::StateImageList m_imageStates;
    widgets::CShadedIconButton* m_btnExit = nullptr;
    widgets::CShadedIconButton* m_btnConvert = nullptr;
    widgets::CShadedIconButton* m_btnConvertFiles = nullptr;
    widgets::CShadedIconButton* m_btnAll = nullptr;
    widgets::CShadedIconButton* m_btnNone = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QPixmap m_bmpDisk;
    QPixmap m_bmpDiskMask;
    QString m_strFreeSpace;
    QListWidget* m_listStations = nullptr;
    QIcon m_hIcon;

    QCheckBox* m_checkUseGain = nullptr;
    QLabel* m_paneFile = nullptr;
    app::FreeSpacePane* m_paneFreeSpace = nullptr;
    std::map<int, QWidget*> m_controls;
    bool m_initialised = false;
    bool m_closing = false;
    bool m_selectingByProgram = false;
    QProgressBar* m_progress = nullptr;
    QToolButton* m_btnStop = nullptr;
    // The last run's whole summary and report (interface language).
    QString m_lastSummary;
    QStringList m_lastReport;
    QPointer<app::RunReportWindow> m_reportWindow;
    int m_waitCursors = 0;  // wait cursors a run has begun and not ended
    engine::RunMode m_runMode = engine::RunMode::Window;
    // The operator declined to stop after a repeated failure: no more boxes for it.
    bool m_repeatsDeclined = false;
    bool m_runOpen = false;  // started, and RunFinished not yet carried out
    catalog::OdbcConnection& m_database;
    engine::CatalogueOutputs m_outputs;
    app::ViewerHost* m_viewerHost = nullptr;  // a child of the dialog
    // Declared before the worker: a run's last events reach it.
    std::unique_ptr<app::DialogRunObserver> m_observer;
    engine::RunWorker m_worker;
};
