#include "viewer/recording_viewer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>
#include <exception>

#include "platform/operator_texts.h"
#include "plot/axis_ticks.h"
#include "plot/converted_marks.h"
#include "ui/text_8bit.h"
#include "viewer/plot_texts.h"
#include "viewer/timeline_view.h"
#include "viewer/trace_view.h"

namespace {

QString Seconds(double t) { return QString::fromStdString(plot::DateTimeText(t)); }

}  // namespace

CRecordingViewer::CRecordingViewer(std::string station8, std::string sourceDir, double windowStart,
                                   double windowLength, TracePathsSource tracePaths,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_station8(std::move(station8)),
      m_sourceDir(std::move(sourceDir)),
      m_tracePaths(std::move(tracePaths)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr(platform::texts::kViewerTitle).arg(app::FromText8(m_station8)));
    resize(1100, 640);

    m_timeline = new app::TimelineView(this);
    m_timeline->SetWindow(windowStart, windowLength);
    m_traces = new app::TraceView(this);
    m_facts = new QLabel(this);
    m_facts->setTextFormat(Qt::PlainText);
    m_facts->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_facts->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_facts->setMinimumWidth(220);
    m_facts->setMargin(6);
    m_status = new QLabel(this);
    m_status->setTextFormat(Qt::PlainText);
    m_sample = new QLabel(this);
    m_sample->setTextFormat(Qt::PlainText);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_traces);
    splitter->addWidget(m_facts);
    splitter->setStretchFactor(0, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(m_sample);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_timeline);
    layout->addWidget(splitter, 1);
    layout->addLayout(bottom);

    connect(m_timeline, &app::TimelineView::recordingClicked, this,
            &CRecordingViewer::SelectRecording);
    connect(m_traces, &app::TraceView::sampleClicked, m_sample, &QLabel::setText);
    StartListing();
}

CRecordingViewer::~CRecordingViewer() {
    // Before any member or child goes: a reader still running reports to them.
    m_work.StopAndJoin();
}

void CRecordingViewer::closeEvent(QCloseEvent* event) {
    m_work.RequestStop();
    QWidget::closeEvent(event);
}

template <typename Work, typename Deliver>
void CRecordingViewer::OffUiThread(Work work, Deliver deliver) {
    m_work.Start(
        [this, work = std::move(work), deliver = std::move(deliver)](std::stop_token stop) mutable {
            auto result = work(stop);
            if (stop.stop_requested()) return;  // the viewer is going
            // The viewer is the call's context: a call still queued when it goes
            // is dropped with it, and it does not go before this thread has ended.
            QMetaObject::invokeMethod(
                this,
                [this, deliver = std::move(deliver), result = std::move(result)]() mutable {
                    deliver(*this, std::move(result));
                },
                Qt::QueuedConnection);
        });
}

void CRecordingViewer::SetWindow(double start, double length) {
    m_timeline->SetWindow(start, length);
}

void CRecordingViewer::Relist() {
    if (!listed_) return;  // a listing is under way already
    StartListing();
}

void CRecordingViewer::StartListing() {
    listed_ = false;
    m_status->setText(tr(platform::texts::kReadingHeaders).arg(app::FromText8(m_sourceDir)));
    OffUiThread(
        [dir = m_sourceDir, station = m_station8](std::stop_token stop) {
            try {
                return plot::ListStationRecordings(
                    dir, station,
                    [](void* s) { return static_cast<std::stop_token*>(s)->stop_requested(); },
                    &stop);
            } catch (const std::exception&) {
                // Out of memory for the listing: shown as an unreadable directory.
                return std::optional<std::vector<plot::RecordingEntry>>();
            }
        },
        [](CRecordingViewer& viewer, std::optional<std::vector<plot::RecordingEntry>> entries) {
            viewer.OnListed(std::move(entries));
        });
}

void CRecordingViewer::OnListed(std::optional<std::vector<plot::RecordingEntry>> entries) {
    listed_ = true;
    if (!entries) {
        m_status->setText(tr(platform::texts::kViewerDirectoryUnreadable)
                              .arg(app::FromText8(m_sourceDir), app::FromText8(m_station8)));
        emit listed();
        return;
    }
    entries_ = std::move(*entries);
    QString note;
    converted_.assign(entries_.size(), false);
    if (m_tracePaths) {
        try {
            converted_ = app::ConvertedMarks(m_station8, entries_, m_tracePaths(m_station8));
        } catch (const std::exception& e) {
            note = tr(platform::texts::kMarksUnavailable).arg(app::FromText8(e.what()));
        }
    }
    std::vector<plot::TimelineRecording> bars;
    int converted = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        bars.push_back({entries_[i].start, entries_[i].dataSeconds, converted_[i]});
        converted += converted_[i] ? 1 : 0;
    }
    m_timeline->SetRecordings(std::move(bars));
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (!m_selectedName.empty() && entries_[i].name == m_selectedName)
            m_timeline->SetSelected(static_cast<int>(i));
    m_status->setText(tr(platform::texts::kRecordingCount).arg(entries_.size()).arg(converted) +
                      note);
    emit listed();
}

void CRecordingViewer::SelectRecording(int index) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return;
    m_timeline->SetSelected(index);
    m_selectedName = entries_[index].name;
    wanted_ = index;
    ++loading_;
    m_status->setText(
        tr(platform::texts::kReadingRecording).arg(app::FromText8(entries_[index].name)));
    OffUiThread(
        [path = entries_[index].path](std::stop_token) { return plot::LoadRecording(path); },
        [index](CRecordingViewer& viewer, plot::LoadResult result) {
            viewer.OnLoaded(index, std::move(result));
        });
}

void CRecordingViewer::OnLoaded(int index, plot::LoadResult result) {
    --loading_;
    if (index != wanted_) return;  // a later click has taken over
    const QString path = app::FromText8(entries_[index].path);
    if (!result.recording) {
        m_traces->SetRecording(nullptr);
        m_facts->clear();
        m_status->setText(app::LoadFailureText(path, result.failure));
    } else {
        m_traces->SetRecording(
            std::make_shared<const plot::PlotRecording>(std::move(*result.recording)));
        m_facts->setText(HeaderFacts());
        m_facts->setMinimumWidth(m_facts->sizeHint().width());
        m_status->setText(path);
    }
    emit recordingLoaded();
}

QString CRecordingViewer::HeaderFacts() const {
    const plot::PlotRecording* r = m_traces->Recording();
    if (!r) return {};
    QStringList names, gains;
    for (const plot::PlotChannel& c : r->channels) {
        names << app::FromText8(c.name);
        gains << tr("  %1: %2").arg(app::FromText8(c.name)).arg(c.gainFactor);
    }
    QStringList lines;
    lines << tr(platform::texts::kInfoStation).arg(app::FromText8(r->station))
          << tr(platform::texts::kInfoStart).arg(Seconds(r->start))
          << tr(platform::texts::kInfoDataSeconds).arg(r->dataSeconds)
          << tr(platform::texts::kInfoRate).arg(r->rate, 0, 'f', 3)
          << tr(platform::texts::kInfoChannels).arg(names.join(QStringLiteral(", ")));
    if (!r->trigger)
        lines << tr(platform::texts::kInfoNotTriggered);
    else if (r->eventTime)
        lines << tr(platform::texts::kInfoTriggered)
              << tr(platform::texts::kInfoEvent)
                     .arg(QString::fromStdString(plot::DateTimeText(*r->eventTime, 1)));
    else
        lines << tr(platform::texts::kInfoTriggered) << tr(platform::texts::kInfoEventUnknown);
    lines << tr(platform::texts::kInfoGains) << gains;
    return lines.join(QLatin1Char('\n'));
}

QString CRecordingViewer::StatusText() const { return m_status->text(); }
