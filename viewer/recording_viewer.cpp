#include "viewer/recording_viewer.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "platform/message_catalogue.h"
#include "platform/operator_texts.h"
#include "platform/system_reason.h"
#include "ui/text_8bit.h"
#include "viewer/plot_texts.h"
#include "viewer/timeline_view.h"
#include "viewer/trace_view.h"

namespace texts = platform::texts;

namespace {

plot::TimelineRecording TimelineEntry(const plot::RecordingEntry& e, plot::Conversion conversion) {
    return {e.start, e.dataSeconds, e.samplesSeconds, e.recordSeconds, conversion};
}

}  // namespace

CRecordingViewer::CRecordingViewer(std::string station8, std::string sourceDir, double windowStart,
                                   double windowLength, ConvertedSource converted, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_station8(std::move(station8)),
      m_sourceDir(std::move(sourceDir)),
      m_converted(std::move(converted)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr(texts::kViewerTitle).arg(app::FromText8(m_station8)));
    resize(1100, 640);

    m_timeline = new app::TimelineView(this);
    m_timeline->SetWindow(windowStart, windowLength);
    m_traces = new app::TraceView(this);
    m_facts = new QLabel(this);
    m_facts->setTextFormat(Qt::PlainText);
    m_facts->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_facts->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_facts->setWordWrap(true);
    m_facts->setMinimumWidth(220);
    m_facts->setMargin(6);
    m_status = new QLabel(this);
    m_status->setTextFormat(Qt::PlainText);
    m_sample = new QLabel(this);
    m_sample->setTextFormat(Qt::PlainText);

    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* text, auto slot) {
        auto* b = new QPushButton(tr(text), this);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
    };
    button(texts::kZoomToWindow, [this] { m_timeline->ZoomToWindow(); });
    button(texts::kWholeDay, [this] { m_timeline->ShowWholeDays(); });
    buttons->addStretch(1);
    button(texts::kPreviousRecording, [this] { StepRecording(-1); });
    button(texts::kNextRecording, [this] { StepRecording(+1); });

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_traces);
    splitter->addWidget(m_facts);
    splitter->setStretchFactor(0, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(m_sample);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_timeline);
    layout->addWidget(splitter, 1);
    layout->addLayout(bottom);

    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_PageUp), this), &QShortcut::activated, this,
            [this] { StepRecording(-1); });
    connect(new QShortcut(QKeySequence(Qt::Key_PageDown), this), &QShortcut::activated, this,
            [this] { StepRecording(+1); });
    connect(m_timeline, &app::TimelineView::recordingClicked, this,
            &CRecordingViewer::SelectRecording);
    connect(m_traces, &app::TraceView::sampleClicked, m_sample, &QLabel::setText);
    if (m_sourceDir.empty()) {
        const QString notice = app::FromText8(
            platform::TranslateMessage(platform::texts::NoSourceDirectory(m_station8)));
        m_timeline->SetNotice(notice);
        m_status->setText(notice);
        listed_ = true;
        return;
    }
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
    if (!listed_ || m_sourceDir.empty()) return;  // a listing is under way, or none can be
    StartListing();
}

void CRecordingViewer::StartListing() {
    listed_ = false;
    m_status->setText(tr(texts::kReadingHeaders).arg(app::FromText8(m_sourceDir)));
    OffUiThread(
        [dir = m_sourceDir, station = m_station8](std::stop_token stop) {
            try {
                return plot::ListStationRecordings(
                    dir, station,
                    [](void* s) { return static_cast<std::stop_token*>(s)->stop_requested(); },
                    &stop);
            } catch (const std::exception&) {
                // Out of memory for the listing: shown as an unreadable directory.
                return std::optional<plot::StationListing>();
            }
        },
        [](CRecordingViewer& viewer, std::optional<plot::StationListing> listing) {
            viewer.OnListed(std::move(listing));
        });
}

QString CRecordingViewer::BarTip(const plot::RecordingEntry& entry) const {
    QString tip = tr(texts::kBarTip)
                      .arg(app::FromText8(entry.name), app::TimeText(entry.start))
                      .arg(entry.dataSeconds);
    if (plot::LengthsDisagree(TimelineEntry(entry, plot::Conversion::None)))
        tip += tr(texts::kBarTipSamples).arg(entry.samplesSeconds, 0, 'f', 0);
    return tip;
}

QString CRecordingViewer::LeftOutText() const {
    if (leftOut_.empty()) return {};
    using Reason = plot::LeftOutEntry::Reason;
    const std::pair<Reason, const char*> reasons[] = {
        {Reason::OtherStation, texts::kLeftOutOtherStation},
        {Reason::NotARecording, texts::kLeftOutNotARecording},
        {Reason::NoStart, texts::kLeftOutNoStart},
        {Reason::Unreadable, texts::kLeftOutUnreadable},
        {Reason::NotAFile, texts::kLeftOutNotAFile},
    };
    QStringList lines{tr(texts::kLeftOutHeading)};
    for (const auto& [reason, text] : reasons) {
        QStringList names;
        for (const plot::LeftOutEntry& e : leftOut_) {
            if (e.reason != reason) continue;
            QString name = app::FromText8(e.name);
            if (e.error)
                name += QStringLiteral(" (%1)").arg(
                    app::FromText8(platform::TranslateMessage(platform::SystemReason(e.error))));
            names << name;
        }
        if (!names.isEmpty())
            lines << tr(text).arg(names.size()).arg(names.join(QStringLiteral(", ")));
    }
    return lines.join(QLatin1Char('\n'));
}

void CRecordingViewer::OnListed(std::optional<plot::StationListing> listing) {
    listed_ = true;
    if (!listing) {
        const QString notice = tr(texts::kViewerDirectoryUnreadable)
                                   .arg(app::FromText8(m_sourceDir), app::FromText8(m_station8));
        entries_.clear();
        leftOut_.clear();
        conversions_.clear();
        m_timeline->SetNotice(notice);
        ClearRecording();
        m_status->setText(notice);
        emit listed();
        return;
    }
    entries_ = std::move(listing->recordings);
    leftOut_ = std::move(listing->leftOut);
    QString note;
    conversions_.assign(entries_.size(), {});
    if (m_converted) {
        try {
            const std::unique_ptr<plot::ConvertedTraces> held = m_converted(m_station8);
            for (std::size_t i = 0; i < entries_.size(); ++i)
                conversions_[i] = plot::ConversionOf(*held, m_station8, entries_[i].start,
                                                     entries_[i].channels, entries_[i].path);
        } catch (const std::exception& e) {
            note = tr(texts::kMarksUnavailable).arg(app::FromText8(e.what()));
        }
    }
    std::vector<plot::TimelineRecording> bars;
    std::vector<QString> tips;
    int whole = 0, partly = 0, failed = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const plot::RecordingEntry& e = entries_[i];
        bars.push_back(TimelineEntry(e, conversions_[i].state));
        tips.push_back(BarTip(e));
        whole += conversions_[i].state == plot::Conversion::Whole ? 1 : 0;
        partly += conversions_[i].state == plot::Conversion::Partly ? 1 : 0;
        failed += conversions_[i].state == plot::Conversion::Failed ? 1 : 0;
    }
    m_timeline->SetRecordings(std::move(bars), std::move(tips));
    // The recording on show stays, its marks read again; gone, it goes.
    const auto kept = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) {
        return !m_selectedName.empty() && e.name == m_selectedName;
    });
    if (kept == entries_.end()) {
        ClearRecording();
    } else {
        const int index = static_cast<int>(kept - entries_.begin());
        // A load still under way answers to the index it was asked by.
        const bool pendingElsewhere = loading_ > 0 && wanted_ != index;
        shown_ = wanted_ = index;
        m_timeline->SetSelected(index);
        m_timeline->ShowLaneOf(index);
        if (pendingElsewhere) {
            SelectRecording(index);
        } else if (const plot::PlotRecording* r = m_traces->Recording()) {
            m_traces->RefreshRecording(WithConversion(*r, index));
            m_facts->setText(HeaderFacts());
        }
    }
    QString status = tr(texts::kRecordingCount).arg(entries_.size()).arg(whole);
    if (partly) status += tr(texts::kPartlyCount).arg(partly);
    if (failed) status += tr(texts::kFailedCount).arg(failed);
    if (!leftOut_.empty()) status += tr(texts::kLeftOutCount).arg(leftOut_.size());
    m_status->setText(status + note);
    m_status->setToolTip(LeftOutText());
    if (!m_traces->Recording()) m_facts->setText(LeftOutText());
    emit listed();
}

void CRecordingViewer::ClearRecording() {
    shown_ = -1;
    wanted_ = -1;
    m_selectedName.clear();
    m_timeline->SetSelected(-1);
    m_traces->SetRecording(nullptr);
    m_facts->setText(LeftOutText());
    m_sample->clear();
}

void CRecordingViewer::SelectRecording(int index) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return;
    m_timeline->SetSelected(index);
    m_timeline->ShowLaneOf(index);
    m_selectedName = entries_[index].name;
    wanted_ = index;
    ++loading_;
    // The readout belongs to the recording that was on show.
    m_sample->clear();
    m_status->setText(tr(texts::kReadingRecording).arg(app::FromText8(entries_[index].name)));
    OffUiThread(
        [path = entries_[index].path](std::stop_token) { return plot::LoadRecording(path); },
        [index](CRecordingViewer& viewer, plot::LoadResult result) {
            viewer.OnLoaded(index, std::move(result));
        });
}

void CRecordingViewer::StepRecording(int step) {
    if (entries_.empty()) return;
    std::vector<int> order(entries_.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return entries_[a].start < entries_[b].start; });
    const int current = wanted_ >= 0 ? wanted_ : shown_;
    const auto at = std::find(order.begin(), order.end(), current);
    int next = 0;
    if (at == order.end())
        next = step > 0 ? 0 : static_cast<int>(order.size()) - 1;
    else
        next = std::clamp(static_cast<int>(at - order.begin()) + step, 0,
                          static_cast<int>(order.size()) - 1);
    if (order[next] != current) SelectRecording(order[next]);
}

std::shared_ptr<const plot::PlotRecording> CRecordingViewer::WithConversion(
    plot::PlotRecording recording, int index) const {
    const plot::RecordingEntry& entry = entries_[static_cast<std::size_t>(index)];
    const plot::RecordingConversion& conversion = conversions_[static_cast<std::size_t>(index)];
    for (plot::PlotChannel& c : recording.channels) {
        c.converted.reset();
        for (std::size_t i = 0; i < entry.channels.size() && i < conversion.channels.size(); ++i)
            if (entry.channels[i] == c.name) c.converted = conversion.channels[i];
    }
    return std::make_shared<const plot::PlotRecording>(std::move(recording));
}

void CRecordingViewer::OnLoaded(int index, plot::LoadResult result) {
    --loading_;
    if (index != wanted_) return;  // a later click has taken over
    const QString path = app::FromText8(entries_[index].path);
    if (!result.recording) {
        shown_ = -1;
        m_traces->SetRecording(nullptr);
        m_facts->clear();
        m_status->setText(app::LoadFailureText(path, result));
    } else {
        shown_ = index;
        m_traces->SetRecording(WithConversion(std::move(*result.recording), index));
        m_facts->setText(HeaderFacts());
        m_facts->setMinimumWidth(std::min(m_facts->sizeHint().width(), 360));
        m_status->setText(path);
    }
    emit recordingLoaded();
}

QString CRecordingViewer::HeaderFacts() const {
    const plot::PlotRecording* r = m_traces->Recording();
    if (!r) return {};
    QStringList names, gains, converted, notConverted;
    for (const plot::PlotChannel& c : r->channels) {
        names << app::FromText8(c.name);
        gains << tr("  %1: %2").arg(app::FromText8(c.name)).arg(c.gainFactor);
        if (c.converted) (*c.converted ? converted : notConverted) << app::FromText8(c.name);
    }
    QStringList lines;
    lines << tr(texts::kInfoStation).arg(app::FromText8(r->station))
          << tr(texts::kInfoStart).arg(app::TimeText(r->start))
          << tr(texts::kInfoDataSeconds).arg(r->dataSeconds);
    if (shown_ >= 0 &&
        plot::LengthsDisagree(TimelineEntry(entries_[static_cast<std::size_t>(shown_)], {})))
        lines << tr(texts::kInfoSamplesSeconds)
                     .arg(entries_[static_cast<std::size_t>(shown_)].samplesSeconds, 0, 'f', 0);
    lines << tr(texts::kInfoRate).arg(r->rate, 0, 'f', 3)
          << tr(texts::kInfoChannels).arg(names.join(QStringLiteral(", ")));
    if (!converted.isEmpty())
        lines << tr(texts::kInfoConverted).arg(converted.join(QStringLiteral(", ")));
    if (!notConverted.isEmpty())
        lines << tr(texts::kInfoNotConverted).arg(notConverted.join(QStringLiteral(", ")));
    if (shown_ >= 0) {
        const plot::RecordingConversion& c = conversions_[static_cast<std::size_t>(shown_)];
        if (c.state == plot::Conversion::Failed)
            lines << tr(texts::kInfoFailed)
                         .arg(app::FromText8(platform::TranslateMessage(c.failure)));
    }
    if (!r->trigger)
        lines << tr(texts::kInfoNotTriggered);
    else if (r->eventTime)
        lines << tr(texts::kInfoTriggered)
              << tr(texts::kInfoEvent).arg(app::TimeText(*r->eventTime, 2));
    else
        lines << tr(texts::kInfoTriggered) << tr(texts::kInfoEventUnknown);
    lines << tr(texts::kInfoGains) << gains;
    return lines.join(QLatin1Char('\n'));
}

QString CRecordingViewer::StatusText() const { return m_status->text(); }
QString CRecordingViewer::SampleText() const { return m_sample->text(); }
