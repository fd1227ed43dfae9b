// CConverterDlg: the operator's one window. Station list, channel list of the
// single selected station, start and duration of the time window, the five
// buttons, and a two-pane status bar (file in work, free space). It is also
// the engine's front end: every call from a worker is carried out on the UI
// thread, and the worker waits for it.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QPixmap>
#include <map>
#include <optional>
#include <string>

#include "app/channel_list.h"
#include "app/state_image_list.h"
#include "engine/drivers.h"
#include "engine/front_end.h"

class CDateTimeEdit;
class CMaskEdit;
class QCheckBox;
class QLabel;
class QListWidget;
class QStatusBar;
namespace widgets {
class CShadedIconButton;
}

namespace app {
class FreeSpacePane;
}

class CConverterDlg : public QDialog, public engine::FrontEnd {
    Q_OBJECT

public:
    explicit CConverterDlg(QWidget* parent = nullptr);
    ~CConverterDlg() override;

    // Runs OnInitDialog (once) and the modal loop.
    int DoModal();
    // The control of a dialog id (nullptr for an unknown id).
    QWidget* GetDlgItem(int id) const;

    // -- engine::FrontEnd (callable from any thread) --
    void ShowMessage(const std::string& text, const std::string& caption,
                     platform::MessageIcon icon) override;
    void ShowCurrentFile(const std::string& text) override;
    bool IsStationSelected(const std::string& name) override;
    void RefreshFreeSpace() override;
    std::vector<std::string> SelectedStations() override;
    engine::StartDateTime StartFieldDateTime() override;
    std::string DurationText() override;
    int ChannelItemCount() override;
    bool IsChannelItemChecked(int item) override;
    std::string ChannelItemText(int item) override;
    void EnableControl(int id, bool enable) override;
    void Beep() override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    std::optional<std::vector<std::string>> PickRecordingFiles(
        const std::string& initialDir) override;
    void RunFinished() override;

    // -- the dialog's own operations (UI thread) --
    bool OnInitDialog();
    void OnOK();
    void OnConvertFiles();
    void OnCancel();
    void OnSelectAllStations();
    void OnClearStations();
    void OnSelchangeStations();
    void OnAbout();
    // The station list's context menu: "Просмотр записей…" for one station.
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
    // Station names are read into 32-character buffers, channel names into 16.
    static constexpr std::size_t kStationChars = 31;
    static constexpr std::size_t kChannelChars = 15;

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
    void WaitForRunWhilePainting();
    void ShowErrorText(const std::string& text);

    // Carries f out on the dialog's thread and returns its result.
    template <typename F>
    auto OnUiThread(F&& f) -> decltype(f());

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
    ConvertRequest m_request;
    QListWidget* m_listStations = nullptr;
    QIcon m_hIcon;

    QCheckBox* m_checkUseGain = nullptr;
    QLabel* m_paneFile = nullptr;
    app::FreeSpacePane* m_paneFreeSpace = nullptr;
    std::map<int, QWidget*> m_controls;
    bool m_initialised = false;
    bool m_closing = false;
    bool m_selectingByProgram = false;
    int m_waitCursors = 0;  // wait cursors the worker has begun and not ended
};
