#include "app/converter_dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolButton>
#include <algorithm>
#include <cstdio>

#include "app/about_dlg.h"
#include "app/dialog_frame.h"
#include "app/dialog_run_observer.h"
#include "app/dialog_viewer_host.h"
#include "app/free_space_pane.h"
#include "app/settings_text.h"
#include "app/ui_hooks.h"
#include "app/viewer_launch.h"
#include "catalog/chan_list.h"
#include "controls/date_time_edit.h"
#include "controls/duration_field.h"
#include "controls/mask_edit.h"
#include "engine/drivers.h"
#include "platform/file_system.h"
#include "platform/ini_file.h"
#include "platform/kelvaron_settings.h"
#include "platform/operator_texts.h"
#include "platform/text_encoding.h"
#include "res/dialog_templates.h"
#include "res/dialog_units.h"
#include "res/resource_table.h"
#include "ui/text_8bit.h"
#include "widgets/resources.h"
#include "widgets/shaded_icon_button.h"

namespace {

constexpr int kStatusBarId = 59393;
constexpr int kStationRawRole = Qt::UserRole;

constexpr std::size_t kFileDialogDirChars = 15999;
constexpr int kProgressWidth = 150;

// Shows the wait cursor while it lives.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

CConverterDlg::CConverterDlg(catalog::OdbcConnection& database, QWidget* parent)
    : QDialog(parent),
      m_hIcon(res::LoadIcon(res::kAppIcon)),
      m_database(database),
      m_outputs(database),
      m_observer(std::make_unique<app::DialogRunObserver>(*this, m_worker)) {
    CreateControls();
    m_viewerHost = app::MakeDialogViewerHost(*this, m_database);
    auto* about = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(about, &QShortcut::activated, this, &CConverterDlg::OnAbout);
    auto* view = new QShortcut(app::ViewRecordingsShortcut(), this);
    connect(view, &QShortcut::activated, this, [this] { OpenRecordingViewer(); });
}

CConverterDlg::~CConverterDlg() {
    // A dialog torn down some other way still must not leave a worker behind.
    StopRun();
}

void CConverterDlg::CreateControls() {
    const res::DialogTemplate& t = res::ConverterDialogTemplate();
    const res::DialogBaseUnits units = SetUpDialogFrame(*this, t);

    // Created in template order, which is also the tab order and the stacking
    // order (the group box lies under the controls inside it).
    for (const res::ControlTemplate& c : t.controls) {
        const QString text = QCoreApplication::translate("CConverterDlg", c.text);
        QWidget* w = nullptr;
        switch (c.id) {
            case res::kIdConvert:
                w = m_btnConvert = new widgets::CShadedIconButton(text, this);
                m_btnConvert->setDefault(true);
                connect(m_btnConvert, &QPushButton::clicked, this, &CConverterDlg::OnOK);
                break;
            case res::kIdConvertFiles:
                w = m_btnConvertFiles = new widgets::CShadedIconButton(text, this);
                connect(m_btnConvertFiles, &QPushButton::clicked, this,
                        &CConverterDlg::OnConvertFiles);
                break;
            case res::kIdExit:
                w = m_btnExit = new widgets::CShadedIconButton(text, this);
                connect(m_btnExit, &QPushButton::clicked, this, &CConverterDlg::OnCancel);
                break;
            case res::kIdSelectAll:
                w = m_btnAll = new widgets::CShadedIconButton(text, this);
                connect(m_btnAll, &QPushButton::clicked, this, &CConverterDlg::OnSelectAllStations);
                break;
            case res::kIdClearStations:
                w = m_btnNone = new widgets::CShadedIconButton(text, this);
                connect(m_btnNone, &QPushButton::clicked, this, &CConverterDlg::OnClearStations);
                break;
            case res::kIdStationList:
                w = m_listStations = new QListWidget(this);
                m_listStations->setSelectionMode(QAbstractItemView::ExtendedSelection);
                m_listStations->setContextMenuPolicy(Qt::CustomContextMenu);
                app::KeepSelectionOnRightClick(*m_listStations);
                connect(m_listStations, &QWidget::customContextMenuRequested, this,
                        [this](const QPoint& pos) { ShowStationMenu(pos); });
                connect(m_listStations, &QListWidget::itemSelectionChanged, this,
                        &CConverterDlg::OnSelchangeStations);
                break;
            case res::kIdChannelList:
                w = m_listChannels = new app::ChannelListView(this);
                break;
            case res::kIdStartField:
                w = m_editStart = new CDateTimeEdit(this);
                break;
            case res::kIdDurationField:
                w = m_editDuration = new CMaskEdit(this);
                break;
            case res::kIdGainCheck:
                w = m_checkUseGain = new QCheckBox(text, this);
                break;
            default:
                if (c.kind == res::ControlKind::GroupBox) w = new QGroupBox(text, this);
                break;
        }
        if (!w) continue;
        w->setGeometry(res::DialogUnitsToPixels(units, c.x, c.y, c.cx, c.cy));
        if (c.style & res::kDisabled) w->setEnabled(false);
        if (c.id != res::kStaticId) m_controls[c.id] = w;
    }
}

QWidget* CConverterDlg::GetDlgItem(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

int CConverterDlg::DoModal() {
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    return exec();
}

void CConverterDlg::showEvent(QShowEvent* event) {
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

bool CConverterDlg::OnInitDialog() {
    UpdateData(false);
    CreateStatusBar();
    setWindowIcon(m_hIcon);
    SetUpButtons();

    m_imageStates.Create(res::LoadBitmap(res::kCheckBoxBitmap), 16, QColor(255, 0, 0));
    m_listChannels->SetStateImageList(&m_imageStates);
    InsertChannelColumns();

    m_editStart->SetDisplayMode(2);
    controls::ConfigureDurationField(*m_editDuration);
    LoadSettings();

    // Entry 0 becomes the current entry without being selected.
    if (m_listStations->count() > 0)
        m_listStations->selectionModel()->setCurrentIndex(m_listStations->model()->index(0, 0),
                                                          QItemSelectionModel::NoUpdate);
    OnSelectAllStations();
    FillChannelList();
    RefreshFreeSpace();
    m_btnConvert->setFocus();
    return true;
}

void CConverterDlg::CreateStatusBar() {
    m_strFreeSpace.clear();
    m_bmpDisk = res::LoadBitmap(res::kDiskBitmap);
    m_bmpDiskMask = res::LoadBitmap(res::kDiskMaskBitmap);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QString::number(kStatusBarId));
    m_statusBar->setSizeGripEnabled(false);
    m_paneFile = new QLabel(m_statusBar);
    m_paneFile->setObjectName(QString::number(res::kPaneFile));
    m_paneFile->setTextFormat(Qt::PlainText);
    m_paneFile->setFixedWidth(width() / 2);
    m_paneFreeSpace = new app::FreeSpacePane(
        [this](QPainter& p, const QRect& r) { DrawFreeSpacePane(p, r); }, m_statusBar);
    m_paneFreeSpace->setObjectName(QString::number(res::kPaneFreeSpace));
    m_statusBar->addWidget(m_paneFile);
    m_statusBar->addWidget(m_paneFreeSpace, 1);
    // Along the bottom of the client area, at the bar's own height: the
    // dialog has a fixed size, so the bar is never laid out again.
    const int h = m_statusBar->sizeHint().height();
    m_statusBar->setGeometry(0, height() - h, width(), h);
    // How far a run is, at the right end of pane 0; shown only during a run.
    m_progress = new QProgressBar(m_paneFile);
    m_progress->setGeometry(m_paneFile->width() - kProgressWidth - 4, 3, kProgressWidth,
                            std::max(h - 8, 8));
    m_progress->setTextVisible(true);
    m_progress->setAlignment(Qt::AlignCenter);
    QFont small = m_progress->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    m_progress->setFont(small);
    m_progress->hide();
    // Stop, at the very end of pane 0, the bar just before it.
    m_btnStop = new QToolButton(m_paneFile);
    m_btnStop->setObjectName(QStringLiteral("stopRun"));
    m_btnStop->setText(tr(platform::texts::kStopButton));
    m_btnStop->setToolTip(tr(platform::texts::kStopButtonTip));
    m_btnStop->setFont(small);
    const int stopWidth = m_btnStop->sizeHint().width();
    m_btnStop->setGeometry(m_paneFile->width() - stopWidth - 2, 2, stopWidth, std::max(h - 6, 8));
    m_progress->move(m_btnStop->x() - kProgressWidth - 4, m_progress->y());
    connect(m_btnStop, &QToolButton::clicked, this, &CConverterDlg::OnStopRun);
    m_btnStop->hide();
    // After a run the pane's tooltip holds the whole summary; a click opens the report.
    m_paneFile->installEventFilter(this);
    m_statusBar->show();
    m_paneFile->clear();
    m_paneFile->repaint();
}

void CConverterDlg::SetUpButtons() {
    widgets::SetIconResolver([](int id) { return res::LoadIcon(id); });
    widgets::SetCursorResolver([](int id) { return res::LoadCursor(id); });
    const std::pair<widgets::CShadedIconButton*, int> buttons[] = {
        {m_btnExit, res::kExitIcon},
        {m_btnConvert, res::kConvertIcon},
        {m_btnConvertFiles, res::kConvertFileIcon},
        {m_btnAll, res::kSelectAllIcon},
        {m_btnNone, res::kClearIcon},
    };
    for (const auto& [button, icon] : buttons) {
        button->SetIcon(icon, widgets::CIconButton::kGrayOutIcon);
        button->SetHoverCursor(res::kHoverCursor, true);
        button->SetTexture(8, 8, 10, 0, 0);
    }
}

void CConverterDlg::LoadSettings() {
    const platform::KelvaronSettings settings =
        platform::ReadKelvaronSettings(platform::KelvaronIniPath());
    for (const std::string& name : settings.stations) AddStation(name);
    for (const std::string& again : settings.duplicates)
        app::ShowMessageBox(this, app::FromText8(platform::texts::DuplicateStation(again)),
                            QString::fromUtf8(platform::texts::kWarningCaption),
                            platform::MessageIcon::Warning);
    const platform::CalendarFields& start = settings.start;
    m_editStart->SetDateTime(start.year, start.month, start.day, start.hour, start.minute,
                             start.second);
    m_editDuration->SetMaskedText(settings.duration);
    RefreshFreeSpace();
}

void CConverterDlg::AddStation(const std::string& name8) {
    // The settings hand the names over in the station order: appended, they stay sorted.
    auto* item = new QListWidgetItem(app::FromText8(name8));
    item->setData(kStationRawRole, QByteArray::fromStdString(name8));
    m_listStations->addItem(item);
}

std::string CConverterDlg::StationText8(int row) const {
    const QListWidgetItem* item = m_listStations->item(row);
    if (!item) return {};
    return platform::CutText8(item->data(kStationRawRole).toByteArray().toStdString(),
                              platform::kStationNameChars);
}

int CConverterDlg::SelectedStationCount() const {
    return static_cast<int>(m_listStations->selectedItems().size());
}

void CConverterDlg::SelectAllStations(bool select) {
    m_selectingByProgram = true;
    if (select)
        m_listStations->selectAll();
    else
        m_listStations->clearSelection();
    m_selectingByProgram = false;
}

void CConverterDlg::OnSelectAllStations() {
    ShowCurrentFile("");
    if (m_listStations->count() < 2) return;
    SelectAllStations(true);
    m_listChannels->DeleteAllItems();
}

void CConverterDlg::OnClearStations() {
    ShowCurrentFile("");
    if (m_listStations->count() < 2) return;
    SelectAllStations(false);
    m_listChannels->DeleteAllItems();
}

void CConverterDlg::OnSelchangeStations() {
    if (m_selectingByProgram) return;
    ShowCurrentFile("");
    FillChannelList();
}

void CConverterDlg::InsertChannelColumns() {
    const int w = m_listChannels->ClientWidth();
    m_listChannels->InsertColumn(0, tr(platform::texts::kChannelColumn), w / 2);
    m_listChannels->InsertColumn(1, tr(platform::texts::kRateColumn), w / 2);
}

void CConverterDlg::FillChannelList() {
    WaitCursor wait;
    m_listChannels->DeleteAllItems();
    if (SelectedStationCount() != 1) return;
    // The one selected entry (the current entry may be another, unselected one).
    int row = 0;
    while (row < m_listStations->count() && !m_listStations->item(row)->isSelected()) ++row;
    const std::string station = StationText8(row);
    try {
        for (const StationChannel& c : ListStationChannels(m_database, station)) {
            char rate[64];
            std::snprintf(rate, sizeof rate, "%.3f", c.sps);
            m_listChannels->InsertItem(0, platform::CutText8(c.chan, platform::kChannelNameChars));
            m_listChannels->SetItemText(0, 1, QString::fromLatin1(rate));
            m_listChannels->SetItemState(0, app::kStateChecked, app::kStateMask);
        }
    } catch (const std::exception& e) {
        ShowErrorText(e.what());
        return;
    }
    UpdateData(true);  // shows the message for an invalid start; the outcome is not needed
    m_checkUseGain->setChecked(platform::ReadUseGain(platform::KelvaronIniPath(), station));
}

bool CConverterDlg::UpdateData(bool saveAndValidate) {
    return DDX_DateTimeEdit(saveAndValidate ? DataExchange::Save : DataExchange::Load,
                            *m_editStart);
}

void CConverterDlg::OnOK() {
    ShowCurrentFile("");  // a last run's summary stays until the next action
    if (!UpdateData(true)) return;
    if (m_listStations->currentRow() < 0) return;
    if (SelectedStationCount() == 0) return;
    if (!DataDirectoryIsSet()) return;
    DisableControls();
    if (!StartRun(BuildRequest(engine::RunMode::Window))) EnableControls();
}

void CConverterDlg::OnConvertFiles() {
    ShowCurrentFile("");
    if (!UpdateData(true)) return;
    const int current = m_listStations->currentRow();
    if (current < 0) return;
    if (!DataDirectoryIsSet()) return;
    // The current entry (selected or not) gives the file dialog's directory.
    const std::string dir = platform::SourceDirectory(StationText8(current), kFileDialogDirChars);
    const std::optional<QStringList> picked = app::ShowOpenFilesDialog(this, app::FromText8(dir));
    if (!picked) {
        EnableControls();
        return;
    }
    engine::RunRequest request = BuildRequest(engine::RunMode::Files);
    for (const QString& p : *picked) request.files.push_back(QFile::encodeName(p).toStdString());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++m_waitCursors;
    DisableControls();
    if (!StartRun(std::move(request))) {
        EnableControls();
        QApplication::restoreOverrideCursor();
        --m_waitCursors;
    }
}

void CConverterDlg::reject() { OnCancel(); }

void CConverterDlg::keyPressEvent(QKeyEvent* event) {
    // Escape stands for the exit button, which is locked while a run lasts:
    // then it stands for Stop, after asking.
    if (event->key() == Qt::Key_Escape && IsRunActive()) {
        event->accept();
        if (!m_worker.StopRequested() &&
            app::AskToStop(this, QString::fromUtf8(platform::texts::kStopRunQuestion)))
            OnStopRun();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CConverterDlg::OnCancel() {
    if (m_closing) return;
    // A box the dialog shows for a worker (a message, the file dialog) keeps
    // that worker waiting: the window cannot end under it.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != this) return;
    // Closing the window during a run: asked first; the run stops after the
    // trace file in hand, and only then is the window saved and ended.
    if (IsRunActive() && !m_worker.StopRequested() &&
        !app::AskToStop(this, QString::fromUtf8(platform::texts::kQuitDuringRunQuestion)))
        return;
    m_closing = true;
    StopRun();
    const std::string path = platform::KelvaronIniPath();
    platform::WriteIniString(path, "KELVARON", "TIME",
                             platform::CutText8(app::ToText8(m_editStart->text()), 31));
    platform::WriteIniString(path, "KELVARON", "TIMEQTY",
                             platform::CutText8(app::ToText8(m_editDuration->text()), 31));
    QDialog::done(QDialog::Rejected);
}

void CConverterDlg::contextMenuEvent(QContextMenuEvent* event) {
    const QString text = res::LoadString(res::kAboutMenuText);
    if (text.isEmpty()) return;
    QMenu menu(this);
    connect(menu.addAction(text), &QAction::triggered, this, &CConverterDlg::OnAbout);
    menu.exec(event->globalPos());
}

void CConverterDlg::ShowStationMenu(const QPoint& pos) {
    QMenu menu(this);
    QAction* view = menu.addAction(tr(platform::texts::kViewRecordingsMenu));
    view->setShortcut(app::ViewRecordingsShortcut());
    view->setEnabled(SelectedStationCount() == 1);
    connect(view, &QAction::triggered, this, [this] { OpenRecordingViewer(); });
    menu.exec(m_listStations->viewport()->mapToGlobal(pos));
}

CRecordingViewer* CConverterDlg::OpenRecordingViewer() {
    return app::OpenRecordingViewer(*m_viewerHost, this);
}

void CConverterDlg::OnAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CConverterDlg::DrawFreeSpacePane(QPainter& painter, const QRect& pane) {
    // The picture through its mask: AND clears the disk's pixels, OR puts them in.
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.drawPixmap(pane.topLeft(), m_bmpDiskMask);
    painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    painter.drawPixmap(pane.topLeft(), m_bmpDisk);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(
        QRect(QPoint(pane.left() + 24, pane.top()), QPoint(pane.right() - 20, pane.bottom())),
        Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, m_strFreeSpace);
}

QString CConverterDlg::CurrentFileText() const {
    return m_paneFile ? m_paneFile->text() : QString();
}

void CConverterDlg::ShowErrorText(const std::string& text) {
    app::ShowMessageBox(this, app::FromText8(text),
                        QString::fromLatin1(platform::kApplicationTitle),
                        platform::MessageIcon::Error);
}
