// CConverterDlg: the operator's one window. Station list, channel list of the
// single selected station, start and duration of the time window, the five
// buttons, and a two-pane status bar (file in work, free space). It is also
// the engine's front end: it builds a run's request, owns the worker that
// carries it out, and hears of it through the observer's events, which it
// carries out on its own thread.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QPixmap>
#include <map>
#include <optional>
#include <string>

#include "app/channel_list.h"
#include "app/state_image_list.h"
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
namespace widgets {
class CShadedIconButton;
}

namespace app {
class FreeSpacePane;
}

class CConverterDlg : public QDialog, public engine::RunObserver {
    Q_OBJECT

public:
    explicit CConverterDlg(QWidget* parent = nullptr);
    ~CConverterDlg() override;

    // Runs OnInitDialog (once) and the modal loop.
    int DoModal();
    // The control of a dialog id (nullptr for an unknown id).
    QWidget* GetDlgItem(int id) const;

    // -- engine::RunObserver (called on the worker) --
    void StationBegins(const std::string& station) override;
    void SourceDirectoryUnreadable(const std::string& station, const std::string& dir) override;
    void StationFinished(const std::string& station, bool completed) override;
    void EntryInWork(const engine::RunProgress& progress) override;
    // Waits until the box has been closed, or until the run is asked to stop.
    void ShowMessage(const engine::RunMessage& message) override;
    void RunFinished(const engine::RunSummary& summary) override;

    // -- what a run reads and drives (UI thread) --
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
    void ShowRunMessage(const engine::RunMessage& message);
    void ShowProgress(const engine::RunProgress& progress);
    // Runs f on the dialog's thread later (events of the worker).
    template <typename F>
    void Post(F&& f);

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
    int m_waitCursors = 0;  // wait cursors a run has begun and not ended
    engine::RunMode m_runMode = engine::RunMode::Window;
    // The operator declined to stop after a repeated failure: no more boxes for it.
    bool m_repeatsDeclined = false;
    bool m_runOpen = false;  // started, and RunFinished not yet carried out
    engine::RunWorker m_worker;
};
